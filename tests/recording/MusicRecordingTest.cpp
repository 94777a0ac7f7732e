#include "../unit/support/TempRunFolder.hpp"
#include "../unit/support/WaitUntil.hpp"

#include "audio/Music.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The loudness (root mean square, 1 = full scale) of a recording between two times in seconds.
double loudness(const std::string& path, double from, double to)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return 0.0;
    file.seek(sf::seconds(static_cast<float>(from)));
    std::vector<sf::Int16> samples(static_cast<std::size_t>((to - from) * file.getSampleRate()) *
                                   file.getChannelCount());
    samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
    double sum = 0.0;
    for (sf::Int16 sample : samples)
        sum += static_cast<double>(sample) * sample;
    return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
}

// How many seconds of stereo 16-bit samples at 44100 Hz the wave driver has written so far.
double recordedSeconds(const std::string& path)
{
    std::error_code none;
    const auto bytes = std::filesystem::file_size(path, none);
    return none ? 0.0 : static_cast<double>(bytes) / (44100 * 2 * 2);
}

TEST(MusicRecordingTest, MenuThemeThenTheFirstLayerWithTheAmbienceReachTheOutput)
{
    const TempRunFolder folder;
    const std::string output = (folder.path() / "output.wav").string();
    const std::string settings =
        "[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n[wave]\n";
    folder.write("alsoft.conf", settings + "file = " + output + "\n");
    // OpenAL Soft reads its driver and configuration when the first sound object opens it.
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", (folder.path() / "alsoft.conf").c_str(), 1);

    double menuStart = 0.0;
    double gameStart = 0.0;
    {
        Music music;
        music.setState(Music::MenuTheme);
        menuStart = recordedSeconds(output);
        // Each state plays until the recording holds the seconds it is checked over.
        ASSERT_TRUE(waitUntil([&] { return recordedSeconds(output) >= menuStart + 1.0; }, 30s));
        music.setState(Music::GameLayers);
        gameStart = recordedSeconds(output);
        ASSERT_TRUE(waitUntil([&] { return recordedSeconds(output) >= gameStart + 1.5; }, 30s));
    }
    EXPECT_GT(loudness(output, menuStart + 0.25, menuStart + 0.9), 0.01);
    EXPECT_GT(loudness(output, gameStart + 0.25, gameStart + 1.3), 0.01);
}

} // namespace
