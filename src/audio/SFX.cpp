#include "audio/SFX.hpp"

#include <cstdlib>

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
    for (int i = 0; i < EffectCount; ++i) {
        paths[i] = effectFiles[i];
        if (!buffers[i].loadFromFile(paths[i]))
            std::exit(1);
    }
    for (int i = 0; i < EffectCount; ++i)
        voices[i].setBuffer(buffers[i]);
}

Sfx::Sfx(const Sfx& other) : volume(other.volume), paths(other.paths), voices(other.voices) {}

Sfx& Sfx::operator=(const Sfx& other)
{
    volume = other.volume;
    paths = other.paths;
    voices = other.voices;
    return *this;
}

void Sfx::play(int effect) { voices[effect].play(); }

void Sfx::playBip() { play(0); }
void Sfx::playValid() { play(1); }
void Sfx::playInvalid() { play(2); }
void Sfx::playSteps() { play(3); }
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

void Sfx::randomizePitch(sf::Sound& voice) { voice.setPitch(static_cast<float>(std::rand() % 4 + 1)); }
void Sfx::setVolume(float newVolume) { volume = newVolume; }
void Sfx::previewVolume() {}
void Sfx::applyVolume() {}
float Sfx::getVolume() { return volume; }
