#include "VoiceArt.hpp"

#include "Assets.hpp"
#include "Biquad.hpp"
#include "Noise.hpp"
#include "Reverb.hpp"
#include "Synth.hpp"
#include "common/AssetList.hpp"
#include "common/SoundSlot.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

using namespace synth;

namespace {

const double longestLine = 2.8;

[[noreturn]] void fail(const std::string& why)
{
    std::cerr << "assetgen: " << why << "\n";
    std::exit(1);
}

std::uint32_t readLittle(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

// espeak-ng streams a WAV whose size fields are placeholders: read the format, then take every
// sample that follows the data chunk's header.
Signal decodeStream(const std::vector<unsigned char>& wav)
{
    if (wav.size() < 12 || std::memcmp(wav.data(), "RIFF", 4) != 0)
        fail("espeak-ng did not produce a WAV stream");
    unsigned rate = 0;
    std::size_t at = 12;
    while (at + 8 <= wav.size()) {
        const std::uint32_t size = readLittle(&wav[at + 4], 4);
        if (std::memcmp(&wav[at], "fmt ", 4) == 0 && at + 16 <= wav.size()) {
            rate = readLittle(&wav[at + 12], 4);
        } else if (std::memcmp(&wav[at], "data", 4) == 0) {
            at += 8;
            break;
        }
        at += 8 + size;
    }
    if (rate == 0)
        fail("espeak-ng's WAV stream has no format");
    Signal speech;
    for (; at + 1 < wav.size(); at += 2)
        speech.push_back(static_cast<float>(static_cast<std::int16_t>(readLittle(&wav[at], 2))) /
                         32768.f);
    // Bring the voice to the effects' rate by linear interpolation.
    if (rate != sampleRate && !speech.empty()) {
        const double ratio = static_cast<double>(rate) / sampleRate;
        Signal resampled(static_cast<std::size_t>(static_cast<double>(speech.size()) / ratio));
        for (std::size_t i = 0; i < resampled.size(); ++i) {
            const double source = static_cast<double>(i) * ratio;
            const std::size_t index = static_cast<std::size_t>(source);
            const float next = index + 1 < speech.size() ? speech[index + 1] : speech[index];
            const float fraction = static_cast<float>(source - static_cast<double>(index));
            resampled[i] = speech[index] + (next - speech[index]) * fraction;
        }
        speech.swap(resampled);
    }
    return speech;
}

Signal speak(const std::string& text, int wordsPerMinute)
{
    const std::string command = "espeak-ng --stdout -v en-us+announcer -p 38 -s " +
                                std::to_string(wordsPerMinute) + " '" + text + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        fail("cannot run espeak-ng");
    std::vector<unsigned char> wav;
    unsigned char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        wav.insert(wav.end(), chunk, chunk + got);
    if (pclose(pipe) != 0)
        fail("espeak-ng failed on \"" + text + "\" (is the espeak-ng package installed?)");
    Signal speech = decodeStream(wav);
    trimSilence(speech, 0.01f);
    return speech;
}

// A burst of shaped static, the click of a transmitter keying up or letting go.
Signal squelch(Noise& noise, double seconds)
{
    Signal burst(samplesFor(seconds));
    Biquad band(Biquad::Bandpass, 2500.0, 0.8);
    for (std::size_t i = 0; i < burst.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        burst[i] = band.process(noise.next()) * strike(t, 0.002, seconds / 4);
    }
    return burst;
}

Signal radio(const Signal& speech, std::uint32_t seed)
{
    Noise noise(seed);
    const Signal keyUp = squelch(noise, 0.05);
    const Signal letGo = squelch(noise, 0.12);
    const std::size_t lead = samplesFor(0.07);
    const std::size_t tail = samplesFor(0.3);
    Signal line(lead + speech.size() + tail, 0.f);
    mixInto(line, speech, lead, 1.f);

    // The narrow band of a small loudspeaker, driven a little too hard.
    Biquad lowCut1(Biquad::Highpass, 320.0), lowCut2(Biquad::Highpass, 320.0);
    Biquad highCut1(Biquad::Lowpass, 3300.0), highCut2(Biquad::Lowpass, 3300.0);
    Biquad presence(Biquad::Bandpass, 1800.0, 1.2);
    for (float& sample : line) {
        const float band =
            highCut2.process(highCut1.process(lowCut2.process(lowCut1.process(sample * 3.f))));
        sample = band + 0.6f * presence.process(band);
    }
    normalisePeak(line, 1.f);
    saturate(line, 1.8f);

    // The announcement comes back off the far walls of the hall.
    Echo slap(0.11, 0.25f);
    Reverb hall(0.7, 0.5f);
    for (float& sample : line)
        sample += 0.3f * slap.process(sample) + 0.25f * hall.process(sample);

    // Hiss under the voice while the channel is open, squelch at both ends.
    Biquad hissBand(Biquad::Bandpass, 3000.0, 0.5);
    const float hissLevel = 0.02f * peakOf(line);
    for (float& sample : line)
        sample += hissLevel * hissBand.process(noise.next());
    mixInto(line, keyUp, 0, 0.5f * peakOf(line));
    mixInto(line, letGo, lead + speech.size(), 0.5f * peakOf(line));
    fadeEdges(line, 0.002, 0.05);
    return line;
}

struct Line {
    SoundSlot::Effect effect;
    const char* text;
};

// The announcements in the order they are recorded: each takes the next seed for its channel.
const Line lines[] = {
    {SoundSlot::VoiceStart, "Link established. Find the samples."},
    {SoundSlot::VoiceLevel0, "First sample secured."},
    {SoundSlot::VoiceLevel1, "Radiation rising."},
    {SoundSlot::VoiceLevel2, "Radiation high."},
    {SoundSlot::VoiceLevel3, "Warning. Radiation critical."},
    {SoundSlot::VoiceLevel4, "All samples secured. Find the exit."},
    {SoundSlot::VoicePowerDown, "Warning. Power failure."},
    {SoundSlot::VoicePowerOn, "Power restored."},
    {SoundSlot::VoiceExit, "Evacuation complete."},
    {SoundSlot::VoiceDoorCrush, "Door obstructed. Casualty reported."},
};

} // namespace

void writeVoiceLines(const std::string& dataDir, float peak)
{
    std::uint32_t seed = 4100;
    for (const Line& line : lines) {
        // Speak faster until the line, with its squelch and echo, fits the time it is given.
        Signal spoken;
        for (int speed = 165;
             spoken.empty() || static_cast<double>(spoken.size()) / sampleRate > longestLine;
             speed += 15) {
            if (speed > 300)
                fail(std::string("voice line too long: ") + line.text);
            spoken = radio(speak(line.text, speed), seed);
        }
        normalisePeak(spoken, peak);
        saveSamples(toPcm(spoken), 1, sampleRate,
                    dataFile(dataDir, assets::effectFiles[line.effect]));
        ++seed;
    }
}
