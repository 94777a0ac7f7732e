#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Track {
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<sf::Int16> samples;

    double seconds() const { return static_cast<double>(frames()) / rate; }
    std::size_t frames() const { return samples.size() / channels; }
};

Track decode(const std::string& path)
{
    Track track;
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return track;
    track.channels = file.getChannelCount();
    track.rate = file.getSampleRate();
    track.samples.resize(static_cast<std::size_t>(file.getSampleCount()));
    track.samples.resize(
        static_cast<std::size_t>(file.read(track.samples.data(), track.samples.size())));
    return track;
}

int peakOf(const Track& track)
{
    int peak = 0;
    for (sf::Int16 sample : track.samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

double rmsOf(const Track& track)
{
    double sum = 0.0;
    for (sf::Int16 sample : track.samples)
        sum += static_cast<double>(sample) * sample;
    return std::sqrt(sum / static_cast<double>(track.samples.size())) / 32768.0;
}

// The jump from the last frame back to the first, against the jumps the music makes anyway.
void expectSeamlessLoop(const Track& track, const std::string& name)
{
    for (unsigned channel = 0; channel < track.channels; ++channel) {
        std::vector<int> jumps;
        for (std::size_t frame = 1; frame < track.frames(); ++frame)
            jumps.push_back(std::abs(track.samples[frame * track.channels + channel] -
                                     track.samples[(frame - 1) * track.channels + channel]));
        std::nth_element(jumps.begin(), jumps.begin() + jumps.size() * 99 / 100, jumps.end());
        const int usual = jumps[jumps.size() * 99 / 100];
        const int seam = std::abs(track.samples[channel] -
                                  track.samples[(track.frames() - 1) * track.channels + channel]);
        EXPECT_LE(seam, usual) << name << " channel " << channel;
    }
}

const char* const effectFiles[] = {"Bip.wav",
                                   "Valid.wav",
                                   "Invalid.wav",
                                   "Steps.wav",
                                   "Monster.wav",
                                   "MonsterAwake.wav",
                                   "Shock.wav",
                                   "Voice_DoorCrush.wav",
                                   "Switch.wav",
                                   "Reboot.wav",
                                   "Door_Crush.wav",
                                   "Door_ExitLevel.wav",
                                   "Door_OpenClose.wav",
                                   "Menu_Click.wav",
                                   "Menu_CloseWindow.wav",
                                   "Menu_Hover.wav",
                                   "Menu_NewWindow.wav",
                                   "PowerUp.wav",
                                   "PowerDown.wav",
                                   "Door_LightOn.wav",
                                   "Door_LightOff.wav",
                                   "Monster_Respawn.WAV",
                                   "Player_Death.WAV",
                                   "Voice_Start.wav",
                                   "Voice_Level1.wav",
                                   "Voice_Level2.wav",
                                   "Voice_Level3.wav",
                                   "Voice_Level4.wav",
                                   "Voice_PowerDown.wav",
                                   "Voice_PowerOn.wav",
                                   "Voice_Exit.wav",
                                   "Voice_Level0.wav"};

TEST(AudioContentTest, MusicLayersAreOneSeamlessPieceRisingInIntensity)
{
    double previousRms = 0.0;
    std::size_t layerFrames = 0;
    for (int layer = 1; layer <= 4; ++layer) {
        const std::string name = "data/music/Layer" + std::to_string(layer) + ".wav";
        const Track track = decode(name);
        ASSERT_GT(track.channels, 0u) << name;
        EXPECT_GE(track.seconds(), 30.0) << name;
        if (layer > 1) {
            EXPECT_EQ(track.frames(), layerFrames) << name;
        }
        layerFrames = track.frames();
        EXPECT_LT(peakOf(track), 32767) << name;
        EXPECT_GT(rmsOf(track), previousRms) << name;
        previousRms = rmsOf(track);
        expectSeamlessLoop(track, name);
    }
    for (const char* name : {"data/music/MenuMusic.wav", "data/music/Ambiance.wav"}) {
        const Track track = decode(name);
        ASSERT_GT(track.channels, 0u) << name;
        EXPECT_GE(track.seconds(), 20.0) << name;
        EXPECT_LT(peakOf(track), 32767) << name;
        EXPECT_GT(rmsOf(track), 0.03) << name;
        expectSeamlessLoop(track, name);
    }
}

TEST(AudioContentTest, EffectsAreShortUnclippedAndShareOnePeak)
{
    int commonPeak = 0;
    for (const char* file : effectFiles) {
        const std::string name = std::string("data/sfx/") + file;
        const Track track = decode(name);
        ASSERT_GT(track.channels, 0u) << name;
        EXPECT_GT(track.seconds(), 0.02) << name;
        const bool voice = std::string(file).rfind("Voice_", 0) == 0;
        EXPECT_LT(track.seconds(), voice ? 3.0 : 4.0) << name;
        const int peak = peakOf(track);
        EXPECT_LT(peak, 32767) << name;
        if (commonPeak == 0)
            commonPeak = peak;
        EXPECT_NEAR(peak, commonPeak, commonPeak / 100) << name;
        EXPECT_GT(rmsOf(track), 0.01) << name;
    }
}

TEST(AudioContentTest, EffectsAreAllDifferentSounds)
{
    std::vector<std::vector<sf::Int16>> seen;
    for (const char* file : effectFiles) {
        const Track track = decode(std::string("data/sfx/") + file);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), track.samples), 0) << file;
        seen.push_back(track.samples);
    }
}

std::vector<char> bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AudioContentTest, GeneratorWritesTheSameSoundsOnEveryRun)
{
    const std::filesystem::path generator =
        std::filesystem::path(KESTRIVON_BINARY_DIR) / "tools/assetgen";
    if (!std::filesystem::exists(generator))
        GTEST_SKIP() << "this build does not generate its assets";
    const std::filesystem::path again =
        std::filesystem::temp_directory_path() / ("kestrivon-assets-" + std::to_string(getpid()));
    const std::string command =
        "ALSOFT_DRIVERS=null '" + generator.string() + "' '" + again.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* folder : {"music", "sfx"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path("data") / folder)) {
            EXPECT_EQ(bytesOf(entry.path()), bytesOf(again / folder / entry.path().filename()))
                << entry.path();
        }
    }
    std::filesystem::remove_all(again);
}

}
