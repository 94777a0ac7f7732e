#include "Assets.hpp"
#include "Instruments.hpp"
#include "Reverb.hpp"
#include "common/SoundSlot.hpp"

#include <cmath>

using namespace synth;

namespace {

struct Stereo {
    Signal left;
    Signal right;

    explicit Stereo(std::size_t length) : left(length, 0.f), right(length, 0.f) {}

    void add(const Stereo& part, float gain)
    {
        mixInto(left, part.left, 0, gain);
        mixInto(right, part.right, 0, gain);
    }
};

// The grid of a looping piece: bars of four beats at one tempo. Every sound placed on it wraps
// its tail over the loop point, so the loop sounds as if it had always been playing.
struct Timing {
    double beat;
    int bars;

    double seconds() const { return beat * 4.0 * bars; }
    std::size_t length() const { return samplesFor(seconds()); }
    std::size_t at(double beats) const { return samplesFor(beats * beat) % length(); }
};

// Places a mono sound in the loop; pan runs from -1 (left) to 1 (right) at constant power.
void place(Stereo& out, const Signal& sound, std::size_t at, float gain, float pan = 0.f)
{
    const double angle = (pan + 1.0) * pi / 4.0;
    mixInto(out.left, sound, at, static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0)), true);
    mixInto(out.right, sound, at, static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0)),
            true);
}

template <class MakeProcess> void processBoth(Stereo& signal, MakeProcess makeProcess)
{
    auto left = makeProcess(0);
    auto right = makeProcess(1);
    processLooped(signal.left, left);
    processLooped(signal.right, right);
}

void lowpass(Stereo& signal, double hz, double q = 0.707)
{
    processBoth(signal, [=](int) {
        return [filter = Biquad(Biquad::Lowpass, hz, q)](float x) mutable {
            return filter.process(x);
        };
    });
}

// Adds repeats of the signal itself, delayed by seconds, each fed back at the given level.
void echo(Stereo& signal, double seconds, float feedback, float wet)
{
    processBoth(signal, [=](int channel) {
        // The right channel answers a little later, which spreads the repeats across the field.
        return [line = Echo(seconds * (channel ? 1.06 : 1.0), feedback), wet](float x) mutable {
            return x + wet * line.process(x);
        };
    });
}

void reverb(Stereo& signal, double size, float wet)
{
    Stereo send = signal;
    processBoth(send, [=](int channel) {
        return [room = Reverb(size, 0.45f, channel ? 23 : 0)](float x) mutable {
            return room.process(x);
        };
    });
    signal.add(send, wet);
}

float rmsOf(const Stereo& signal)
{
    const float left = synth::rmsOf(signal.left);
    const float right = synth::rmsOf(signal.right);
    return std::sqrt((left * left + right * right) / 2.f);
}

// Brings the mix to a loudness and rounds off the rare peaks that would pass the ceiling.
void master(Stereo& signal, float targetRms)
{
    const float knee = 0.6f;
    const float ceiling = 0.95f;
    const float gain = targetRms / rmsOf(signal);
    for (Signal* channel : {&signal.left, &signal.right}) {
        for (float& sample : *channel) {
            const float level = std::fabs(sample * gain);
            const float limited =
                level <= knee
                    ? level
                    : knee + (ceiling - knee) * std::tanh((level - knee) / (ceiling - knee));
            sample = std::copysign(limited, sample);
        }
    }
}

// Noise that repeats with the loop, so whatever filters it stays seamless.
Signal loopNoise(Noise& noise, std::size_t length)
{
    Signal signal(length);
    for (float& sample : signal)
        sample = noise.next();
    return signal;
}

struct Chord {
    int root;
    int notes[3];
};

// The game piece: D minor at 96 beats a minute (one beat per step of the player), 16 bars.
const Timing gameTiming{0.625, 16};
const Chord dm{38, {50, 53, 57}};
const Chord bb{34, {46, 50, 53}};
const Chord gm{31, {43, 46, 50}};
const Chord am{33, {45, 49, 52}};
const Chord progression[16] = {dm, dm, bb, am, dm, dm, gm, am, bb, bb, gm, am, dm, bb, gm, am};

