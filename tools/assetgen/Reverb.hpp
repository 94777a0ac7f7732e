#pragma once

#include <cstddef>
#include <vector>

namespace synth {

// A small room: parallel damped feedback delays blurred by two all-pass stages (the classic
// Schroeder layout). Two instances with different spreads give a wide stereo tail.
class Reverb {
public:
    // size scales the room (1 is a hall-sized tail), damping 0..1 darkens the echoes, spread
    // offsets the delays of a second channel.
    Reverb(double size, float damping, std::size_t spread = 0);

    // The wet signal for one input sample.
    float process(float input);

private:
    struct Line {
        std::vector<float> samples;
        std::size_t position = 0;
        float memory = 0.f;
    };

    std::vector<Line> combs;
    std::vector<Line> allpasses;
    float feedback;
    float damping;
};

// A single repeating echo: the delayed signal fed back into the line at the given level.
class Echo {
public:
    Echo(double seconds, float feedback);

    // The echoes for one input sample, without the input itself.
    float process(float input);

private:
    std::vector<float> line;
    std::size_t position = 0;
    float feedback;
};

}
