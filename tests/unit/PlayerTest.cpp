#include "LevelInPlay.hpp"
#include "actors/RayCaster.hpp"
#include "common/Cell.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace {

// A corridor (1;1) to (3;1), a door (4;1), one more cell (5;1); an object on (2;2).
const std::string Room = "1 1 1 1 1 1 1\n"
                         "1 0 0 0 8 0 1\n"
                         "1 0 3 0 1 1 1\n"
                         "1 1 1 1 1 1 1\n";

// The player on (1;1) facing east, free to move; the monster waits out every step.
struct PlayerTest : testing::Test, LevelInPlay {
    PlayerTest()
    {
        loadRows(Room, "1 1 5 2\n", {8});
        player().update(10.f);
        place({1, 1});
        game.getMonster().paralyse(1000000);
        game.setState(GameState::InGame);
    }

    // Plays out a move started by the key at dt a frame; answers the frames a footstep
    // started in.
    std::vector<int> footstepsDuring(sf::Keyboard::Key key, float dt, int frames = 0)
    {
        press(key);
        std::vector<int> started;
        for (int frame = 0; frame < frames || moveState() != MoveState::Still; ++frame) {
            silence(Sfx::Steps);
            player().update(dt);
            if (playing(Sfx::Steps))
                started.push_back(frame);
        }
        return started;
    }
};

TEST_F(PlayerTest, FootstepsPlayAtEachStepsStartThenEvery320FramesAndNeverStanding)
{
    // At 0.01 s a frame a step lasts 63 frames, at 0.0009 s about 700.
    EXPECT_EQ(footstepsDuring(sf::Keyboard::W, 0.01f), std::vector<int>{0});
    EXPECT_EQ(footstepsDuring(sf::Keyboard::W, 0.01f), std::vector<int>{0});
    EXPECT_EQ(footstepsDuring(sf::Keyboard::D, 0.01f, 500), std::vector<int>{});
    place({1, 1});
    EXPECT_EQ(footstepsDuring(sf::Keyboard::W, 0.0009f), (std::vector<int>{0, 320, 640}));
}

TEST_F(PlayerTest, KeysDuringAMoveAreLostAndTurnsAndStepsEndOnAnAxis)
{
    const int steps = game.getScore().currentEntry().getStep();
    // The trace gives the position the step starts from; a step lasts five eighths of a second.
    EXPECT_EQ(printedBy([&] { press(sf::Keyboard::W); }), "[Player] Position : (1.5;1.5)\n");
    player().update(0.1f);
    press(sf::Keyboard::D);
    press(sf::Keyboard::W);
    EXPECT_NEAR(settle(0.01f), 52.5, 1);
    EXPECT_EQ(player().getTile(), sf::Vector2i(2, 1));
    EXPECT_EQ(game.getScore().currentEntry().getStep(), steps + 1);

    // Four right turns at uneven frame rates face east again, exactly; one long frame ends a
    // step on the next centre, not beyond it.
    for (float dt : {0.013f, 0.0071f, 0.05f, 0.0003f}) {
        press(sf::Keyboard::D);
        press(sf::Keyboard::A);
        settle(dt);
    }
    press(sf::Keyboard::W);
    player().update(3.f);
    act(sf::Keyboard::D);
    EXPECT_EQ(act(sf::Keyboard::W), "[Player] Position : (3.5;1.5)\n");
    EXPECT_EQ(player().getTile(), sf::Vector2i(3, 2));

    // Facing a wall a step is refused without a word; turning is always allowed.
    EXPECT_EQ(act(sf::Keyboard::W), "");
    press(sf::Keyboard::D);
    EXPECT_EQ(moveState(), MoveState::TurningRight);
    settle();
    // Facing west now: the action key takes the object ahead, which then blocks the way.
    act(sf::Keyboard::E);
    EXPECT_EQ(cell(2, 2), Cell::Spent);
    EXPECT_EQ(act(sf::Keyboard::W), "");

    // A left turn from west faces the wall south; three of them face the open way north.
    act(sf::Keyboard::A);
    EXPECT_EQ(act(sf::Keyboard::W), "");
    act(sf::Keyboard::A);
    act(sf::Keyboard::A);
    EXPECT_EQ(act(sf::Keyboard::W), "[Player] Position : (3.5;2.5)\n");
}

