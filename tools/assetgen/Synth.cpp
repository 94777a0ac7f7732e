#include "Synth.hpp"

#include <algorithm>
#include <cmath>

namespace synth {

std::size_t samplesFor(double seconds)
{
    return static_cast<std::size_t>(std::lround(seconds * sampleRate));
}

double noteHz(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

double loopHz(double hz, double loopSeconds)
{
    return std::max(1.0, std::round(hz * loopSeconds)) / loopSeconds;
}

float sine(double phase) { return static_cast<float>(std::sin(2.0 * pi * phase)); }

float saw(double phase) { return static_cast<float>(2.0 * (phase - std::floor(phase)) - 1.0); }

float square(double phase, double duty) { return phase - std::floor(phase) < duty ? 1.f : -1.f; }

float triangle(double phase)
{
    const double fraction = phase - std::floor(phase);
    return static_cast<float>(fraction < 0.5 ? 4.0 * fraction - 1.0 : 3.0 - 4.0 * fraction);
}

float strike(double t, double attack, double halfLife)
{
    if (t < 0.0)
        return 0.f;
    if (t < attack)
        return static_cast<float>(t / attack);
    return static_cast<float>(std::exp2(-(t - attack) / halfLife));
}

void mixInto(Signal& target, const Signal& source, std::size_t offset, float gain, bool looped)
{
    if (target.empty())
        return;
    for (std::size_t i = 0; i < source.size(); ++i) {
        std::size_t at = offset + i;
        if (at >= target.size()) {
            if (!looped)
                return;
            at %= target.size();
        }
        target[at] += gain * source[i];
    }
}

float peakOf(const Signal& signal)
{
    float peak = 0.f;
    for (float sample : signal)
        peak = std::max(peak, std::fabs(sample));
    return peak;
}

float rmsOf(const Signal& signal)
{
    if (signal.empty())
        return 0.f;
    double sum = 0.0;
    for (float sample : signal)
        sum += static_cast<double>(sample) * sample;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(signal.size())));
}

void scale(Signal& signal, float gain)
{
    for (float& sample : signal)
        sample *= gain;
}

void normalisePeak(Signal& signal, float peak)
{
    const float current = peakOf(signal);
    if (current > 0.f)
        scale(signal, peak / current);
}

void saturate(Signal& signal, float drive)
{
    const float norm = std::tanh(drive);
    for (float& sample : signal)
        sample = std::tanh(sample * drive) / norm;
}

void fadeEdges(Signal& signal, double fadeIn, double fadeOut)
{
    const std::size_t in = std::min(samplesFor(fadeIn), signal.size());
    const std::size_t out = std::min(samplesFor(fadeOut), signal.size());
    for (std::size_t i = 0; i < in; ++i)
        signal[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i)
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

void trimSilence(Signal& signal, float threshold)
{
    const auto loud = [threshold](float sample) { return std::fabs(sample) >= threshold; };
    const auto first = std::find_if(signal.begin(), signal.end(), loud);
    if (first == signal.end()) {
        signal.clear();
        return;
    }
    const auto last = std::find_if(signal.rbegin(), signal.rend(), loud).base();
    signal = Signal(first, last);
}

namespace {
std::int16_t pcm(float sample)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.f, 1.f) * 32767.f));
}
}

std::vector<std::int16_t> toPcm(const Signal& mono)
{
    std::vector<std::int16_t> samples(mono.size());
    std::transform(mono.begin(), mono.end(), samples.begin(), pcm);
    return samples;
}

std::vector<std::int16_t> toPcm(const Signal& left, const Signal& right)
{
    std::vector<std::int16_t> samples(2 * std::min(left.size(), right.size()));
    for (std::size_t i = 0; i < samples.size() / 2; ++i) {
        samples[2 * i] = pcm(left[i]);
        samples[2 * i + 1] = pcm(right[i]);
    }
    return samples;
}

}
