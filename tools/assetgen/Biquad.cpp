#include "Biquad.hpp"

#include "Synth.hpp"

#include <algorithm>
#include <cmath>

namespace synth {

Biquad::Biquad(Kind kind, double hz, double q) : kind(kind) { set(hz, q); }

void Biquad::set(double hz, double q)
{
    // Keep the corner below Nyquist: a sweep that overshoots must not blow the filter up.
    const double omega = 2.0 * pi * std::clamp(hz, 10.0, 0.45 * sampleRate) / sampleRate;
    const double alpha = std::sin(omega) / (2.0 * q);
    const double cosine = std::cos(omega);
    const double a0 = 1.0 + alpha;
    switch (kind) {
    case Lowpass:
        b0 = (1.0 - cosine) / 2.0;
        b1 = 1.0 - cosine;
        b2 = b0;
        break;
    case Highpass:
        b0 = (1.0 + cosine) / 2.0;
        b1 = -(1.0 + cosine);
        b2 = b0;
        break;
    case Bandpass:
        b0 = alpha;
        b1 = 0.0;
        b2 = -alpha;
        break;
    }
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 = -2.0 * cosine / a0;
    a2 = (1.0 - alpha) / a0;
}

float Biquad::process(float input)
{
    const double output = b0 * input + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = input;
    y2 = y1;
    y1 = output;
    return static_cast<float>(output);
}

}
