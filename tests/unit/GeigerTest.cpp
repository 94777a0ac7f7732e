#include "LevelInPlay.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <string>

namespace {

// A game in its level music, where each object taken answers what it printed.
class GeigerTest : public testing::Test, protected LevelInPlay {
protected:
    GeigerTest()
    {
        printedBy([&] { game.getMusic().setState(Music::GameLayers); });
    }

    std::string take()
    {
        return printedBy([&] { game.getGeiger().objectTaken(); });
    }
    int frameLeft() { return game.getGeiger().getShape().getTextureRect().left; }
};

TEST_F(GeigerTest, ObjectsMoveTheNeedleSpeakTheirLinesRaiseTheMusicFromTheThirdAndTheCounterDims)
{
    game.getMonster().setWanderSteps(2);
    const struct {
        Sfx::Effect voice;
        const char* trace;
        int frameLeft;
        int wanderSteps;
    } objects[] = {
        {Sfx::VoiceLevel0, "", 196, 2},
        {Sfx::VoiceLevel1, "", 392, 2},
        {Sfx::VoiceLevel2, "[Geiger Log] >> Starting layer 2 musique\nLayer 2 playing\n", 588, 3},
        {Sfx::VoiceLevel3, "[Geiger Log] >> Starting layer 3 musique\nLayer 3 playing\n", 784, 4},
        {Sfx::VoiceLevel4, "[Geiger Log] >> Starting layer 4 musique\nLayer 4 playing\n", 784, 5},
    };
    for (const auto& object : objects) {
        SCOPED_TRACE(object.voice);
        const std::string trace = take();
        EXPECT_EQ(trace.substr(0, std::string(object.trace).size()), object.trace);
        EXPECT_EQ(trace.empty(), object.trace[0] == '\0');
        EXPECT_EQ(frameLeft(), object.frameLeft);
        EXPECT_EQ(game.getSfx().getVoice(object.voice).getStatus(), sf::Sound::Playing);
        EXPECT_EQ(game.getMonster().getWanderSteps(), object.wanderSteps);
    }

    // The counter dims with the walls: full light up close, grey in a lit view, darker in a
    // dark one.
    EXPECT_EQ(Geiger::shade(0.2f), 255);
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(16, 16));
    for (const sf::Color grey : {sf::Color(182, 182, 182), sf::Color(36, 36, 36)}) {
        game.getGeiger().draw(target);
        EXPECT_EQ(game.getGeiger().getShape().getFillColor(), grey);
        game.getPlayer().setDark();
    }
}

TEST_F(GeigerTest, FiveObjectsBlinkUntilTheLevelStartsAndASixthChangesNothing)
{
    Geiger& geiger = game.getGeiger();
    for (int i = 0; i < 4; ++i)
        take();
    geiger.update(0.2f);
    EXPECT_EQ(frameLeft(), 4 * 196);
    take();
    // The timer ran on before the fifth object, so the first blink comes at once; a long frame
    // makes one blink step, not several.
    const std::pair<float, int> frames[] = {{0.001f, 0}, {0.1f, 0},      {0.025f, 4 * 196},
                                            {0.125f, 0}, {3.f, 4 * 196}, {0.1f, 4 * 196}};
    for (const auto& [dt, left] : frames) {
        geiger.update(dt);
        EXPECT_EQ(frameLeft(), left) << dt;
    }

    // A sixth object changes nothing; a level start shows the first frame and stops the blinking.
    const int wanderSteps = game.getMonster().getWanderSteps();
    EXPECT_EQ(take(), "");
    EXPECT_EQ(game.getMonster().getWanderSteps(), wanderSteps);
    geiger.reset();
    geiger.update(0.2f);
    EXPECT_EQ(frameLeft(), 0);
    take();
    EXPECT_EQ(frameLeft(), 196);
}

} // namespace
