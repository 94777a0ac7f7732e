#include "core/LineBuffer.hpp"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// What arrives on the pipe within two seconds, read while the writer still runs.
std::string readWhileRunning(int descriptor)
{
    std::string text;
    pollfd watched{descriptor, POLLIN, 0};
    while (text.find('\n') == std::string::npos && ::poll(&watched, 1, 2000) > 0) {
        char chunk[256];
        const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count <= 0)
            break;
        text.append(chunk, static_cast<std::size_t>(count));
    }
    return text;
}

TEST(LineBufferTest, ATraceLineReachesAPipeWhileTheProgramRuns)
{
    int trace[2];
    int hold[2];
    ASSERT_EQ(::pipe(trace), 0);
    ASSERT_EQ(::pipe(hold), 0);
    std::fflush(stdout);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        ::dup2(trace[1], STDOUT_FILENO);
        ::close(trace[0]);
        ::close(hold[1]);
        lineBufferStandardOutput();
        std::cout << "[LEVEL] Player at :(3;4)\n"
                  << "Load map call";
        // Runs on until the reader has looked.
        char byte;
        while (::read(hold[0], &byte, 1) > 0) {
        }
        ::_exit(0);
    }
    ::close(trace[1]);
    ::close(hold[0]);

    const std::string arrived = readWhileRunning(trace[0]);
    ::close(hold[1]);
    int status = 0;
    ::waitpid(writer, &status, 0);
    ::close(trace[0]);
    EXPECT_EQ(arrived, "[LEVEL] Player at :(3;4)\n");
}

} // namespace