TEST_F(PlayerTest, PassingAnOpenDoorEmptiesItsCellAndADoorClosingMidStepCrushesOnlyOnTheWayIn)
{
    act(sf::Keyboard::W);
    act(sf::Keyboard::W);
    EXPECT_FALSE(playing(Sfx::DoorOpenClose));

    press(sf::Keyboard::W);
    EXPECT_EQ(cell(4, 1), Cell::Floor);
    EXPECT_TRUE(playing(Sfx::DoorOpenClose));
    settle();
    // Opened while the player stands in it, the door changes nothing else.
    toggleDoor(9);
    EXPECT_EQ(cell(4, 1), 8);
    EXPECT_EQ(game.getState(), GameState::InGame);

    silence(Sfx::DoorOpenClose);
    act(sf::Keyboard::W);
    EXPECT_EQ(player().getTile(), sf::Vector2i(5, 1));
    EXPECT_EQ(cell(4, 1), 8);
    EXPECT_TRUE(playing(Sfx::DoorOpenClose));

    // A closed door is refused.
    act(sf::Keyboard::A);
    act(sf::Keyboard::A);
    toggleDoor(8);
    EXPECT_EQ(act(sf::Keyboard::W), "");
    EXPECT_EQ(cell(4, 1), 9);

    // Closed on the player walking into it, the door crushes the player, not the monster in it.
    toggleDoor(9);
    game.getMonster().setPosition(4, 1);
    press(sf::Keyboard::W);
    player().update(0.3f);
    toggleDoor(8);
    EXPECT_EQ(game.getState(), GameState::GameLost);
    EXPECT_EQ(cell(4, 1), 9);
    EXPECT_TRUE(playing(Sfx::VoiceDoorCrush));
    EXPECT_TRUE(playing(Sfx::DoorCrush));
    EXPECT_TRUE(game.getMonster().isPresent());

    // Closed on the player walking out of it, it stays shut behind, without the door's sound.
    game.setState(GameState::InGame);
    place({3, 1});
    toggleDoor(9);
    act(sf::Keyboard::W);
    press(sf::Keyboard::W);
    player().update(0.3f);
    toggleDoor(8);
    silence(Sfx::DoorOpenClose);
    settle();
    EXPECT_EQ(game.getState(), GameState::InGame);
    EXPECT_EQ(player().getTile(), sf::Vector2i(5, 1));
    EXPECT_EQ(cell(4, 1), 9);
    EXPECT_FALSE(playing(Sfx::DoorOpenClose));
}

TEST_F(PlayerTest, StartFreezesTenSecondsAsTheLightComesUpAndACaughtPlayerLosesFiveSecondsLater)
{
    const auto frames = [this](int count) {
        for (int frame = 0; frame < count; ++frame)
            player().update(0.01f);
    };
    loadRows(Room, "1 1 5 2\n", {8});
    frames(200);
    EXPECT_NEAR(player().getDarkness(), 2.1f, 0.01f);
    frames(790);
    press(sf::Keyboard::D);
    EXPECT_EQ(moveState(), MoveState::Starting);
    frames(15);
    press(sf::Keyboard::D);
    EXPECT_EQ(moveState(), MoveState::TurningRight);

    // Caught: the death sound plays and five seconds later the game is lost.
    CapturedOutput quiet;
    player().caught();
    frames(498);
    EXPECT_TRUE(playing(Sfx::PlayerDeath));
    EXPECT_EQ(game.getState(), GameState::InGame);
    frames(5);
    EXPECT_EQ(game.getState(), GameState::GameLost);
}

// The first level, seen as it is drawn from its start on (1;1) facing east. A right turn sweeps
// the view toward the south at 2.3 radians a second, evenly: on every frame it shows what a camera
// turned that far sees, until it faces south after 69 frames of a hundredth of a second.
TEST_F(PlayerTest, TutorialViewTurnsEvenlyAtTheTurningSpeed)
{
#if defined(__SANITIZE_ADDRESS__)
    // Mesa's software renderer compiles its shaders with countless allocations, each traced by
    // the sanitizer: the picture is checked in the normal build only.
    GTEST_SKIP();
#endif
    game.getTextures().load();
    player().init();
    sf::RenderTexture seen;
    sf::RenderTexture turned;
    ASSERT_TRUE(seen.create(1280, 720) && turned.create(1280, 720));
    printedBy([&] { game.getLevel().load("data/level/Tutorial.txt"); });
    player().update(10.f);
    sf::VertexArray walls(sf::Lines);
    press(sf::Keyboard::D);
    for (int frame = 0; frame <= 68; player().update(0.01f), ++frame) {
        if (frame % 17 != 0)
            continue;
        EXPECT_EQ(moveState(), MoveState::TurningRight) << frame;
        const float angle = 2.3f * 0.01f * static_cast<float>(frame);
        const sf::Vector2f direction(std::cos(angle), std::sin(angle));
        castView(game.getLevel().getGrid(),
                 {{1.5f, 1.5f}, direction, {-direction.y, direction.x}, 1.5f, 0.7f}, AtlasLayout(),
                 walls);
        seen.clear();
        player().draw(seen);
        seen.display();
        turned.clear();
        turned.draw(walls, &game.getTextures().get("wall"));
        turned.display();
        const sf::Image drawn = seen.getTexture().copyToImage();
        const sf::Uint8* pixels = drawn.getPixelsPtr();
        EXPECT_LT(std::inner_product(pixels, pixels + 1280 * 720 * 4,
                                     turned.getTexture().copyToImage().getPixelsPtr(), 0,
                                     std::plus<>(), std::not_equal_to<>()),
                  2000)
            << frame;
    }
    EXPECT_EQ(moveState(), MoveState::Still);
}

} // namespace
