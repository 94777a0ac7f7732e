#include "audio/Music.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Recording {
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<float> samples;
};

std::uint32_t little(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The wave driver writes 16-bit PCM (as configured below) after a plain header; the data runs to
// the end of the file whether or not the driver got to patch the chunk sizes.
Recording readRecording(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Recording recording;
    const std::size_t data = bytes.find("data");
    if (bytes.size() < 28 || data == std::string::npos)
        return recording;
    recording.channels = little(bytes, 22, 2);
    recording.rate = little(bytes, 24, 4);
    for (std::size_t i = data + 8; i + 1 < bytes.size(); i += 2)
        recording.samples.push_back(static_cast<std::int16_t>(little(bytes, i, 2)) / 32768.f);
    return recording;
}

double rms(const Recording& recording, double from, double to)
{
    const std::size_t first = static_cast<std::size_t>(from * recording.rate) * recording.channels;
    const std::size_t last = static_cast<std::size_t>(to * recording.rate) * recording.channels;
    double sum = 0.0;
    for (std::size_t i = first; i < last && i < recording.samples.size(); ++i)
        sum += recording.samples[i] * recording.samples[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(MusicRecordingTest, MenuThemeThenTheFirstLayerWithTheAmbienceReachTheOutput)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("kestrivon-recording-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path output = folder / "output.wav";
    {
        std::ofstream config(folder / "alsoft.conf");
        config << "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n"
               << "[wave]\nfile = " << output.string() << "\n";
    }
    // OpenAL Soft reads its driver and configuration when the first sound object opens it.
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", (folder / "alsoft.conf").c_str(), 1);

    double menuStart = 0.0;
    double gameStart = 0.0;
    {
        const Clock::time_point opened = Clock::now();
        Music music;
        music.setState(0);
        menuStart = secondsSince(opened);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        music.setState(1);
        gameStart = secondsSince(opened);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    }
    const Recording recording = readRecording(output);
    ASSERT_EQ(recording.channels, 2u);
    ASSERT_GT(recording.samples.size(), 2u * recording.rate * 2);

    // Both the menu theme and the first layer with the ambience reach the output, neither silent.
    EXPECT_GT(rms(recording, menuStart + 0.25, menuStart + 0.9), 0.01);
    EXPECT_GT(rms(recording, gameStart + 0.25, gameStart + 1.3), 0.01);
    std::filesystem::remove_all(folder);
}

} // namespace
