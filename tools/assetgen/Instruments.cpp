#include "Instruments.hpp"

#include <cmath>

namespace synth {

Signal render(double seconds, const std::function<float(double)>& shape)
{
    Signal signal(samplesFor(seconds));
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] = shape(static_cast<double>(i) / sampleRate);
    return signal;
}

float sineWave(double phase) { return sine(phase); }
float triangleWave(double phase) { return triangle(phase); }
float squareWave(double phase) { return square(phase); }

Signal glide(double seconds, double fromHz, double toHz, double attack, double halfLife,
             float (*wave)(double))
{
    double phase = 0.0;
    return render(seconds, [&](double t) {
        phase += fromHz * std::pow(toHz / fromHz, t / seconds) / sampleRate;
        return wave(phase) * strike(t, attack, halfLife);
    });
}

Signal thud(double seconds, double fromHz, double toHz, double halfLife)
{
    return glide(seconds, fromHz, toHz, 0.002, halfLife, sineWave);
}

Signal noiseBurst(Noise& noise, double seconds, Biquad filter, double attack, double halfLife)
{
    return render(seconds, [&](double t) {
        return filter.process(noise.next()) * strike(t, attack, halfLife);
    });
}

Signal metal(double seconds, double hz, double halfLife)
{
    const double ratios[] = {1.0, 2.76, 5.40, 8.93, 13.34};
    return render(seconds, [&](double t) {
        float sum = 0.f;
        for (int k = 0; k < 5; ++k)
            sum += sine(hz * ratios[k] * t) * strike(t, 0.001, halfLife / (1.0 + k)) / (1.f + k);
        return sum;
    });
}

void envelope(Signal& signal, double attack, double release)
{
    const std::size_t in = samplesFor(attack);
    const std::size_t out = samplesFor(release);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        float gain = 1.f;
        if (i < in)
            gain = static_cast<float>(i) / static_cast<float>(in);
        if (i + out > signal.size())
            gain *= static_cast<float>(signal.size() - i) / static_cast<float>(out);
        signal[i] *= gain;
    }
}

}
