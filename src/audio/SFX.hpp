#pragma once

#include "audio/Sound.hpp"
#include "common/SoundSlot.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <array>
#include <iterator>
#include <string>

// The bank of the game's 32 sound effects, decoded into memory at start-up, each played on a
// voice of its own. Copyable: a copy has its own volume and voices over the same samples.
// Its effects are the slots of SoundSlot::Effect, Bip = 0 to VoiceLevel0 = 31.
class Sfx final : public Sound, public SoundSlot {
public:

    // Loads the 32 effects in table order; the first that fails ends the process with status 1.
    Sfx();
    Sfx(const Sfx& other);
    Sfx& operator=(const Sfx& other);

    void playBip();
    void playValid();
    void playInvalid();
    void playSteps();
    void playMonster();
    void playMonsterAwake();
    void playShock();
    void playVoiceDoorCrush();
    void playSwitch();
    void playReboot();
    void playDoorCrush();
    void playDoorExitLevel();
    void playDoorOpenClose();
    void playMenuClick();
    void playMenuCloseWindow();
    void playMenuHover();
    void playMenuNewWindow();
    void playPowerUp();
    void playPowerDown();
    void playDoorLightOn();
    void playDoorLightOff();
    void playMonsterRespawn();
    void playPlayerDeath();
    void playVoiceStart();
    void playVoiceLevel1();
    void playVoiceLevel2();
    void playVoiceLevel3();
    void playVoiceLevel4();
    void playVoicePowerDown();
    void playVoicePowerOn();
    void playVoiceExit();
    void playVoiceLevel0();

    // Gives the voice a pitch of 1, 2, 3 or 4 drawn from rand.
    static void randomizePitch(sf::Sound& voice);

    void setVolume(float volume) override;
    void previewVolume() override;
    void applyVolume() override;
    float getVolume() override;

    // The voice of one effect, by its position in the load order.
    const sf::Sound& getVoice(int effect) const;

private:
    void play(int effect);

    float volume;
    std::array<std::string, EffectCount> paths;
    std::array<sf::SoundBuffer, EffectCount> buffers;
    std::array<sf::Sound, EffectCount> voices;
};
