#include "core/Game.hpp"
#include "world/Cell.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// A room of three by two floor cells with a door east of it: (1;1) (2;1) (3;1) | door (4;1).
const std::string Room = "7 4 1\n"
                         "1 1 1 1 1 1 1\n"
                         "1 0 0 0 8 0 1\n"
                         "1 0 0 0 1 1 1\n"
                         "1 1 1 1 1 1 1\n"
                         "1 1 5 2\n";

// A game with the room loaded, the player on (1;1) facing east and free to move.
class Playing {
public:
    Playing()
    {
        const std::string path = "PlayerTest-room.txt";
        std::ofstream(path) << Room;
        testing::internal::CaptureStdout();
        game.getLevel().load(path);
        game.getLevel().mapDoors({8});
        player().setPosition({1.5f, 1.5f});
        player().setAngle(0.f);
        player().update(10.f);
        // The monster waits out every step these tests take.
        game.getMonster().paralyse(1000000);
        testing::internal::GetCapturedStdout();
        game.setState(GameState::InGame);
    }

    Player& player() { return game.getPlayer(); }
    int moveState() { return *player().getMoveState(); }

    void press(sf::Keyboard::Key key)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {key, false, false, false, false};
        player().handleEvent(event);
    }

    // Runs frames of dt until the player is idle again; answers the time it took.
    float settle(float dt)
    {
        float elapsed = 0.f;
        for (int frame = 0; frame < 100000 && moveState() != MoveState::Still; ++frame) {
            player().update(dt);
            elapsed += dt;
        }
        return elapsed;
    }

    // The position printed by the next accepted step, which is the position before it.
    std::string stepTrace()
    {
        testing::internal::CaptureStdout();
        press(sf::Keyboard::W);
        const std::string out = testing::internal::GetCapturedStdout();
        settle(0.01f);
        return out;
    }

    Game game;
};

TEST(PlayerTest, StepTakesFiveEighthsOfASecondAndEndsOnTheCentre)
{
    Playing play;
    const int steps = play.game.getScore().currentEntry().getStep();
    testing::internal::CaptureStdout();
    play.press(sf::Keyboard::W);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[Player] Position : (1.5;1.5)\n");
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(2, 1));
    EXPECT_EQ(play.game.getScore().currentEntry().getStep(), steps + 1);
    EXPECT_EQ(play.game.getSfx().getVoice(Sfx::Steps).getStatus(), sf::Sound::Stopped);
    play.player().update(0.01f);
    EXPECT_EQ(play.game.getSfx().getVoice(Sfx::Steps).getStatus(), sf::Sound::Playing);

    const float took = play.settle(0.01f) + 0.01f;
    EXPECT_NEAR(took, 0.625f, 0.015f);
    EXPECT_EQ(play.stepTrace(), "[Player] Position : (2.5;1.5)\n");

    // One long frame finishes the step without overshooting the centre.
    play.press(sf::Keyboard::D);
    play.settle(0.01f);
    play.press(sf::Keyboard::D);
    play.settle(0.01f);
    testing::internal::CaptureStdout();
    play.press(sf::Keyboard::W);
    play.player().update(3.f);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(play.moveState(), MoveState::Still);
    EXPECT_EQ(play.stepTrace(), "[Player] Position : (2.5;1.5)\n");
}

TEST(PlayerTest, KeysDuringMotionAreLostAndTurnsEndOnAnAxis)
{
    Playing play;
    play.press(sf::Keyboard::W);
    play.player().update(0.1f);
    play.press(sf::Keyboard::D);
    play.press(sf::Keyboard::W);
    play.settle(0.01f);
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(2, 1));

    // Four right turns at an uneven frame rate face east again, exactly.
    for (float dt : {0.013f, 0.0071f, 0.05f, 0.0003f}) {
        play.press(sf::Keyboard::D);
        play.press(sf::Keyboard::A);
        play.settle(dt);
    }
    EXPECT_EQ(play.stepTrace(), "[Player] Position : (2.5;1.5)\n");
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(3, 1));

    play.press(sf::Keyboard::D);
    EXPECT_EQ(play.moveState(), MoveState::TurningRight);
    play.settle(0.02f);
    EXPECT_EQ(play.stepTrace(), "[Player] Position : (3.5;1.5)\n");
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(3, 2));

    // Facing a wall, a step is refused without a trace; turning is always allowed.
    testing::internal::CaptureStdout();
    play.press(sf::Keyboard::W);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(play.moveState(), MoveState::Still);
    play.press(sf::Keyboard::A);
    EXPECT_EQ(play.moveState(), MoveState::TurningLeft);
}

