#include "core/Game.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

const Sfx::Effect VoiceLevel[5] = {Sfx::VoiceLevel0, Sfx::VoiceLevel1, Sfx::VoiceLevel2,
                                   Sfx::VoiceLevel3, Sfx::VoiceLevel4};

class GeigerTest : public testing::Test {
protected:
    GeigerTest()
    {
        testing::internal::CaptureStdout();
        game.getMusic().setState(Music::GameLayers);
        testing::internal::GetCapturedStdout();
    }

    std::string take()
    {
        testing::internal::CaptureStdout();
        game.getGeiger().objectTaken();
        return testing::internal::GetCapturedStdout();
    }

    int frameLeft() { return game.getGeiger().getShape().getTextureRect().left; }

    Game game;
};

TEST_F(GeigerTest, EachObjectMovesTheNeedleAndSpeaksItsLine)
{
    game.getMonster().setWanderSteps(2);
    const std::string layerLines[5] = {
        "",
        "",
        "[Geiger Log] >> Starting layer 2 musique\n",
        "[Geiger Log] >> Starting layer 3 musique\n",
        "[Geiger Log] >> Starting layer 4 musique\n",
    };
    const int wanderSteps[5] = {2, 2, 3, 4, 5};
    for (int count = 1; count <= 5; ++count) {
        const std::string trace = take();
        EXPECT_EQ(trace.substr(0, layerLines[count - 1].size()), layerLines[count - 1]) << count;
        if (count >= 3)
            EXPECT_NE(trace.find("Layer " + std::to_string(count - 1) + " playing"),
                      std::string::npos)
                << count;
        else
            EXPECT_EQ(trace, "") << count;
        EXPECT_EQ(frameLeft(), 196 * (count < 5 ? count : 4)) << count;
        EXPECT_EQ(game.getSfx().getVoice(VoiceLevel[count - 1]).getStatus(), sf::Sound::Playing)
            << count;
        EXPECT_EQ(game.getMonster().getWanderSteps(), wanderSteps[count - 1]) << count;
    }
}

TEST_F(GeigerTest, LevelStartShowsTheFirstFrameAndStopsTheBlinking)
{
    for (int i = 0; i < 5; ++i)
        take();
    game.getGeiger().update(0.2f);
    game.getGeiger().reset();
    EXPECT_EQ(frameLeft(), 0);
    game.getGeiger().update(0.2f);
    game.getGeiger().update(0.2f);
    EXPECT_EQ(frameLeft(), 0);
    take();
    EXPECT_EQ(frameLeft(), 196);
}

TEST_F(GeigerTest, FiveObjectsBlinkEveryEighthOfASecond)
{
    Geiger& geiger = game.getGeiger();
    for (int i = 0; i < 4; ++i)
        take();
    geiger.update(0.2f);
    EXPECT_EQ(frameLeft(), 4 * 196);
    take();
    // The timer ran on before the fifth object, so the first blink comes at once.
    geiger.update(0.001f);
    EXPECT_EQ(frameLeft(), 0);
    geiger.update(0.1f);
    EXPECT_EQ(frameLeft(), 0);
    geiger.update(0.025f);
    EXPECT_EQ(frameLeft(), 4 * 196);
    geiger.update(0.125f);
    EXPECT_EQ(frameLeft(), 0);
    // A long frame makes one blink step, not several.
    geiger.update(3.f);
    EXPECT_EQ(frameLeft(), 4 * 196);
    geiger.update(0.1f);
    EXPECT_EQ(frameLeft(), 4 * 196);
}

TEST_F(GeigerTest, SixthObjectIsSilentAndFreezesTheDisplay)
{
    Geiger& geiger = game.getGeiger();
    for (int i = 0; i < 5; ++i)
        take();
    geiger.update(0.2f);
    ASSERT_EQ(frameLeft(), 0);
    const int wanderSteps = game.getMonster().getWanderSteps();
    EXPECT_EQ(take(), "");
    EXPECT_EQ(game.getMonster().getWanderSteps(), wanderSteps);
    geiger.update(0.2f);
    geiger.update(0.2f);
    EXPECT_EQ(frameLeft(), 0);
}

TEST_F(GeigerTest, CounterDimsWithTheWalls)
{
    EXPECT_EQ(Geiger::shade(0.7f), 182);
    EXPECT_EQ(Geiger::shade(3.5f), 36);
    int previous = 255;
    for (float darkness = 0.7f; darkness <= 3.5f; darkness += 0.1f) {
        EXPECT_LE(Geiger::shade(darkness), previous) << darkness;
        previous = Geiger::shade(darkness);
    }
    EXPECT_EQ(Geiger::shade(0.2f), 255);

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(16, 16));
    game.getGeiger().draw(target);
    const sf::Uint8 grey = Geiger::shade(game.getPlayer().getDarkness());
    EXPECT_EQ(game.getGeiger().getShape().getFillColor(), sf::Color(grey, grey, grey));
}

}
