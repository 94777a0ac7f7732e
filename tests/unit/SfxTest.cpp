#include "audio/SFX.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

struct Effect {
    void (Sfx::*play)();
    const char* file;
};

const Effect effects[Sfx::EffectCount] = {
    {&Sfx::playBip, "data/sfx/Bip.wav"},
    {&Sfx::playValid, "data/sfx/Valid.wav"},
    {&Sfx::playInvalid, "data/sfx/Invalid.wav"},
    {&Sfx::playSteps, "data/sfx/Steps.wav"},
    {&Sfx::playMonster, "data/sfx/Monster.wav"},
    {&Sfx::playMonsterAwake, "data/sfx/MonsterAwake.wav"},
    {&Sfx::playShock, "data/sfx/Shock.wav"},
    {&Sfx::playVoiceDoorCrush, "data/sfx/Voice_DoorCrush.wav"},
    {&Sfx::playSwitch, "data/sfx/Switch.wav"},
    {&Sfx::playReboot, "data/sfx/Reboot.wav"},
    {&Sfx::playDoorCrush, "data/sfx/Door_Crush.wav"},
    {&Sfx::playDoorExitLevel, "data/sfx/Door_ExitLevel.wav"},
    {&Sfx::playDoorOpenClose, "data/sfx/Door_OpenClose.wav"},
    {&Sfx::playMenuClick, "data/sfx/Menu_Click.wav"},
    {&Sfx::playMenuCloseWindow, "data/sfx/Menu_CloseWindow.wav"},
    {&Sfx::playMenuHover, "data/sfx/Menu_Hover.wav"},
    {&Sfx::playMenuNewWindow, "data/sfx/Menu_NewWindow.wav"},
    {&Sfx::playPowerUp, "data/sfx/PowerUp.wav"},
    {&Sfx::playPowerDown, "data/sfx/PowerDown.wav"},
    {&Sfx::playDoorLightOn, "data/sfx/Door_LightOn.wav"},
    {&Sfx::playDoorLightOff, "data/sfx/Door_LightOff.wav"},
    {&Sfx::playMonsterRespawn, "data/sfx/Monster_Respawn.WAV"},
    {&Sfx::playPlayerDeath, "data/sfx/Player_Death.WAV"},
    {&Sfx::playVoiceStart, "data/sfx/Voice_Start.wav"},
    {&Sfx::playVoiceLevel1, "data/sfx/Voice_Level1.wav"},
    {&Sfx::playVoiceLevel2, "data/sfx/Voice_Level2.wav"},
    {&Sfx::playVoiceLevel3, "data/sfx/Voice_Level3.wav"},
    {&Sfx::playVoiceLevel4, "data/sfx/Voice_Level4.wav"},
    {&Sfx::playVoicePowerDown, "data/sfx/Voice_PowerDown.wav"},
    {&Sfx::playVoicePowerOn, "data/sfx/Voice_PowerOn.wav"},
    {&Sfx::playVoiceExit, "data/sfx/Voice_Exit.wav"},
    {&Sfx::playVoiceLevel0, "data/sfx/Voice_Level0.wav"},
};

bool sameSamples(const sf::SoundBuffer* buffer, const sf::SoundBuffer& file)
{
    return buffer && buffer->getSampleCount() == file.getSampleCount() &&
           std::memcmp(buffer->getSamples(), file.getSamples(),
                       file.getSampleCount() * sizeof(sf::Int16)) == 0;
}

bool isPlaying(const Sfx& sfx, int effect)
{
    return sfx.getVoice(effect).getStatus() == sf::SoundSource::Playing;
}

TEST(SfxTest, EachPlayOperationStartsTheVoiceOfItsOwnFile)
{
    Sfx sfx;
    for (const Effect& effect : effects) {
        sf::SoundBuffer file;
        ASSERT_TRUE(file.loadFromFile(effect.file));
        (sfx.*effect.play)();
        int matches = 0;
        for (int voice = 0; voice < Sfx::EffectCount; ++voice) {
            if (sameSamples(sfx.getVoice(voice).getBuffer(), file)) {
                ++matches;
                EXPECT_TRUE(isPlaying(sfx, voice)) << effect.file;
            }
        }
        EXPECT_EQ(matches, 1) << effect.file;
    }
}

