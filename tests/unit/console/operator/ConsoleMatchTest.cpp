#include "operator/Match.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleMatchTest, ObjectsStepsScansAndLocationsAreKept)
{
    Match match;
    match.interaction(5);
    match.interaction(3);
    match.interaction(2);
    match.playerMoved();
    match.monsterPosition(4, 6);
    match.playerMoved();
    match.playerMoved();
    EXPECT_EQ(match.getTaken(), (std::set<int>{3, 5}));
    EXPECT_EQ(match.getSteps(), 3);
    EXPECT_EQ(match.getMonster(), sf::Vector2i(4, 6));
    EXPECT_EQ(match.getMonsterAge(), 2);
    match.monsterPosition(0, 0);
    EXPECT_FALSE(match.getMonster().has_value());

    // Object replies are matched to the requests in order; one nobody asked for names none.
    EXPECT_EQ(match.objectPosition(1, 1), 0);
    match.objectRequested(6);
    match.objectRequested(3);
    EXPECT_EQ(match.objectPosition(2, 5), 6);
    EXPECT_EQ(match.objectPosition(7, 1), 3);
    EXPECT_EQ(match.getLocated(), (std::map<int, sf::Vector2i>{{3, {7, 1}}, {6, {2, 5}}}));
}

} // namespace
