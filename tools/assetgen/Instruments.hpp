#pragma once

#include "Biquad.hpp"
#include "Noise.hpp"
#include "Synth.hpp"

#include <functional>

// Building blocks shared by the music and the effects: one-shot sounds rendered to a signal.
namespace synth {

// Calls shape(t) for each sample of a signal of the given length and stores what it returns.
Signal render(double seconds, const std::function<float(double)>& shape);

// Waveforms with the plain signature glide takes.
float sineWave(double phase);
float triangleWave(double phase);
float squareWave(double phase);

// A struck tone whose frequency glides exponentially from one value to another.
Signal glide(double seconds, double fromHz, double toHz, double attack, double halfLife,
             float (*wave)(double));
// A heavy low impact with a falling pitch: drums, doors, bodies, machinery.
Signal thud(double seconds, double fromHz, double toHz, double halfLife);
// A burst of filtered noise: the body of clicks, hisses, snares and crashes.
Signal noiseBurst(Noise& noise, double seconds, Biquad filter, double attack, double halfLife);
// Struck metal: inharmonic partials, the higher ones dying first.
Signal metal(double seconds, double hz, double halfLife);
// A linear fade in over attack seconds and out over the last release seconds.
void envelope(Signal& signal, double attack, double release);

}