TEST(PlayerTest, EarlierBindingsWinOnASharedKey)
{
    Playing play;
    play.player().getKey("left") = sf::Keyboard::W;
    play.press(sf::Keyboard::W);
    EXPECT_EQ(play.moveState(), MoveState::Stepping);
    play.settle(0.01f);

    play.player().getKey("up") = sf::Keyboard::Up;
    play.player().getKey("left") = sf::Keyboard::Left;
    play.player().getKey("right") = sf::Keyboard::Left;
    play.press(sf::Keyboard::Left);
    EXPECT_EQ(play.moveState(), MoveState::TurningLeft);
    play.settle(0.01f);

    play.player().getKey("action") = sf::Keyboard::Right;
    play.player().getKey("right") = sf::Keyboard::Right;
    play.press(sf::Keyboard::Right);
    EXPECT_EQ(play.moveState(), MoveState::TurningRight);
    EXPECT_EQ(play.player().getKey("up"), sf::Keyboard::Up);
}

TEST(PlayerTest, WalkingThroughAnOpenDoorClearsAndRestoresIt)
{
    Playing play;
    Level& level = play.game.getLevel();
    play.stepTrace();
    play.stepTrace();
    EXPECT_EQ(level.getCell(4, 1), 8);

    play.press(sf::Keyboard::W);
    EXPECT_EQ(level.getCell(4, 1), Cell::Floor);
    EXPECT_EQ(play.game.getSfx().getVoice(12).getStatus(), sf::Sound::Playing);
    play.settle(0.01f);
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(4, 1));
    EXPECT_EQ(level.getCell(4, 1), Cell::Floor);

    play.stepTrace();
    EXPECT_EQ(play.player().getTile(), sf::Vector2i(5, 1));
    EXPECT_EQ(level.getCell(4, 1), 8);

    // A closed door is refused.
    play.press(sf::Keyboard::A);
    play.settle(0.01f);
    play.press(sf::Keyboard::A);
    play.settle(0.01f);
    testing::internal::CaptureStdout();
    level.toggleDoor(8);
    play.press(sf::Keyboard::W);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(play.moveState(), MoveState::Still);
    EXPECT_EQ(level.getCell(4, 1), 9);
}

TEST(PlayerTest, LevelStartFreezesTenSecondsWhileTheLightComesUp)
{
    Playing play;
    testing::internal::CaptureStdout();
    play.game.getLevel().load("PlayerTest-room.txt");
    testing::internal::GetCapturedStdout();
    Player& player = play.player();
    EXPECT_FLOAT_EQ(player.getDarkness(), 3.5f);

    for (int frame = 0; frame < 200; ++frame)
        player.update(0.01f);
    EXPECT_NEAR(player.getDarkness(), 3.5f - 1.4f, 0.01f);
    for (int frame = 0; frame < 201; ++frame)
        player.update(0.01f);
    EXPECT_FLOAT_EQ(player.getDarkness(), 0.7f);

    for (int frame = 0; frame < 589; ++frame)
        player.update(0.01f);
    play.press(sf::Keyboard::D);
    EXPECT_EQ(play.moveState(), MoveState::Starting);
    player.update(0.15f);
    play.press(sf::Keyboard::D);
    EXPECT_EQ(play.moveState(), MoveState::TurningRight);

    player.setLightState(LightState::Darkening);
    player.update(2.f);
    EXPECT_NEAR(player.getDarkness(), 2.1f, 0.001f);
    player.update(2.1f);
    EXPECT_FLOAT_EQ(player.getDarkness(), 3.5f);
}

