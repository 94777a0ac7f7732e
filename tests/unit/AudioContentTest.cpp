#include "audio/Music.hpp"
#include "core/AssetList.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
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

// What a player hears of each shipped sound: its length, a level short of clipping and never
// silence, no click where a track loops; the four layers are one piece of one length, each louder
// than the one below, and the effects share one peak.
TEST(AudioContentTest, EverySoundHasItsLengthItsLevelAndNoClickWhereItLoops)
{
    const struct {
        const char* const* files;
        std::size_t count;
        double minSeconds;
        double maxSeconds;
        bool layers;
        bool loops;
    } kinds[] = {
        {assets::trackFiles, Music::TrackLayer4 + 1, 30.0, 600.0, true, true},
        {assets::trackFiles + Music::TrackMenu, 2, 20.0, 600.0, false, true},
        {assets::effectFiles, std::size(assets::effectFiles), 0.02, 4.0, false, false},
    };
    for (const auto& kind : kinds) {
        double quieter = 0.01;
        std::size_t layerFrames = 0;
        int peak = 0;
        for (std::size_t index = 0; index < kind.count; ++index) {
            SCOPED_TRACE(kind.files[index]);
            const Track track = decode(assets::inDataFolder(kind.files[index]));
            ASSERT_GT(track.channels, 0u);
            EXPECT_GE(track.seconds(), kind.minSeconds);
            EXPECT_LT(track.seconds(), kind.maxSeconds);
            EXPECT_LT(track.peak, 32767);
            EXPECT_GT(track.rms, quieter);
            if (kind.loops) {
                expectSeamlessLoop(track);
            } else {
                peak = peak ? peak : track.peak;
                EXPECT_NEAR(track.peak, peak, peak / 100);
            }
            if (!kind.layers)
                continue;
            EXPECT_TRUE(index == 0 || track.frames() == layerFrames);
            layerFrames = track.frames();
            quieter = track.rms;
        }
    }
}

} // namespace
