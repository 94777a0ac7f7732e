#pragma once

#include "common/LevelFile.hpp"
#include "operator/Operator.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

// Where an operator console stands when a test asks it something. Every stage but NoGame has a
// raw game joined; NineDoors and Unavailable on a level the game cannot run.
enum ConsoleStage { NoGame, Joined, Playing, PowerDown, NineDoors, Unavailable };

// The levels for a stage: Unavailable has no level files, NineDoors a first level with one
// door cell more than the game has pairs for (the file check would refuse it).
inline LevelCatalogue catalogueFor(ConsoleStage stage)
{
    LevelCatalogue catalogue(stage == Unavailable ? "no/such/folder" : "data/level");
    if (stage == NineDoors)
        catalogue.setPlan(0, LevelPlan(LevelFile::parse("11 3 1\n"
                                                        "1 1 1 1 1 1 1 1 1 1 1\n"
                                                        "1 8 8 8 8 8 8 8 8 8 1\n"
                                                        "1 1 1 1 1 1 1 1 1 1 1\n",
                                                        false)));
    return catalogue;
}

// Listens on 127.0.0.1:3000 and brings a game (with that receive buffer, if given) to the console
// on the way to the stage; what the game is sent on the way is read.
inline void reach(Operator& console, RawPeer& game, ConsoleStage stage, int receiveBuffer = 0)
{
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    if (stage != NoGame) {
        game = RawPeer::connectTo(Protocol::Port, receiveBuffer);
        ASSERT_TRUE(waitUntil([&console] {
            console.update();
            return console.getLink().isConnected();
        }));
    }
    if (stage == Playing || stage == PowerDown) {
        ASSERT_TRUE(console.start());
        game.readPayload();
    }
    if (stage == PowerDown) {
        ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
        game.readPayload();
    }
}
