#include "support/TempRunFolder.hpp"

#include "audio/Music.hpp"
#include "core/AssetList.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A decoded file with its loudest sample and its loudness (root mean square, 1 = full scale).
struct Track {
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<sf::Int16> samples;
    int peak = 0;
    double rms = 0.0;

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
    double sum = 0.0;
    for (sf::Int16 sample : track.samples) {
        track.peak = std::max(track.peak, std::abs(static_cast<int>(sample)));
        sum += static_cast<double>(sample) * sample;
    }
    track.rms = std::sqrt(sum / static_cast<double>(track.samples.size())) / 32768.0;
    return track;
}

// The jump from the last frame back to the first, against the jumps the music makes anyway.
void expectSeamlessLoop(const Track& track)
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
        EXPECT_LE(seam, usual) << "channel " << channel;
    }
}

// Every track loops without a click; the four layers are one piece of one length, each louder
// than the one below.
TEST(AudioContentTest, MusicLoopsSeamlesslyAndTheLayersRiseInIntensity)
{
    double previousRms = 0.0;
    std::size_t layerFrames = 0;
    for (int index = 0; index < Music::TrackCount; ++index) {
        const std::string name = assets::inDataFolder(assets::trackFiles[index]);
        SCOPED_TRACE(name);
        const Track track = decode(name);
        ASSERT_GT(track.channels, 0u);
        const bool layer = index <= Music::TrackLayer4;
        EXPECT_GE(track.seconds(), layer ? 30.0 : 20.0);
        EXPECT_LT(track.peak, 32767);
        EXPECT_GT(track.rms, layer ? previousRms : 0.03);
        expectSeamlessLoop(track);
        if (!layer)
            continue;
        EXPECT_TRUE(index == Music::TrackLayer1 || track.frames() == layerFrames);
        layerFrames = track.frames();
        previousRms = track.rms;
    }
}

// Effects are short, unclipped, equally loud at their peaks and all different sounds.
TEST(AudioContentTest, EffectsAreShortUnclippedDistinctAndShareOnePeak)
{
    int commonPeak = 0;
    std::vector<std::vector<sf::Int16>> seen;
    for (const char* file : assets::effectFiles) {
        SCOPED_TRACE(file);
        const Track track = decode(assets::inDataFolder(file));
        ASSERT_GT(track.channels, 0u);
        EXPECT_GT(track.seconds(), 0.02);
        const bool voice = std::string(file).rfind("sfx/Voice_", 0) == 0;
        EXPECT_LT(track.seconds(), voice ? 3.0 : 4.0);
        EXPECT_LT(track.peak, 32767);
        commonPeak = commonPeak ? commonPeak : track.peak;
        EXPECT_NEAR(track.peak, commonPeak, commonPeak / 100);
        EXPECT_GT(track.rms, 0.01);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), track.samples), 0);
        seen.push_back(track.samples);
    }
}

TEST(AudioContentTest, GeneratorWritesTheSameSoundsOnEveryRun)
{
    const std::filesystem::path generator =
        std::filesystem::path(KESTRIVON_BINARY_DIR) / "tools/assetgen";
    if (!std::filesystem::exists(generator))
        GTEST_SKIP() << "this build does not generate its assets";
    const TempRunFolder again;
    const std::string command = "ALSOFT_DRIVERS=null '" + generator.string() + "' '" +
                                (again.path() / "data").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* kind : {"data/music", "data/sfx"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kind)) {
            std::ifstream shipped(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << shipped.rdbuf();
            EXPECT_TRUE(bytes.str() == again.read(entry.path())) << entry.path();
        }
    }
}

} // namespace