Stereo drone(const Timing& timing)
{
    // Held tones complete whole cycles in the loop and the filter's sweep divides it evenly.
    const double loop = timing.seconds();
    const double sweep = loopHz(1.0 / (8.0 * timing.beat), loop);
    Stereo out(timing.length());
    for (int channel = 0; channel < 2; ++channel) {
        const double detune = channel ? 1.003 : 0.997;
        const double low = loopHz(noteHz(26) * detune, loop);
        const double octave = loopHz(noteHz(38) / detune, loop);
        const double fifth = loopHz(noteHz(45), loop);
        const double high = loopHz(noteHz(50) * detune, loop);
        Signal& signal = channel ? out.right : out.left;
        for (std::size_t i = 0; i < signal.size(); ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            signal[i] = 0.4f * saw(low * t) + 0.4f * saw(octave * t) + 0.2f * saw(fifth * t) +
                        0.25f * saw(high * t) + 0.4f * sine(low * t);
        }
        Biquad filter(Biquad::Lowpass, 200.0, 1.2);
        std::size_t i = 0;
        processLooped(signal, [&](float x) {
            if (i % 32 == 0) {
                const double t = static_cast<double>(i % signal.size()) / sampleRate;
                filter.set(260.0 + 380.0 * (0.5 + 0.5 * sine(sweep * t)), 1.2);
            }
            ++i;
            return filter.process(x);
        });
    }
    return out;
}

Stereo pulse(const Timing& timing)
{
    Stereo out(timing.length());
    Noise noise(38);
    Signal beat = thud(0.5, 130.0, 55.0, 0.07);
    mixInto(beat, noiseBurst(noise, 0.05, Biquad(Biquad::Bandpass, 900.0, 1.0), 0.001, 0.008), 0,
            0.3f);
    for (int b = 0; b < timing.bars * 4; ++b)
        place(out, beat, timing.at(b), b % 2 ? 0.6f : 1.f);
    return out;
}

Signal bassNote(double hz, double seconds)
{
    Biquad filter(Biquad::Lowpass, 800.0, 1.5);
    Signal note(samplesFor(seconds));
    for (std::size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        if (i % 16 == 0)
            filter.set(180.0 + 1100.0 * std::exp(-t / 0.07), 1.5);
        const float tone = 0.4f * saw(hz * t) + 0.4f * saw(hz * 1.006 * t) + 0.5f * sine(hz * t);
        note[i] = filter.process(tone) * strike(t, 0.004, 0.3);
    }
    envelope(note, 0.0, 0.03);
    return note;
}

Stereo bass(const Timing& timing)
{
    const int pattern[8] = {0, 0, 12, 0, 0, 0, 7, 12};
    Stereo out(timing.length());
    for (int bar = 0; bar < timing.bars; ++bar) {
        for (int step = 0; step < 8; ++step) {
            const Signal note = bassNote(noteHz(progression[bar].root + pattern[step]), 0.3);
            place(out, note, timing.at(bar * 4 + step * 0.5), step % 2 ? 0.7f : 1.f);
        }
    }
    return out;
}

// Sustained chords of detuned saws, one bar each, overlapping into the next bar's attack.
Stereo pad(const Timing& timing, const int (*notes)[4], int noteCount, double attack,
           double release, double cutoff)
{
    Stereo out(timing.length());
    const double seconds = 4.0 * timing.beat + release;
    for (int bar = 0; bar < timing.bars; ++bar) {
        for (int n = 0; n < noteCount; ++n) {
            const double hz = noteHz(notes[bar][n]);
            for (int channel = 0; channel < 2; ++channel) {
                const double detune = channel ? 1.004 : 0.996;
                Signal note(samplesFor(seconds));
                for (std::size_t i = 0; i < note.size(); ++i) {
                    const double t = static_cast<double>(i) / sampleRate;
                    note[i] = 0.6f * saw(hz * detune * t) + 0.4f * triangle(hz * 2.0 / detune * t);
                }
                envelope(note, attack, release);
                mixInto(channel ? out.right : out.left, note, timing.at(bar * 4), 0.3f, true);
            }
        }
    }
    lowpass(out, cutoff);
    return out;
}

