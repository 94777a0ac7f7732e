#include "Assets.hpp"
#include "Biquad.hpp"
#include "Instruments.hpp"
#include "Noise.hpp"
#include "Reverb.hpp"
#include "Synth.hpp"
#include "VoiceArt.hpp"
#include "common/SoundSlot.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

using namespace synth;

namespace {

// Every effect, the voices included, peaks at the same level (about -2 dBFS).
const float effectPeak = 0.8f;

// A relay or latch: a sharp click with a short metallic ring.
Signal relay(Noise& noise)
{
    Signal click = noiseBurst(noise, 0.08, Biquad(Biquad::Bandpass, 3200.0, 1.5), 0.0005, 0.004);
    mixInto(click, metal(0.08, 1800.0, 0.01), 0, 0.4f);
    mixInto(click, noiseBurst(noise, 0.05, Biquad(Biquad::Bandpass, 2600.0, 2.0), 0.0005, 0.003),
            samplesFor(0.018), 0.6f);
    return click;
}

// A beast's voice: a rough, jittering low buzz through two formants.
Signal growl(Noise& noise, double seconds, double fromHz, double toHz, double roughness)
{
    Biquad wobble(Biquad::Lowpass, 8.0);
    Biquad formant1(Biquad::Bandpass, 420.0, 2.0), formant2(Biquad::Bandpass, 950.0, 3.0);
    Biquad body(Biquad::Lowpass, 1600.0);
    double phase = 0.0;
    Signal voice = render(seconds, [&](double t) {
        const double hz = fromHz * std::pow(toHz / fromHz, t / seconds) *
                          (1.0 + 6.0 * wobble.process(noise.next()));
        phase += hz / sampleRate;
        // Vocal-fold flutter: a rate-locked amplitude tremor with random depth.
        const float flutter = 1.f - static_cast<float>(roughness) *
                                        (0.5f + 0.5f * sine(phase * 0.5)) *
                                        static_cast<float>(noise.uniform());
        const float source = (0.7f * saw(phase) + 0.3f * noise.next()) * flutter;
        return body.process(0.5f * source + 2.5f * formant1.process(source) +
                            2.f * formant2.process(source));
    });
    // Small speakers cannot carry the lowest rumble: keep the voice's weight in the formants.
    Biquad rumbleCut(Biquad::Highpass, 70.0);
    for (float& sample : voice)
        sample = rumbleCut.process(sample);
    saturate(voice, 2.5f);
    return voice;
}

void addRoom(Signal& signal, double size, float wet)
{
    Reverb room(size, 0.4f);
    for (float& sample : signal)
        sample += wet * room.process(sample);
}

Signal bip()
{
    Biquad soften(Biquad::Lowpass, 4500.0);
    return render(0.06, [&](double t) {
        return soften.process(square(1320.0 * t)) * strike(t, 0.002, 0.03);
    });
}

Signal valid()
{
    Signal chime = glide(0.4, noteHz(76), noteHz(76), 0.003, 0.05, triangleWave);
    mixInto(chime, glide(0.33, noteHz(83), noteHz(83), 0.003, 0.09, sineWave), samplesFor(0.07),
            1.f);
    mixInto(chime, glide(0.33, noteHz(95), noteHz(95), 0.003, 0.05, sineWave), samplesFor(0.07),
            0.25f);
    return chime;
}

Signal invalid()
{
    Biquad buzz(Biquad::Lowpass, 1400.0);
    return render(0.34, [&](double t) {
        const double hz = t < 0.15 ? 196.0 : 147.0;
        const double local = t < 0.15 ? t : t - 0.17;
        const float gate = (t < 0.15 || t > 0.17) ? strike(local, 0.004, 0.12) : 0.f;
        return buzz.process(0.6f * square(hz * t, 0.3) + 0.4f * saw(hz * 1.01 * t)) * gate;
    });
}

Signal steps(Noise& noise)
{
    // Heel then toe on a concrete floor with grit under the sole.
    Signal step = noiseBurst(noise, 0.3, Biquad(Biquad::Lowpass, 700.0, 0.9), 0.002, 0.02);
    mixInto(step, thud(0.2, 140.0, 70.0, 0.03), 0, 0.5f);
    mixInto(step, noiseBurst(noise, 0.2, Biquad(Biquad::Bandpass, 1800.0, 0.7), 0.003, 0.015),
            samplesFor(0.05), 0.35f);
    mixInto(step, noiseBurst(noise, 0.15, Biquad(Biquad::Lowpass, 500.0, 0.9), 0.002, 0.015),
            samplesFor(0.07), 0.6f);
    return step;
}

Signal monster(Noise& noise)
{
    Signal voice = growl(noise, 1.8, 85.0, 65.0, 0.8);
    envelope(voice, 0.25, 0.7);
    addRoom(voice, 1.0, 0.3f);
    return voice;
}

Signal monsterAwake(Noise& noise)
{
    // A snort of breath, then a growl that rises into a roar.
    Signal awake = noiseBurst(noise, 0.5, Biquad(Biquad::Bandpass, 700.0, 1.5), 0.15, 0.08);
    awake.resize(samplesFor(1.7), 0.f);
    Signal roar = growl(noise, 1.3, 60.0, 120.0, 0.6);
    envelope(roar, 0.6, 0.35);
    mixInto(awake, roar, samplesFor(0.3), 1.f);
    addRoom(awake, 1.0, 0.3f);
    return awake;
}

Signal monsterRespawn(Noise& noise)
{
    // Something gathers out of nowhere (a swell that rushes in), then roars far away.
    Biquad rush(Biquad::Bandpass, 300.0, 2.0);
    Signal respawn = render(2.2, [&](double t) {
        if (t > 0.9)
            return 0.f;
        rush.set(300.0 + 2500.0 * t, 2.0);
        return rush.process(noise.next()) * static_cast<float>(std::pow(t / 0.9, 3.0)) +
               0.3f * sine(55.0 * t) * static_cast<float>(t / 0.9);
    });
    Signal roar = growl(noise, 1.2, 90.0, 55.0, 0.7);
    envelope(roar, 0.05, 0.6);
    Biquad distance(Biquad::Lowpass, 900.0);
    for (float& sample : roar)
        sample = distance.process(sample);
    mixInto(respawn, roar, samplesFor(0.9), 1.3f);
    addRoom(respawn, 1.3, 0.5f);
    return respawn;
}

Signal shock(Noise& noise)
{
    // A mains arc: a harsh buzz torn by random crackles.
    Biquad crackleBand(Biquad::Highpass, 2500.0);
    Biquad gateSmooth(Biquad::Lowpass, 400.0);
    return render(0.9, [&](double t) {
        const float gate = gateSmooth.process(noise.uniform() < 0.12 ? 1.f : 0.f);
        const float buzz = 0.5f * square(100.0 * t, 0.2) + 0.3f * saw(150.0 * t);
        const float crackle =
            crackleBand.process(noise.next()) * (noise.uniform() < 0.02 ? 2.f : 1.f);
        return (buzz * (0.4f + 2.f * gate) + crackle * (0.5f + 3.f * gate)) * strike(t, 0.002, 0.3);
    });
}

Signal switchLever(Noise& noise)
{
    Signal lever = relay(noise);
    lever.resize(samplesFor(0.3), 0.f);
    mixInto(lever, thud(0.12, 180.0, 90.0, 0.02), 0, 0.5f);
    mixInto(lever, relay(noise), samplesFor(0.11), 0.8f);
    return lever;
}

Signal reboot()
{
    // Systems wind down, then the start-up beeps of a terminal coming back.
    Signal sequence = glide(0.55, 880.0, 220.0, 0.01, 0.3, squareWave);
    Biquad soft(Biquad::Lowpass, 2500.0);
    for (float& sample : sequence)
        sample = soft.process(sample);
    sequence.resize(samplesFor(1.9), 0.f);
    const double beeps[] = {523.25, 659.25, 783.99};
    for (int k = 0; k < 3; ++k)
        mixInto(sequence, glide(0.12, beeps[k], beeps[k], 0.003, 0.2, squareWave),
                samplesFor(0.8 + 0.17 * k), 0.35f);
    Signal ready = glide(0.5, 1046.5, 1046.5, 0.005, 0.15, triangleWave);
    mixInto(ready, glide(0.5, 1568.0, 1568.0, 0.005, 0.12, sineWave), 0, 0.5f);
    mixInto(sequence, ready, samplesFor(1.33), 0.7f);
    return sequence;
}

// The whine of a large generator whose speed follows speed(t) from 0 to 1.
Signal generator(Noise& noise, double seconds, const std::function<double(double)>& speed)
{
    Biquad whineFilter(Biquad::Lowpass, 1500.0);
    double phase = 0.0;
    return render(seconds, [&](double t) {
        const double s = speed(t);
        phase += (25.0 + 400.0 * s) / sampleRate;
        const float whine =
            0.5f * saw(phase) + 0.3f * sine(phase * 2.0) + 0.2f * sine(phase * 3.01);
        const float rumble = 0.2f * noise.next();
        return whineFilter.process(whine + rumble) * static_cast<float>(0.2 + 0.8 * s);
    });
}

Signal powerDown(Noise& noise)
{
    Signal down =
        generator(noise, 2.2, [](double t) { return std::pow(std::max(0.0, 1.0 - t / 2.0), 1.6); });
    envelope(down, 0.01, 0.2);
    mixInto(down, relay(noise), 0, 1.f);
    mixInto(down, thud(0.5, 90.0, 40.0, 0.12), 0, 1.f);
    return down;
}

Signal powerUp(Noise& noise)
{
    Signal up = generator(noise, 2.2, [](double t) { return 1.0 - std::exp(-2.2 * t); });
    envelope(up, 0.3, 0.4);
    mixInto(up, relay(noise), 0, 1.f);
    // Fluorescent tubes ticking into life as the current arrives.
    for (int k = 0; k < 5; ++k)
        mixInto(up, metal(0.12, 2400.0 + 180.0 * k, 0.01),
                samplesFor(1.1 + 0.13 * k + 0.03 * (k % 2)), 0.3f);
    return up;
}

// The lamp above a door: a relay click and a two-note signal, rising for on, falling for off.
Signal doorLight(Noise& noise, bool on)
{
    Signal light = relay(noise);
    light.resize(samplesFor(0.5), 0.f);
    const double low = 659.25, high = 987.77;
    mixInto(light, glide(0.16, on ? low : high, on ? low : high, 0.004, 0.08, triangleWave),
            samplesFor(0.03), 0.5f);
    mixInto(light, glide(0.3, on ? high : low, on ? high : low, 0.004, 0.1, triangleWave),
            samplesFor(0.15), 0.5f);
    return light;
}

Signal doorOpenClose(Noise& noise)
{
    // A pneumatic hiss, the panel sliding in its rails, and the clunk of the end stop.
    Signal door = render(0.95, [&](double t) {
        const double rise = std::min(1.0, t / 0.04);
        const double fall = t < 0.45 ? 1.0 : std::exp2(-(t - 0.45) / 0.08);
        return static_cast<float>(rise * fall) * noise.next();
    });
    Biquad hiss(Biquad::Highpass, 2200.0);
    Biquad rails(Biquad::Bandpass, 180.0, 1.2);
    for (float& sample : door)
        sample = 0.5f * hiss.process(sample) + 1.5f * rails.process(sample);
    mixInto(door, thud(0.35, 120.0, 60.0, 0.06), samplesFor(0.5), 0.9f);
    mixInto(door, metal(0.35, 260.0, 0.08), samplesFor(0.5), 0.3f);
    addRoom(door, 0.8, 0.25f);
    return door;
}

Signal doorCrush(Noise& noise)
{
    // A blast door slamming onto something that gives way.
    Signal crush = thud(1.5, 75.0, 30.0, 0.22);
    mixInto(crush, noiseBurst(noise, 0.6, Biquad(Biquad::Lowpass, 3000.0, 0.7), 0.001, 0.06), 0,
            1.2f);
    mixInto(crush, metal(1.5, 140.0, 0.35), 0, 1.2f);
    for (int k = 0; k < 14; ++k) {
        const double at = 0.03 + 0.35 * noise.uniform();
        mixInto(crush,
                noiseBurst(noise, 0.03,
                           Biquad(Biquad::Bandpass, 900.0 + 1500.0 * noise.uniform(), 1.5), 0.0005,
                           0.004),
                samplesFor(at), 0.8f);
    }
    saturate(crush, 1.8f);
    addRoom(crush, 1.2, 0.3f);
    return crush;
}

Signal doorExitLevel(Noise& noise)
{
    // The latches let go, the great door rolls aside, and a bright chord says "out".
    Signal exitDoor = relay(noise);
    exitDoor.resize(samplesFor(2.6), 0.f);
    mixInto(exitDoor, thud(0.5, 100.0, 45.0, 0.1), 0, 1.f);
    Biquad hiss(Biquad::Highpass, 1800.0), rumble(Biquad::Lowpass, 140.0);
    mixInto(exitDoor,
            render(1.6,
                   [&](double t) {
                       const float shape =
                           static_cast<float>(std::min(1.0, t / 0.1) * std::exp2(-t / 0.5));
                       return shape * (0.4f * hiss.process(noise.next()) +
                                       3.f * rumble.process(noise.next()));
                   }),
            samplesFor(0.1), 1.f);
    const double chord[] = {noteHz(62), noteHz(66), noteHz(69), noteHz(74)};
    for (int k = 0; k < 4; ++k)
        mixInto(exitDoor, glide(1.4, chord[k], chord[k], 0.25, 0.5, triangleWave),
                samplesFor(1.05 + 0.06 * k), 0.3f);
    addRoom(exitDoor, 1.2, 0.35f);
    return exitDoor;
}

Signal menuClick(Noise& noise)
{
    Signal click = noiseBurst(noise, 0.04, Biquad(Biquad::Bandpass, 3000.0, 1.2), 0.0005, 0.004);
    mixInto(click, glide(0.04, 1800.0, 1200.0, 0.0005, 0.006, sineWave), 0, 0.6f);
    return click;
}

Signal menuHover() { return glide(0.05, 2400.0, 2600.0, 0.002, 0.008, sineWave); }

Signal menuWindow(bool opening)
{
    Signal sweep =
        glide(0.2, opening ? 480.0 : 1250.0, opening ? 1250.0 : 480.0, 0.005, 0.08, triangleWave);
    mixInto(sweep,
            glide(0.2, opening ? 960.0 : 2500.0, opening ? 2500.0 : 960.0, 0.005, 0.05, sineWave),
            0, 0.3f);
    return sweep;
}

Signal playerDeath(Noise& noise)
{
    // The blow, the body hitting the floor, a heart giving up, and the ringing in the ears.
    Signal death = noiseBurst(noise, 0.5, Biquad(Biquad::Lowpass, 1800.0, 0.8), 0.001, 0.06);
    mixInto(death, thud(0.8, 120.0, 45.0, 0.12), 0, 0.8f);
    mixInto(death, growl(noise, 0.5, 100.0, 70.0, 0.7), 0, 0.8f);
    death.resize(samplesFor(2.9), 0.f);
    for (int beat = 0; beat < 3; ++beat) {
        const double at = 0.7 + 0.55 * beat + 0.12 * beat * beat;
        const float level = 0.7f / (1.f + beat);
        mixInto(death, thud(0.25, 60.0, 40.0, 0.05), samplesFor(at), level);
        mixInto(death, thud(0.25, 55.0, 38.0, 0.05), samplesFor(at + 0.18), level * 0.6f);
    }
    mixInto(death,
            render(2.4,
                   [](double t) {
                       return 0.08f * sine(3900.0 * t) *
                              static_cast<float>(std::min(1.0, t / 0.6) * std::exp2(-t / 0.6));
                   }),
            samplesFor(0.4), 1.f);
    addRoom(death, 1.0, 0.2f);
    return death;
}

// The recipe of each effect; none for the announcements, which are spoken. The recipes draw on
// one noise source in the bank's order, so each effect's noise depends on the effects before it.
// Every slot has its case and there is no default, so the compiler names a new slot left out.
std::optional<Signal> synthesise(SoundSlot::Effect effect, Noise& noise)
{
    switch (effect) {
    case SoundSlot::Bip:
        return bip();
    case SoundSlot::Valid:
        return valid();
    case SoundSlot::Invalid:
        return invalid();
    case SoundSlot::Steps:
        return steps(noise);
    case SoundSlot::Monster:
        return monster(noise);
    case SoundSlot::MonsterAwake:
        return monsterAwake(noise);
    case SoundSlot::Shock:
        return shock(noise);
    case SoundSlot::Switch:
        return switchLever(noise);
    case SoundSlot::Reboot:
        return reboot();
    case SoundSlot::DoorCrush:
        return doorCrush(noise);
    case SoundSlot::DoorExitLevel:
        return doorExitLevel(noise);
    case SoundSlot::DoorOpenClose:
        return doorOpenClose(noise);
    case SoundSlot::MenuClick:
        return menuClick(noise);
    case SoundSlot::MenuCloseWindow:
        return menuWindow(false);
    case SoundSlot::MenuHover:
        return menuHover();
    case SoundSlot::MenuNewWindow:
        return menuWindow(true);
    case SoundSlot::PowerUp:
        return powerUp(noise);
    case SoundSlot::PowerDown:
        return powerDown(noise);
    case SoundSlot::DoorLightOn:
        return doorLight(noise, true);
    case SoundSlot::DoorLightOff:
        return doorLight(noise, false);
    case SoundSlot::MonsterRespawn:
        return monsterRespawn(noise);
    case SoundSlot::PlayerDeath:
        return playerDeath(noise);
    case SoundSlot::VoiceDoorCrush:
    case SoundSlot::VoiceStart:
    case SoundSlot::VoiceLevel1:
    case SoundSlot::VoiceLevel2:
    case SoundSlot::VoiceLevel3:
    case SoundSlot::VoiceLevel4:
    case SoundSlot::VoicePowerDown:
    case SoundSlot::VoicePowerOn:
    case SoundSlot::VoiceExit:
    case SoundSlot::VoiceLevel0:
        break;
    }
    return std::nullopt;
}
}

void writeEffects(const std::string& dataDir)
{
    Noise noise(20261);
    for (int slot = 0; slot < SoundSlot::EffectCount; ++slot) {
        std::optional<Signal> sound = synthesise(static_cast<SoundSlot::Effect>(slot), noise);
        if (!sound)
            continue;
        fadeEdges(*sound, 0.002, 0.01);
        normalisePeak(*sound, effectPeak);
        saveSamples(toPcm(*sound), 1, sampleRate, dataFile(dataDir, assets::effectFiles[slot]));
    }
    writeVoiceLines(dataDir, effectPeak);
}
