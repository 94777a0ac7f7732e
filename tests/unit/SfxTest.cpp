#include "support/CapturedOutput.hpp"
#include "support/HeardEffects.hpp"

#include "audio/SFX.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

// The files of the bank's effects, in load order.
// clang-format off
const char* const effectFiles[] = {
    "Bip.wav", "Valid.wav", "Invalid.wav", "Steps.wav", "Monster.wav", "MonsterAwake.wav",
    "Shock.wav", "Voice_DoorCrush.wav", "Switch.wav", "Reboot.wav", "Door_Crush.wav",
    "Door_ExitLevel.wav", "Door_OpenClose.wav", "Menu_Click.wav", "Menu_CloseWindow.wav",
    "Menu_Hover.wav", "Menu_NewWindow.wav", "PowerUp.wav", "PowerDown.wav", "Door_LightOn.wav",
    "Door_LightOff.wav", "Monster_Respawn.WAV", "Player_Death.WAV", "Voice_Start.wav",
    "Voice_Level1.wav", "Voice_Level2.wav", "Voice_Level3.wav", "Voice_Level4.wav",
    "Voice_PowerDown.wav", "Voice_PowerOn.wav", "Voice_Exit.wav", "Voice_Level0.wav"};
// clang-format on

// Every effect's play operation, in slot order.
#define KESTRIVON_SLOT(name, file) &Sfx::play##name,
void (Sfx::*const play[])() = {KESTRIVON_EFFECTS(KESTRIVON_SLOT)};
#undef KESTRIVON_SLOT

bool holdsFile(const sf::SoundBuffer* buffer, const std::string& path)
{
    sf::SoundBuffer file;
    return buffer && file.loadFromFile(path) && buffer->getSampleCount() == file.getSampleCount() &&
           std::memcmp(buffer->getSamples(), file.getSamples(),
                       file.getSampleCount() * sizeof(sf::Int16)) == 0;
}

// Each play operation starts its own voice and no other, and every voice holds its own file. A
// slider's copy starts at the bank's volume, then plays at its own over the bank's samples; the
// bank still plays once the copy is gone.
TEST(SfxTest, EachPlayOperationStartsItsOwnVoiceAndACopyHasItsOwnVolumeOverTheSameSamples)
{
    Sfx bank;
    StillAudio still;
    CapturedOutput quiet;
    ASSERT_EQ(Sfx::EffectCount, 32);
    for (int slot = 0; slot < 32; ++slot) {
        SCOPED_TRACE(effectFiles[slot]);
        EXPECT_TRUE(holdsFile(bank.getVoice(slot).getBuffer(),
                              std::string("data/sfx/") + effectFiles[slot]));
        Sfx copy(bank);
        (copy.*play[slot])();
        for (int voice = 0; voice < 32; ++voice)
            EXPECT_EQ(playing(copy, voice), voice == slot) << voice;
    }

    bank.setVolume(20.f);
    {
        Sfx slider(bank);
        EXPECT_FLOAT_EQ(slider.getVolume(), 20.f);
        slider.setVolume(70.f);
        slider.applyVolume();
        slider.playMenuHover();
        EXPECT_TRUE(playing(slider, Sfx::MenuHover));
        EXPECT_FALSE(playing(bank, Sfx::MenuHover));
        EXPECT_NEAR(bank.getVoice(Sfx::MenuHover).getVolume(), 100.f, 0.01f);
        EXPECT_EQ(slider.getVoice(Sfx::Bip).getBuffer(), bank.getVoice(Sfx::Bip).getBuffer());
    }
    bank.playMenuHover();
    EXPECT_TRUE(playing(bank, Sfx::MenuHover));
}

// Every voice but the door lights' takes the slider's volume on release, and a confirmation plays;
// the typing bip follows the slider at once and rewrites the console line.
TEST(SfxTest, ReleasingTheSliderSetsEveryVoiceButTheDoorLightsAndConfirmsAndStepsVaryInPitch)
{
    Sfx sfx;
    sfx.setVolume(0.f);
    sfx.previewVolume();
    EXPECT_FLOAT_EQ(sfx.getVoice(Sfx::Steps).getVolume(), 100.f);
    sfx.applyVolume();
    EXPECT_FLOAT_EQ(sfx.getVolume(), 0.f);
    for (int voice = 0; voice < Sfx::EffectCount; ++voice) {
        const bool doorLight = voice == 19 || voice == 20;
        EXPECT_FLOAT_EQ(sfx.getVoice(voice).getVolume(), doorLight ? 100.f : 0.f) << voice;
    }
    EXPECT_TRUE(playing(sfx, Sfx::Valid));

    sfx.setVolume(30.f);
    CapturedOutput out;
    sfx.playBip();
    EXPECT_EQ(out.take(), "\033[2J\033[HBip! Volume = 30");
    EXPECT_NEAR(sfx.getVoice(Sfx::Bip).getVolume(), 30.f, 0.01f);
    EXPECT_FLOAT_EQ(sfx.getVoice(Sfx::Steps).getVolume(), 0.f);

    // Each step takes a fresh pitch from one to four.
    std::srand(7);
    std::set<float> pitches;
    for (int step = 0; step < 64; ++step) {
        sfx.playSteps();
        pitches.insert(sfx.getVoice(Sfx::Steps).getPitch());
    }
    EXPECT_EQ(pitches, (std::set<float>{1.f, 2.f, 3.f, 4.f}));
}

} // namespace