Stereo gamePad(const Timing& timing)
{
    int notes[16][4];
    for (int bar = 0; bar < 16; ++bar) {
        for (int n = 0; n < 3; ++n)
            notes[bar][n] = progression[bar].notes[n];
        notes[bar][3] = 0;
    }
    return pad(timing, notes, 3, 0.4, 0.6, 1100.0);
}

Signal kickDrum(Noise& noise)
{
    Signal kick = thud(0.45, 150.0, 45.0, 0.08);
    mixInto(kick, noiseBurst(noise, 0.02, Biquad(Biquad::Lowpass, 3000.0), 0.0005, 0.003), 0, 0.4f);
    return kick;
}

Signal snareDrum(Noise& noise)
{
    Signal snare = noiseBurst(noise, 0.35, Biquad(Biquad::Bandpass, 1900.0, 0.6), 0.001, 0.05);
    mixInto(snare, thud(0.2, 230.0, 180.0, 0.03), 0, 0.5f);
    mixInto(snare, noiseBurst(noise, 0.25, Biquad(Biquad::Highpass, 5000.0), 0.001, 0.04), 0, 0.4f);
    return snare;
}

Signal hat(Noise& noise, double halfLife)
{
    return noiseBurst(noise, halfLife * 8.0, Biquad(Biquad::Highpass, 6500.0, 0.9), 0.001,
                      halfLife);
}

// A drum line: one hit at each listed beat of every bar (beats 0 to 4, sixteenths allowed).
Stereo drumLine(const Timing& timing, const Signal& hit, std::initializer_list<double> beats,
                float gain, float pan = 0.f)
{
    Stereo out(timing.length());
    for (int bar = 0; bar < timing.bars; ++bar)
        for (double beat : beats)
            place(out, hit, timing.at(bar * 4 + beat), gain, pan);
    return out;
}

Stereo sixteenthHats(const Timing& timing, Noise& noise)
{
    const float accents[4] = {0.5f, 0.3f, 0.85f, 0.3f};
    Stereo out(timing.length());
    for (int step = 0; step < timing.bars * 16; ++step)
        place(out, hat(noise, 0.018), timing.at(step * 0.25), accents[step % 4],
              step % 2 ? 0.25f : -0.25f);
    return out;
}

Stereo ping(const Timing& timing)
{
    Stereo out(timing.length());
    for (int bar = 0; bar < timing.bars; bar += 2)
        place(out, metal(2.5, noteHz(74), 0.5), timing.at(bar * 4), 1.f, bar % 4 ? 0.5f : -0.5f);
    echo(out, timing.beat * 1.5, 0.4f, 0.6f);
    return out;
}

Signal pluck(double hz, double seconds)
{
    Biquad filter(Biquad::Lowpass, 3000.0, 2.0);
    Signal note(samplesFor(seconds));
    for (std::size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        if (i % 16 == 0)
            filter.set(hz * 1.5 + 3000.0 * std::exp(-t / 0.05), 2.0);
        note[i] = filter.process(0.6f * saw(hz * t) + 0.4f * square(hz * t, 0.25)) *
                  strike(t, 0.002, 0.08);
    }
    return note;
}

Stereo arpeggio(const Timing& timing)
{
    const int pattern[16] = {0, 1, 2, 3, 2, 1, 0, 1, 0, 1, 2, 3, 2, 1, 2, 3};
    Stereo out(timing.length());
    for (int bar = 0; bar < timing.bars; ++bar) {
        for (int step = 0; step < 16; ++step) {
            const int index = pattern[step];
            const int note =
                index < 3 ? progression[bar].notes[index] + 12 : progression[bar].notes[0] + 24;
            place(out, pluck(noteHz(note), 0.3), timing.at(bar * 4 + step * 0.25),
                  step % 4 ? 0.7f : 1.f, step % 2 ? 0.4f : -0.4f);
        }
    }
    echo(out, timing.beat * 0.75, 0.35f, 0.4f);
    return out;
}

