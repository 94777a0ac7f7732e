#pragma once

#include "core/Game.hpp"
#include "support/CapturedOutput.hpp"
#include "support/Events.hpp"
#include "support/HeardEffects.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// A game playing a small level of the test's own, whose file is written in a folder of the test's
// own, removed with it.
struct LevelInPlay {
    // Loads a level file's whole text, written as level.txt; answers what the loader printed.
    std::string load(const std::string& text)
    {
        folder.write("level.txt", text);
        return printedBy([&] { game.getLevel().load((folder.path() / "level.txt").string()); });
    }

    // Loads rows of cells, the size counted from them, one exit draw, the monster's part (wander
    // steps and spawn points) after them, then gives the door cells their values.
    void loadRows(const std::string& rows, const std::string& monster = "1 1 1 1",
                  const std::vector<int>& doors = {})
    {
        const auto width = rows.substr(0, rows.find('\n')).size() / 2 + 1;
        const auto height = std::count(rows.begin(), rows.end(), '\n');
        load(std::to_string(width) + " " + std::to_string(height) + " 1\n" + rows + monster);
        CapturedOutput quiet;
        game.getLevel().mapDoors(doors);
    }

    // Puts the player, free to move, on a cell's centre facing east.
    void place(sf::Vector2i cell)
    {
        player().setPosition({cell.x + 0.5f, cell.y + 0.5f});
        player().setAngle(0.f);
        *player().getMoveState() = MoveState::Still;
    }

    void press(sf::Keyboard::Key key) { player().handleEvent(events::keyPressed(key)); }

    // Runs frames of dt until the player is idle again; answers how many it took.
    int settle(float dt = 0.01f)
    {
        int frames = 0;
        for (; frames < 100000 && moveState() != MoveState::Still; ++frames)
            player().update(dt);
        return frames;
    }

    // Answers what `what` printed on the standard output.
    template <typename What> static std::string printedBy(What what)
    {
        CapturedOutput printed;
        what();
        return printed.take();
    }

    // Presses a key and plays the move out; answers what the key press printed.
    std::string act(sf::Keyboard::Key key)
    {
        const std::string byKey = printedBy([&] { press(key); });
        settle();
        return byKey;
    }

    // The operator opens (odd value) or closes (even value) a door; answers what was printed.
    std::string toggleDoor(int value)
    {
        return printedBy([&] { game.getLevel().toggleDoor(value); });
    }

    std::string monsterTurn()
    {
        return printedBy([&] { game.getMonster().takeTurn(); });
    }

    // Stops an effect's voice, so that playing() tells whether it was started again.
    void silence(int effect) { const_cast<sf::Sound&>(game.getSfx().getVoice(effect)).stop(); }
    bool playing(int effect) { return ::playing(game.getSfx(), effect); }

    Player& player() { return game.getPlayer(); }
    int moveState() { return *player().getMoveState(); }
    int cell(int x, int y) { return game.getLevel().getCell(x, y); }

    TempRunFolder folder;
    Game game;
    // A voice once started reads as playing until it is stopped or started again.
    StillAudio still;
};
