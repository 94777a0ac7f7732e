#include "MenuEvents.hpp"

#include "ui/KeyButton.hpp"

#include <gtest/gtest.h>

namespace {

using namespace menuEvents;

const sf::Vector2i upBox(400, 310);

struct UpRow {
    Ear ear;
    int key = sf::Keyboard::W;
    KeyButton button{"Up :", &key, &ear.bank};
    UpRow() { button.setPosition({130.f, 300.f}); }
};

TEST(KeyButtonTest, ClickingTheBoxThenPressingQBindsQ)
{
    UpRow row;
    EXPECT_EQ(row.button.getKeyText(), "W");

    row.ear.silence();
    click(row.button, upBox);
    EXPECT_TRUE(row.ear.heard(MenuClick));

    row.ear.silence();
    row.button.handleEvent(keyPressed(sf::Keyboard::Q), upBox);
    EXPECT_EQ(row.key, 16);
    EXPECT_EQ(row.button.getKeyText(), "Q");
    EXPECT_TRUE(row.ear.heard(Valid));

    // Bound: the next key goes nowhere.
    row.button.handleEvent(keyPressed(sf::Keyboard::Z), upBox);
    EXPECT_EQ(row.key, 16);
}

TEST(KeyButtonTest, EscapeCancelsWithTheInvalidSoundAndKeepsTheBinding)
{
    UpRow row;
    click(row.button, upBox);

    row.ear.silence();
    row.button.handleEvent(keyPressed(sf::Keyboard::Escape), upBox);
    EXPECT_TRUE(row.ear.heard(Invalid));
    EXPECT_FALSE(row.ear.heard(Valid));
    EXPECT_EQ(row.key, sf::Keyboard::W);
    EXPECT_EQ(row.button.getKeyText(), "W");

    row.button.handleEvent(keyPressed(sf::Keyboard::Q), upBox);
    EXPECT_EQ(row.key, sf::Keyboard::W);
}

TEST(KeyButtonTest, ListeningSurvivesAPressInsideAndEndsSilentlyOnAPressOutside)
{
    UpRow row;
    click(row.button, upBox);
    row.button.handleEvent(press(), upBox);
    row.button.handleEvent(moved(900, 600), {900, 600});
    row.button.handleEvent(textEntered('x'), {900, 600});
    row.button.handleEvent(keyPressed(sf::Keyboard::Up), {900, 600});
    EXPECT_EQ(row.key, sf::Keyboard::Up);
    EXPECT_EQ(row.button.getKeyText(), "Up");

    click(row.button, upBox);
    row.ear.silence();
    row.button.handleEvent(press(), {900, 600});
    EXPECT_TRUE(row.ear.heardNothing());
    row.button.handleEvent(keyPressed(sf::Keyboard::Q), {900, 600});
    EXPECT_EQ(row.key, sf::Keyboard::Up);
}

TEST(KeyButtonTest, OnlyTheBoxReactsNotTheLabel)
{
    UpRow row;
    row.ear.silence();
    click(row.button, {200, 310});
    EXPECT_TRUE(row.ear.heardNothing());
    row.button.handleEvent(keyPressed(sf::Keyboard::Q), {200, 310});
    EXPECT_EQ(row.key, sf::Keyboard::W);
}

TEST(KeyButtonTest, ClickingAnotherRowsBoxHandsListeningOver)
{
    Ear ear;
    int up = sf::Keyboard::W;
    int left = sf::Keyboard::A;
    KeyButton upRow("Up :", &up, &ear.bank);
    KeyButton leftRow("Left :", &left, &ear.bank);
    upRow.setPosition({130.f, 300.f});
    leftRow.setPosition({130.f, 360.f});
    auto both = [&](const sf::Event& event, sf::Vector2i pointer) {
        upRow.handleEvent(event, pointer);
        leftRow.handleEvent(event, pointer);
    };

    const sf::Vector2i leftBox(400, 370);
    both(moved(upBox.x, upBox.y), upBox);
    both(press(), upBox);
    both(moved(leftBox.x, leftBox.y), leftBox);
    both(press(), leftBox);
    both(keyPressed(sf::Keyboard::J), leftBox);

    EXPECT_EQ(up, sf::Keyboard::W);
    EXPECT_EQ(left, sf::Keyboard::J);
}

}