TEST(SfxTest, ReleasingTheSliderSetsEveryVoiceButTheDoorLightsAndConfirms)
{
    Sfx sfx;
    sfx.setVolume(0.f);
    sfx.previewVolume();
    for (int voice = 0; voice < Sfx::EffectCount; ++voice)
        EXPECT_FLOAT_EQ(sfx.getVoice(voice).getVolume(), 100.f);

    sfx.applyVolume();
    EXPECT_FLOAT_EQ(sfx.getVolume(), 0.f);
    for (int voice = 0; voice < Sfx::EffectCount; ++voice) {
        const bool doorLight = voice == Sfx::DoorLightOn || voice == Sfx::DoorLightOff;
        EXPECT_FLOAT_EQ(sfx.getVoice(voice).getVolume(), doorLight ? 100.f : 0.f) << voice;
    }
    EXPECT_TRUE(isPlaying(sfx, Sfx::Valid));
}

TEST(SfxTest, BipFollowsTheVolumeAtOnceAndRewritesTheConsoleLine)
{
    Sfx sfx;
    sfx.setVolume(30.f);
    CaptureStdout();
    sfx.playBip();
    EXPECT_EQ(GetCapturedStdout(), "\033[2J\033[HBip! Volume = 30");
    EXPECT_NEAR(sfx.getVoice(Sfx::Bip).getVolume(), 30.f, 0.01f);
    EXPECT_TRUE(isPlaying(sfx, Sfx::Bip));
    EXPECT_FLOAT_EQ(sfx.getVoice(Sfx::Valid).getVolume(), 100.f);
}

TEST(SfxTest, StepsTakeAFreshPitchFromOneToFour)
{
    Sfx sfx;
    std::srand(7);
    std::set<float> pitches;
    for (int step = 0; step < 64; ++step) {
        sfx.playSteps();
        pitches.insert(sfx.getVoice(Sfx::Steps).getPitch());
    }
    EXPECT_EQ(pitches, (std::set<float>{1.f, 2.f, 3.f, 4.f}));
}

TEST(SfxTest, CopyHasItsOwnVolumeAndVoicesOverTheSameSamples)
{
    Sfx bank;
    bank.setVolume(20.f);
    bank.applyVolume();
    {
        Sfx slider(bank);
        EXPECT_FLOAT_EQ(slider.getVolume(), 20.f);
        for (int voice = 0; voice < Sfx::EffectCount; ++voice) {
            EXPECT_EQ(slider.getVoice(voice).getBuffer(), bank.getVoice(voice).getBuffer());
            EXPECT_FLOAT_EQ(slider.getVoice(voice).getVolume(), bank.getVoice(voice).getVolume());
        }
        slider.setVolume(70.f);
        slider.applyVolume();
        slider.playMenuHover();
        EXPECT_TRUE(isPlaying(slider, 15));
        EXPECT_FALSE(isPlaying(bank, 15));
        EXPECT_FLOAT_EQ(bank.getVolume(), 20.f);
        EXPECT_NEAR(bank.getVoice(15).getVolume(), 20.f, 0.01f);

        Sfx second(slider);
        second = slider;
        second = second;
        EXPECT_EQ(second.getVoice(15).getBuffer(), bank.getVoice(15).getBuffer());
    }
    bank.playMenuHover();
    EXPECT_TRUE(isPlaying(bank, 15));
    EXPECT_NE(bank.getVoice(15).getBuffer(), nullptr);
}

TEST(SfxTestDeathTest, VolumeOutsideTheSliderRangeIsACallerError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEBUG_DEATH(
        {
            Sfx sfx;
            sfx.setVolume(100.5f);
        },
        "volume >= 0 && volume <= 100");
}

}
