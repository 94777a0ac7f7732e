#include "audio/SFX.hpp"

#include <cassert>
#include <cstdlib>
#include <iostream>

Sfx::Sfx() : volume(100.f)
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

void Sfx::play(int effect)
{
    voices[effect].play();
}

void Sfx::playBip()
{
    sf::Sound& bip = voices[Bip];
    bip.setVolume(volume);
    bip.play();
    std::cout << "\033[2J\033[H" << "Bip! " << "Volume = " << bip.getVolume() << std::flush;
}

void Sfx::playSteps()
{
    randomizePitch(voices[Steps]);
    voices[Steps].play();
}

void Sfx::playValid() { play(Valid); }
void Sfx::playInvalid() { play(Invalid); }
void Sfx::playMonster() { play(Monster); }
void Sfx::playMonsterAwake() { play(MonsterAwake); }
void Sfx::playShock() { play(Shock); }
void Sfx::playVoiceDoorCrush() { play(VoiceDoorCrush); }
void Sfx::playSwitch() { play(Switch); }
void Sfx::playReboot() { play(Reboot); }
void Sfx::playDoorCrush() { play(DoorCrush); }
void Sfx::playDoorExitLevel() { play(DoorExitLevel); }
void Sfx::playDoorOpenClose() { play(DoorOpenClose); }
void Sfx::playMenuClick() { play(MenuClick); }
void Sfx::playMenuCloseWindow() { play(MenuCloseWindow); }
void Sfx::playMenuHover() { play(MenuHover); }
void Sfx::playMenuNewWindow() { play(MenuNewWindow); }
void Sfx::playPowerUp() { play(PowerUp); }
void Sfx::playPowerDown() { play(PowerDown); }
void Sfx::playDoorLightOn() { play(DoorLightOn); }
void Sfx::playDoorLightOff() { play(DoorLightOff); }
void Sfx::playMonsterRespawn() { play(MonsterRespawn); }
void Sfx::playPlayerDeath() { play(PlayerDeath); }
void Sfx::playVoiceStart() { play(VoiceStart); }
void Sfx::playVoiceLevel1() { play(VoiceLevel1); }
void Sfx::playVoiceLevel2() { play(VoiceLevel2); }
void Sfx::playVoiceLevel3() { play(VoiceLevel3); }
void Sfx::playVoiceLevel4() { play(VoiceLevel4); }
void Sfx::playVoicePowerDown() { play(VoicePowerDown); }
void Sfx::playVoicePowerOn() { play(VoicePowerOn); }
void Sfx::playVoiceExit() { play(VoiceExit); }
void Sfx::playVoiceLevel0() { play(VoiceLevel0); }

void Sfx::randomizePitch(sf::Sound& voice)
{
    voice.setPitch(static_cast<float>(std::rand() % 4 + 1));
}

void Sfx::setVolume(float volume)
{
    assert(volume >= 0 && volume <= 100);
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
