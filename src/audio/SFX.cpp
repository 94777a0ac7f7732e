#include "audio/SFX.hpp"

#include <cassert>
#include <cstdlib>
#include <iostream>

Sfx::Sfx() : volume(MaxVolume)
{
    // The audio library names a file it cannot load on standard error; the game adds nothing.
    for (int i = 0; i < EffectCount; ++i) {
        paths[i] = assets::inDataFolder(assets::effectFiles[i]);
        if (!buffers[i].loadFromFile(paths[i]))
            std::exit(1);
    }
    for (int i = 0; i < EffectCount; ++i)
        voices[i].setBuffer(buffers[i]);
}

// A copy's voices stay bound to the samples the source's voices play, and its own buffers stay
// empty: the samples are decoded once. Every copy (a slider's) must not outlive the bank it was
// taken from; if it does, the library unbinds its voices and they fall silent.
Sfx::Sfx(const Sfx& other) : volume(other.volume), paths(other.paths), voices(other.voices) {}

Sfx& Sfx::operator=(const Sfx& other)
{
    // Rebinding a voice to itself would first unbind it and lose its buffer.
    if (this != &other) {
        volume = other.volume;
        paths = other.paths;
        voices = other.voices;
    }
    return *this;
}

void Sfx::play(Effect effect)
{
    sf::Sound& voice = voices[effect];
    switch (effect) {
    case Bip:
        // The typing bip follows the slider at once, where the others wait for its release, and
        // shows the volume on the terminal.
        voice.setVolume(volume);
        voice.play();
        std::cout << "\033[2J\033[H" << "Bip! " << "Volume = " << voice.getVolume() << std::flush;
        return;
    case Steps:
        // Each step takes a fresh pitch, so that walking does not sound like a loop.
        randomizePitch(voice);
        break;
    default:
        break;
    }
    voice.play();
}

void Sfx::randomizePitch(sf::Sound& voice)
{
    voice.setPitch(static_cast<float>(std::rand() % 4 + 1));
}

void Sfx::setVolume(float volume)
{
    assert(volume >= 0 && volume <= MaxVolume);
    this->volume = volume;
}

void Sfx::previewVolume()
{
}

void Sfx::applyVolume()
{
    // The door-light voices keep the library's default volume: the operator's door signals stay
    // audible whatever the player's setting.
    for (int i = 0; i < EffectCount; ++i) {
        if (i != DoorLightOn && i != DoorLightOff)
            voices[i].setVolume(volume);
    }
    playValid();
}

float Sfx::getVolume()
{
    return volume;
}

const sf::Sound& Sfx::getVoice(int effect) const
{
    return voices[effect];
}
