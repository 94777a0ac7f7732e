#pragma once

#include <gtest/gtest.h>

#include <string>

// What the code under test writes to standard output (or standard error) while this object
// lives. The stream is caught at its file descriptor, so std::cout, printf and the libraries'
// own messages all count. One capture of a stream at a time.
class CapturedOutput {
public:
    enum Stream { StandardOutput, StandardError };

    explicit CapturedOutput(Stream stream = StandardOutput)
        : start(stream == StandardOutput ? testing::internal::CaptureStdout
                                         : testing::internal::CaptureStderr),
          finish(stream == StandardOutput ? testing::internal::GetCapturedStdout
                                          : testing::internal::GetCapturedStderr)
    {
        start();
    }
    ~CapturedOutput() { finish(); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // What was written since the capture began or since the last take(); capturing goes on.
    std::string take()
    {
        std::string text = finish();
        start();
        return text;
    }

private:
    void (*start)();
    std::string (*finish)();
};
