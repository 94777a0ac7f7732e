#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The small synthesiser toolkit behind the generated music and effects: signals are float
// samples in -1..1 at one fixed rate, built from oscillators, envelopes, noise and filters.
namespace synth {

constexpr unsigned sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

using Signal = std::vector<float>;

std::size_t samplesFor(double seconds);
double noteHz(double midiNote);
// The nearest frequency that completes a whole number of cycles in the loop, so a held tone
// meets itself at the loop point without a click.
double loopHz(double hz, double loopSeconds);

// Waveforms of a phase counted in cycles (only its fraction matters).
float sine(double phase);
float saw(double phase);
float square(double phase, double duty = 0.5);
float triangle(double phase);

// 0 before the start, a linear rise over attack seconds, then an exponential fall whose level
// halves every halfLife seconds.
float strike(double t, double attack, double halfLife);

// Adds source into target at offset, scaled by gain; what falls past the end is dropped, or
// wraps to the start when looped (a tail that rings over the loop point).
void mixInto(Signal& target, const Signal& source, std::size_t offset, float gain,
             bool looped = false);

float peakOf(const Signal& signal);
float rmsOf(const Signal& signal);
void scale(Signal& signal, float gain);
void normalisePeak(Signal& signal, float peak);
// Saturates with tanh at the given drive, keeping quiet passages linear.
void saturate(Signal& signal, float drive);
void fadeEdges(Signal& signal, double fadeIn, double fadeOut);
// Drops leading and trailing samples quieter than threshold.
void trimSilence(Signal& signal, float threshold);

// Runs a stateful per-sample process over a loop twice, keeping the second pass: the process
// then starts in the state it ends in, and the loop point is seamless.
template <class Process> void processLooped(Signal& signal, Process&& process)
{
    for (float sample : signal)
        process(sample);
    for (float& sample : signal)
        sample = process(sample);
}

// Converts to 16-bit samples; values are clamped, so a signal at or below full scale never wraps.
std::vector<std::int16_t> toPcm(const Signal& mono);
std::vector<std::int16_t> toPcm(const Signal& left, const Signal& right);

}