TEST(PlayerTest, CaughtPlayerLosesFiveSecondsLaterAfterOneDeathSound)
{
    Playing play;
    Player& player = play.player();
    const sf::Sound& death = play.game.getSfx().getVoice(22);
    // Frame by frame at 100 frames a second: is the death sound on, how dark is the view.
    std::vector<bool> sound;
    std::vector<float> darkness;
    std::vector<int> state;
    testing::internal::CaptureStdout();
    player.caught();
    while (play.moveState() == MoveState::Dying && sound.size() < 600) {
        player.update(0.01f);
        sound.push_back(death.getStatus() == sf::Sound::Playing);
        darkness.push_back(player.getDarkness());
        state.push_back(play.game.getState());
    }
    const std::string out = testing::internal::GetCapturedStdout();

    ASSERT_NEAR(static_cast<double>(sound.size()), 501.0, 2.0);
    EXPECT_FALSE(sound[98]);
    EXPECT_TRUE(sound[100]);
    EXPECT_FLOAT_EQ(darkness[290], 0.7f);
    EXPECT_GT(darkness[310], 0.7f);
    EXPECT_EQ(state[sound.size() - 2], GameState::InGame);
    EXPECT_EQ(state.back(), GameState::GameLost);
    EXPECT_EQ(player.getTile(), sf::Vector2i(1, 1));
    // The countdown is printed once a frame, from the full five seconds.
    EXPECT_NE(out.find("5\n4.99\n4.98\n"), std::string::npos);
}

TEST(PlayerTest, ViewOfTheTutorialIsDrawnAndFollowsATurn)
{
#if defined(__SANITIZE_ADDRESS__)
    // Mesa's software renderer compiles its shaders with countless allocations, each traced by
    // the sanitizer: the picture is checked in the normal build only.
    GTEST_SKIP();
#endif
    Game game;
    game.getTextures().load();
    game.getPlayer().init();
    Player& player = game.getPlayer();
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1280, 720));

    target.clear();
    player.draw(target);
    target.display();
    const sf::Image empty = target.getTexture().copyToImage();
    EXPECT_EQ(empty.getPixel(640, 360), sf::Color::Black);
    sf::Event step;
    step.type = sf::Event::KeyPressed;
    step.key = {sf::Keyboard::W, false, false, false, false};
    player.handleEvent(step);
    EXPECT_EQ(*player.getMoveState(), MoveState::Still);

    testing::internal::CaptureStdout();
    game.getLevel().load("data/level/Tutorial.txt");
    testing::internal::GetCapturedStdout();
    player.update(10.f);

    // From (1;1) facing east the wall (5;1) is 3.5 cells away: 61 pixels each side of 360.
    target.clear();
    player.draw(target);
    target.display();
    const sf::Image ahead = target.getTexture().copyToImage();
    int lit = 0;
    for (unsigned y = 0; y < 720; ++y) {
        const bool dark = ahead.getPixel(640, y) == sf::Color::Black &&
                          ahead.getPixel(639, y) == sf::Color::Black;
        if (y < 297 || y > 423) {
            EXPECT_TRUE(dark) << "row " << y;
        }
        lit += (y >= 299 && y <= 421 && !dark);
    }
    EXPECT_GT(lit, 110);

    sf::Event turn;
    turn.type = sf::Event::KeyPressed;
    turn.key = {sf::Keyboard::D, false, false, false, false};
    player.handleEvent(turn);
    for (int frame = 0; frame < 100; ++frame)
        player.update(0.01f);
    target.clear();
    player.draw(target);
    target.display();
    const sf::Image turned = target.getTexture().copyToImage();
    int changed = 0;
    for (unsigned x = 0; x < 1280; x += 4)
        for (unsigned y = 0; y < 720; y += 4)
            changed += ahead.getPixel(x, y) != turned.getPixel(x, y);
    EXPECT_GT(changed, 5000);
}

}
