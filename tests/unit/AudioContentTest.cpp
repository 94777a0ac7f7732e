#include "audio/Music.hpp"
#include "common/AssetList.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

// One shipped sound, decoded: its length, its loudest sample, its loudness (root mean square, 1 =
// full scale), and whether it loops without a click: the jump from its last frame back to its
// first is no larger than 99 in 100 of the jumps the sound makes anyway.
struct Heard {
    std::size_t frames = 0;
    double seconds = 0.0;
    int peak = 0;
    double rms = 0.0;
    bool seamless = true;
};

Heard listen(const std::string& path)
{
    Heard heard;
    sf::InputSoundFile file;
    if (!file.openFromFile(path) || file.getSampleCount() < 2u * file.getChannelCount())
        return heard;
    const std::size_t channels = file.getChannelCount();
    std::vector<sf::Int16> samples(static_cast<std::size_t>(file.getSampleCount()));
    samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
    heard.frames = samples.size() / channels;
    heard.seconds = static_cast<double>(heard.frames) / file.getSampleRate();
    double sum = 0.0;
    for (sf::Int16 sample : samples) {
        heard.peak = std::max(heard.peak, std::abs(static_cast<int>(sample)));
        sum += static_cast<double>(sample) * sample;
    }
    heard.rms = std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
    for (std::size_t channel = 0; channel < channels; ++channel) {
        std::vector<int> jumps;
        for (std::size_t i = channel + channels; i < samples.size(); i += channels)
            jumps.push_back(std::abs(samples[i] - samples[i - channels]));
        std::nth_element(jumps.begin(), jumps.begin() + jumps.size() * 99 / 100, jumps.end());
        const int seam = std::abs(samples[channel] - samples[samples.size() - channels + channel]);
        heard.seamless = heard.seamless && seam <= jumps[jumps.size() * 99 / 100];
    }
    return heard;
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
            const Heard sound = listen(assets::inDataFolder(kind.files[index]));
            EXPECT_GE(sound.seconds, kind.minSeconds);
            EXPECT_LT(sound.seconds, kind.maxSeconds);
            EXPECT_LT(sound.peak, 32767);
            EXPECT_GT(sound.rms, quieter);
            EXPECT_TRUE(sound.seamless || !kind.loops);
            if (!kind.loops) {
                peak = peak ? peak : sound.peak;
                EXPECT_NEAR(sound.peak, peak, peak / 100);
            }
            if (!kind.layers)
                continue;
            EXPECT_TRUE(index == 0 || sound.frames == layerFrames);
            layerFrames = sound.frames;
            quieter = sound.rms;
        }
    }
}

} // namespace