Stereo toms(const Timing& timing, Noise& noise)
{
    const double pitches[4] = {160.0, 130.0, 105.0, 85.0};
    Stereo out(timing.length());
    for (int bar = 3; bar < timing.bars; bar += 4) {
        for (int k = 0; k < 4; ++k) {
            Signal tom = thud(0.4, pitches[k] * 1.5, pitches[k], 0.1);
            mixInto(tom,
                    noiseBurst(noise, 0.05, Biquad(Biquad::Bandpass, 1200.0, 0.8), 0.001, 0.01), 0,
                    0.3f);
            place(out, tom, timing.at(bar * 4 + 3.0 + 0.25 * k), 1.f, 0.5f - 0.33f * k);
        }
    }
    return out;
}

Stereo clanks(const Timing& timing, Noise& noise)
{
    const double pitches[3] = {310.0, 370.0, 415.0};
    Stereo out(timing.length());
    int hit = 0;
    for (int bar = 1; bar < timing.bars; bar += 2) {
        for (double beat : {0.75, 1.5, 2.75, 3.5}) {
            Signal clank = metal(0.6, pitches[hit % 3], 0.12);
            saturate(clank, 2.f);
            place(out, clank, timing.at(bar * 4 + beat), 1.f,
                  static_cast<float>(noise.next() * 0.7));
            ++hit;
        }
    }
    return out;
}

// A tremolo cluster a semitone and a tritone apart that swells every four bars, and a siren.
Stereo dissonance(const Timing& timing)
{
    const double loop = timing.seconds();
    const double tremolo = loopHz(6.0, loop);
    const double swell = loopHz(1.0 / (16.0 * timing.beat), loop);
    const double siren = loopHz(1.0 / (8.0 * timing.beat), loop);
    Stereo out(timing.length());
    for (int channel = 0; channel < 2; ++channel) {
        const double detune = channel ? 1.002 : 0.998;
        const double cluster[3] = {loopHz(noteHz(74) * detune, loop),
                                   loopHz(noteHz(75) / detune, loop),
                                   loopHz(noteHz(68) * detune, loop)};
        Signal& signal = channel ? out.right : out.left;
        double sirenPhase = 0.0;
        for (std::size_t i = 0; i < signal.size(); ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            float tone = 0.f;
            for (double hz : cluster)
                tone += saw(hz * t);
            const float level =
                (0.6f + 0.4f * sine(tremolo * t)) * (0.5f - 0.5f * sine(swell * t + 0.25));
            sirenPhase += (700.0 + 200.0 * sine(siren * t)) / sampleRate;
            signal[i] = tone * level * 0.4f +
                        0.25f * sine(sirenPhase) * (0.5f - 0.5f * sine(swell * t + 0.25));
        }
        Biquad band(Biquad::Bandpass, 1400.0, 0.8);
        processLooped(signal, [&](float x) { return band.process(x); });
    }
    return out;
}

