#include "audio/SFX.hpp"

#include <cassert>
#include <cstdlib>
#include <iostream>

namespace {
const char* const effectFiles[Sfx::EffectCount] = {
    "data/sfx/Bip.wav",
    "data/sfx/Valid.wav",
    "data/sfx/Invalid.wav",
    "data/sfx/Steps.wav",
    "data/sfx/Monster.wav",
    "data/sfx/MonsterAwake.wav",
    "data/sfx/Shock.wav",
    "data/sfx/Voice_DoorCrush.wav",
    "data/sfx/Switch.wav",
    "data/sfx/Reboot.wav",
    "data/sfx/Door_Crush.wav",
    "data/sfx/Door_ExitLevel.wav",
    "data/sfx/Door_OpenClose.wav",
    "data/sfx/Menu_Click.wav",
    "data/sfx/Menu_CloseWindow.wav",
    "data/sfx/Menu_Hover.wav",
    "data/sfx/Menu_NewWindow.wav",
    "data/sfx/PowerUp.wav",
    "data/sfx/PowerDown.wav",
    "data/sfx/Door_LightOn.wav",
    "data/sfx/Door_LightOff.wav",
    "data/sfx/Monster_Respawn.WAV",
    "data/sfx/Player_Death.WAV",
    "data/sfx/Voice_Start.wav",
    "data/sfx/Voice_Level1.wav",
    "data/sfx/Voice_Level2.wav",
    "data/sfx/Voice_Level3.wav",
    "data/sfx/Voice_Level4.wav",
    "data/sfx/Voice_PowerDown.wav",
    "data/sfx/Voice_PowerOn.wav",
    "data/sfx/Voice_Exit.wav",
    "data/sfx/Voice_Level0.wav",
};
}

Sfx::Sfx() : volume(100.f)
{
    // The audio library names a file it cannot load on standard error; the game adds nothing.
    for (int i = 0; i < EffectCount; ++i) {
        paths[i] = effectFiles[i];
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

void Sfx::playValid() { play(1); }
void Sfx::playInvalid() { play(2); }
void Sfx::playMonster() { play(4); }
void Sfx::playMonsterAwake() { play(5); }
void Sfx::playShock() { play(6); }
void Sfx::playVoiceDoorCrush() { play(7); }
void Sfx::playSwitch() { play(8); }
void Sfx::playReboot() { play(9); }
void Sfx::playDoorCrush() { play(10); }
void Sfx::playDoorExitLevel() { play(11); }
void Sfx::playDoorOpenClose() { play(12); }
void Sfx::playMenuClick() { play(13); }
void Sfx::playMenuCloseWindow() { play(14); }
void Sfx::playMenuHover() { play(15); }
void Sfx::playMenuNewWindow() { play(16); }
void Sfx::playPowerUp() { play(17); }
void Sfx::playPowerDown() { play(18); }
void Sfx::playDoorLightOn() { play(19); }
void Sfx::playDoorLightOff() { play(20); }
void Sfx::playMonsterRespawn() { play(21); }
void Sfx::playPlayerDeath() { play(22); }
void Sfx::playVoiceStart() { play(23); }
void Sfx::playVoiceLevel1() { play(24); }
void Sfx::playVoiceLevel2() { play(25); }
void Sfx::playVoiceLevel3() { play(26); }
void Sfx::playVoiceLevel4() { play(27); }
void Sfx::playVoicePowerDown() { play(28); }
void Sfx::playVoicePowerOn() { play(29); }
void Sfx::playVoiceExit() { play(30); }
void Sfx::playVoiceLevel0() { play(31); }

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
