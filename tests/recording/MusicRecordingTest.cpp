#include "audio/Music.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

std::uint32_t little(const std::vector<unsigned char>& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// The wave driver writes 16-bit PCM (as configured below); the data runs to the end of the file
// whether or not the driver got to patch the chunk sizes.
Recording readRecording(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    Recording recording;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + static_cast<long>(at),
                             bytes.begin() + static_cast<long>(at) + 4);
        const std::uint32_t size = little(bytes, at + 4, 4);
        if (id == "fmt ") {
            recording.channels = little(bytes, at + 10, 2);
            recording.rate = little(bytes, at + 12, 4);
            EXPECT_EQ(little(bytes, at + 22, 2), 16u);
        } else if (id == "data") {
            for (std::size_t i = at + 8; i + 1 < bytes.size(); i += 2)
                recording.samples.push_back(static_cast<std::int16_t>(little(bytes, i, 2)) /
                                            32768.f);
            break;
        }
        at += 8 + size;
    }
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

// A stretch of a track file from its beginning, mixed at the given linear gains.
Recording mixOfTracks(const std::vector<std::pair<std::string, float>>& tracks, double seconds)
{
    Recording mix;
    for (const auto& track : tracks) {
        sf::InputSoundFile file;
        EXPECT_TRUE(file.openFromFile(track.first));
        mix.channels = file.getChannelCount();
        mix.rate = file.getSampleRate();
        std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * mix.rate) * mix.channels);
        samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
        mix.samples.resize(samples.size(), 0.f);
        for (std::size_t i = 0; i < samples.size(); ++i)
            mix.samples[i] += track.second * samples[i] / 32768.f;
    }
    return mix;
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

    // The same stretches of the files, mixed as the game mixes them: the menu theme alone, then
    // layer 1 at full volume with the ambience at half and the other three layers silent.
    const Recording menu = mixOfTracks({{"data/music/MenuMusic.wav", 1.f}}, 1.0);
    const Recording game =
        mixOfTracks({{"data/music/Layer1.wav", 1.f}, {"data/music/Ambiance.wav", 0.5f}}, 1.5);
    const double menuHeard = rms(recording, menuStart + 0.25, menuStart + 0.9);
    const double gameHeard = rms(recording, gameStart + 0.25, gameStart + 1.3);
    EXPECT_GT(menuHeard, 0.01);
    const double menuGain = menuHeard / rms(menu, 0.25, 0.9);
    const double gameGain = gameHeard / rms(game, 0.25, 1.3);
    EXPECT_NEAR(gameGain / menuGain, 1.0, 0.25) << "menu " << menuHeard << ", game " << gameHeard;
    std::filesystem::remove_all(folder);
}

}