void writeGameLayers(const std::string& dataDir)
{
    const Timing& timing = gameTiming;
    Noise noise(1996);
    const Stereo drones = drone(timing);
    const Stereo pulses = pulse(timing);
    const Stereo bassLine = bass(timing);
    const Stereo pads = gamePad(timing);
    const Stereo pings = ping(timing);
    const Stereo offbeatHats = drumLine(timing, hat(noise, 0.02), {0.5, 1.5, 2.5, 3.5}, 1.f, 0.3f);
    const Stereo hats16 = sixteenthHats(timing, noise);
    const Stereo openHats = drumLine(timing, hat(noise, 0.08), {0.5, 1.5, 2.5, 3.5}, 0.8f, -0.3f);
    const Signal kick = kickDrum(noise);
    const Stereo halfKicks = drumLine(timing, kick, {0.0, 2.0}, 1.f);
    const Stereo fullKicks = drumLine(timing, kick, {0.0, 1.0, 2.0, 3.0, 3.75}, 1.f);
    const Signal snare = snareDrum(noise);
    const Stereo snares = drumLine(timing, snare, {1.0, 3.0}, 1.f, 0.1f);
    const Stereo ghostSnares = drumLine(timing, snare, {1.75, 2.5, 3.75}, 0.3f, -0.1f);
    const Stereo arp = arpeggio(timing);
    const Stereo tomFills = toms(timing, noise);
    const Stereo metalHits = clanks(timing, noise);
    const Stereo cluster = dissonance(timing);
    Stereo grit = bassLine;
    saturate(grit.left, 4.f);
    saturate(grit.right, 4.f);
    lowpass(grit, 1500.0);

    // Each layer is the same piece arranged more intensely than the one below it.
    using Part = std::pair<const Stereo*, float>;
    const std::vector<Part> layers[4] = {
        {{&drones, 1.f}, {&pulses, 0.8f}},
        {{&drones, 0.9f},
         {&pulses, 0.6f},
         {&bassLine, 0.8f},
         {&pads, 0.5f},
         {&offbeatHats, 0.25f},
         {&pings, 0.3f}},
        {{&drones, 0.8f},
         {&pulses, 0.4f},
         {&bassLine, 0.85f},
         {&pads, 0.55f},
         {&hats16, 0.3f},
         {&pings, 0.3f},
         {&halfKicks, 0.9f},
         {&snares, 0.55f},
         {&arp, 0.35f}},
        {{&drones, 0.8f},
         {&bassLine, 0.5f},
         {&grit, 0.45f},
         {&pads, 0.5f},
         {&hats16, 0.4f},
         {&openHats, 0.25f},
         {&pings, 0.25f},
         {&fullKicks, 1.f},
         {&snares, 0.65f},
         {&ghostSnares, 0.6f},
         {&arp, 0.35f},
         {&tomFills, 0.7f},
         {&metalHits, 0.35f},
         {&cluster, 0.3f}},
    };
    const float loudness[4] = {0.09f, 0.11f, 0.13f, 0.15f};
    for (int layer = 0; layer < 4; ++layer) {
        Stereo mix(timing.length());
        for (const Part& part : layers[layer])
            mix.add(*part.first, part.second);
        reverb(mix, 1.0, 0.18f);
        master(mix, loudness[layer]);
        saveSamples(toPcm(mix.left, mix.right), 2, sampleRate,
                    dataFile(dataDir, assets::trackFiles[SoundSlot::TrackLayer1 + layer]));
    }
}

Signal bell(double hz)
{
    return render(3.0, [hz](double t) {
        return (sine(hz * t) + 0.3f * sine(3.0 * hz * t) * strike(t, 0.001, 0.2) +
                0.12f * sine(6.02 * hz * t) * strike(t, 0.001, 0.08)) *
               strike(t, 0.002, 0.45);
    });
}

void writeMenuTheme(const std::string& dataDir)
{
    // A slow, sparse lament in the same key: pad chords, a music-box melody in a large hall.
    const Timing timing{0.75, 12};
    const int chords[4][4] = {
        {50, 53, 57, 64}, {46, 50, 53, 57}, {43, 46, 50, 57}, {45, 50, 52, 55}};
    int notes[12][4];
    for (int bar = 0; bar < 12; ++bar)
        for (int n = 0; n < 4; ++n)
            notes[bar][n] = chords[bar % 4][n];
    Stereo theme = pad(timing, notes, 4, 1.0, 1.5, 900.0);

    struct Note {
        double beat;
        int pitch;
    };
    const Note melody[] = {
        {0, 69},  {1, 74},  {2, 76},  {3, 77},  {4, 74},  {6, 72},  {7, 74},  {8, 70},
        {9, 69},  {10, 67}, {12, 69}, {15, 73}, {16, 69}, {17, 74}, {18, 77}, {19, 81},
        {20, 79}, {22, 77}, {23, 74}, {24, 76}, {25, 74}, {26, 70}, {27, 74}, {28, 73},
        {30, 76}, {31, 69}, {32, 74}, {36, 77}, {37, 76}, {38, 74}, {39, 72}, {40, 74},
        {42, 70}, {43, 67}, {44, 69}, {46, 73}, {47, 76},
    };
    Stereo tune(timing.length());
    for (const Note& note : melody)
        place(tune, bell(noteHz(note.pitch)), timing.at(note.beat), 0.5f, 0.2f);
    echo(tune, timing.beat * 0.75, 0.35f, 0.35f);
    theme.add(tune, 1.f);

    const double sub = loopHz(noteHz(38), timing.seconds());
    for (std::size_t i = 0; i < theme.left.size(); ++i) {
        const float low = 0.25f * sine(sub * static_cast<double>(i) / sampleRate);
        theme.left[i] += low;
        theme.right[i] += low;
    }
    reverb(theme, 1.6, 0.35f);
    master(theme, 0.1f);
    saveSamples(toPcm(theme.left, theme.right), 2, sampleRate,
                dataFile(dataDir, assets::trackFiles[SoundSlot::TrackMenu]));
}

