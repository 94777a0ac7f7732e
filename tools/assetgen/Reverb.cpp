#include "Reverb.hpp"

#include "Synth.hpp"

#include <algorithm>

namespace synth {

namespace {
std::vector<float> delayLine(double seconds)
{
    return std::vector<float>(std::max<std::size_t>(1, samplesFor(seconds)), 0.f);
}
}

Reverb::Reverb(double size, float damping, std::size_t spread) : feedback(0.84f), damping(damping)
{
    // Mutually prime delay lengths so the echoes do not pile up on one pitch.
    const double combSeconds[] = {0.0253, 0.0269, 0.0290, 0.0307, 0.0322, 0.0338};
    const double allpassSeconds[] = {0.0126, 0.0100};
    const double extra = static_cast<double>(spread) / sampleRate;
    for (double seconds : combSeconds)
        combs.push_back(Line{delayLine(seconds * size + extra)});
    for (double seconds : allpassSeconds)
        allpasses.push_back(Line{delayLine(seconds + extra)});
}

float Reverb::process(float input)
{
    float output = 0.f;
    for (Line& comb : combs) {
        const float delayed = comb.samples[comb.position];
        comb.memory = delayed * (1.f - damping) + comb.memory * damping;
        comb.samples[comb.position] = input + comb.memory * feedback;
        comb.position = (comb.position + 1) % comb.samples.size();
        output += delayed;
    }
    output /= static_cast<float>(combs.size());
    for (Line& allpass : allpasses) {
        const float delayed = allpass.samples[allpass.position];
        allpass.samples[allpass.position] = output + delayed * 0.5f;
        allpass.position = (allpass.position + 1) % allpass.samples.size();
        output = delayed - output * 0.5f;
    }
    return output;
}

Echo::Echo(double seconds, float feedback) : line(delayLine(seconds)), feedback(feedback) {}

float Echo::process(float input)
{
    const float delayed = line[position];
    line[position] = input + delayed * feedback;
    position = (position + 1) % line.size();
    return delayed;
}

}
