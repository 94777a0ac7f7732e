#include "support/CapturedOutput.hpp"
#include "support/HeardEffects.hpp"

#include "audio/SFX.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

// Every effect slot's name and play operation, in slot order.
struct Slot {
    const char* name;
    void (Sfx::*play)();
};
#define KESTRIVON_SLOT(name, file) Slot{#name, &Sfx::play##name},
const Slot slots[] = {KESTRIVON_EFFECTS(KESTRIVON_SLOT)};
#undef KESTRIVON_SLOT

bool holdsFile(const sf::SoundBuffer* buffer, const std::string& path)
{
    sf::SoundBuffer file;
    return buffer && file.loadFromFile(path) && buffer->getSampleCount() == file.getSampleCount() &&
           std::memcmp(buffer->getSamples(), file.getSamples(),
                       file.getSampleCount() * sizeof(sf::Int16)) == 0;
}

// Each play operation starts its own slot's voice and no other, and every voice holds the file
// named after its slot (Door_Crush.wav for DoorCrush).
TEST(SfxTest, EachPlayOperationStartsTheVoiceOfItsSlotWithItsOwnFile)
{
    const Sfx bank;
    StillAudio still;
    CapturedOutput quiet;
    for (int slot = 0; slot < Sfx::EffectCount; ++slot) {
        std::string file = assets::effectFiles[slot];
        SCOPED_TRACE(file);
        EXPECT_TRUE(holdsFile(bank.getVoice(slot).getBuffer(), assets::inDataFolder(file)));
        file.erase(std::remove(file.begin(), file.end(), '_'), file.end());
        EXPECT_EQ(file.substr(0, file.find('.')), std::string("sfx/") + slots[slot].name);
        Sfx copy(bank);
        (copy.*slots[slot].play)();
        for (int voice = 0; voice < Sfx::EffectCount; ++voice)
            EXPECT_EQ(playing(copy, voice), voice == slot) << voice;
    }
}

// Every voice but the door lights' takes the slider's volume on release, and a confirmation plays;
// the typing bip follows the slider at once and rewrites the console line.
TEST(SfxTest, ReleasingTheSliderSetsEveryVoiceButTheDoorLightsAndConfirms)
{
    Sfx sfx;
    sfx.setVolume(0.f);
    sfx.previewVolume();
    EXPECT_FLOAT_EQ(sfx.getVoice(Sfx::Steps).getVolume(), 100.f);
    sfx.applyVolume();
    EXPECT_FLOAT_EQ(sfx.getVolume(), 0.f);
    for (int voice = 0; voice < Sfx::EffectCount; ++voice) {
        const bool doorLight = voice == Sfx::DoorLightOn || voice == Sfx::DoorLightOff;
        EXPECT_FLOAT_EQ(sfx.getVoice(voice).getVolume(), doorLight ? 100.f : 0.f) << voice;
    }
    EXPECT_TRUE(playing(sfx, Sfx::Valid));

    sfx.setVolume(30.f);
    CapturedOutput out;
    sfx.playBip();
    EXPECT_EQ(out.take(), "\033[2J\033[HBip! Volume = 30");
    EXPECT_NEAR(sfx.getVoice(Sfx::Bip).getVolume(), 30.f, 0.01f);
    EXPECT_FLOAT_EQ(sfx.getVoice(Sfx::Steps).getVolume(), 0.f);
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

// A slider's copy starts at the bank's volume, then plays at its own over the bank's samples; the
// bank still plays once the copy is gone.
TEST(SfxTest, CopyHasItsOwnVolumeOverTheSameSamples)
{
    Sfx bank;
    StillAudio still;
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

} // namespace