void writeAmbience(const std::string& dataDir)
{
    // The plant breathing: mains hum, air in the vents, a press stamping far away, drips.
    const Timing timing{0.5, 16};
    const double loop = timing.seconds();
    const std::size_t length = timing.length();
    Noise noise(7321);
    Stereo bed(length);

    const double wobble = loopHz(0.125, loop);
    const double breath = loopHz(1.0 / 16.0, loop);
    Signal room = loopNoise(noise, length);
    Signal vent = loopNoise(noise, length);
    Biquad roomFilter(Biquad::Lowpass, 300.0), ventFilter(Biquad::Bandpass, 700.0, 0.7);
    processLooped(room, [&](float x) { return roomFilter.process(x); });
    processLooped(vent, [&](float x) { return ventFilter.process(x); });
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        // Mains hum is rich in harmonics; the upper ones carry it on small speakers.
        const float hum = (sine(50.0 * t) + 0.7f * sine(100.0 * t) + 0.6f * sine(150.0 * t) +
                           0.3f * sine(200.0 * t) + 0.25f * sine(250.0 * t) +
                           0.2f * sine(300.0 * t) + 0.1f * sine(350.0 * t)) *
                          (1.f + 0.1f * sine(wobble * t));
        const float air = vent[i] * (0.5f + 0.5f * sine(breath * t));
        bed.left[i] = 0.2f * hum + 1.2f * room[i] + 0.5f * air;
        bed.right[i] = 0.2f * hum + 1.2f * room[i] - 0.5f * air;
    }

    Stereo machinery(length);
    const float strokes[4] = {1.f, 0.6f, 0.8f, 0.5f};
    for (int k = 0; k < 16; ++k) {
        Signal stroke = thud(0.9, 90.0, 50.0, 0.2);
        mixInto(stroke, metal(1.0, 220.0, 0.15), 0, 0.4f);
        place(machinery, stroke, timing.at(k * 4), strokes[k % 4], -0.4f);
        if (k % 4 == 3)
            place(machinery,
                  noiseBurst(noise, 0.8, Biquad(Biquad::Bandpass, 1500.0, 0.7), 0.05, 0.25),
                  timing.at(k * 4 + 0.8), 0.4f, -0.3f);
    }
    lowpass(machinery, 600.0);
    reverb(machinery, 1.8, 0.6f);
    bed.add(machinery, 1.f);

    Stereo drips(length);
    for (int k = 0; k < 20; ++k) {
        const double hz = 900.0 + 1400.0 * noise.uniform();
        double phase = 0.0;
        const Signal drip = render(0.12, [&](double t) {
            phase += hz * (1.0 + 0.8 * (1.0 - std::exp(-t / 0.01))) / sampleRate;
            return sine(phase) * strike(t, 0.001, 0.015);
        });
        place(drips, drip, samplesFor(noise.uniform() * loop) % length,
              0.5f + 0.5f * static_cast<float>(noise.uniform()),
              static_cast<float>(noise.next() * 0.8));
    }
    echo(drips, 0.23, 0.45f, 0.5f);
    reverb(drips, 1.4, 0.5f);
    bed.add(drips, 0.5f);

    master(bed, 0.1f);
    saveSamples(toPcm(bed.left, bed.right), 2, sampleRate,
                dataFile(dataDir, assets::trackFiles[SoundSlot::TrackAmbiance]));
}

}

void writeMusic(const std::string& dataDir)
{
    writeGameLayers(dataDir);
    writeMenuTheme(dataDir);
    writeAmbience(dataDir);
}
