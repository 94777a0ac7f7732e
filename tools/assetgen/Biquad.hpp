#pragma once

namespace synth {

// A second-order filter with the usual audio-cookbook responses. Its settings can change from
// sample to sample (sweeps) without losing its state.
class Biquad {
public:
    enum Kind { Lowpass, Highpass, Bandpass };

    Biquad(Kind kind, double hz, double q = 0.707);

    void set(double hz, double q);
    float process(float input);

private:
    Kind kind;
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

}
