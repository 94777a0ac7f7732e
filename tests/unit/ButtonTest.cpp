#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "ui/BackButton.hpp"
#include "ui/FullScreenButton.hpp"
#include "ui/StateButton.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

using namespace events;

const sf::Vector2i onRow(140, 310);
const sf::Vector2i offRow(900, 310);

// The two buttons that write an integer, each with the sound its click makes and the first pixel
// past its right edge.
TEST(ButtonTest, HoverSoundsOnArrivalAndALeftPressInsideWhileHoveredActsOnce)
{
    Ear ear;
    int target = 0;
    BackButton back(&target, 7, &ear.bank);
    StateButton state("Settings", &target, 7, &ear.bank);
    const std::tuple<Button*, Sfx::Effect, int> buttons[] = {{&back, Sfx::MenuCloseWindow, 280},
                                                             {&state, Sfx::MenuNewWindow, 630}};
    for (const auto& [button, clickSound, right] : buttons) {
        SCOPED_TRACE(clickSound);
        target = 0;
        button->setPosition({130.f, 300.f});

        // A press on an idle button only hovers it; leaving is silent.
        ear.silence();
        button->handleEvent(press(onRow), onRow);
        EXPECT_TRUE(ear.heard(Sfx::MenuHover));
        EXPECT_EQ(target, 0);
        ear.silence();
        button->handleEvent(moved(onRow + sf::Vector2i(5, 0)), onRow + sf::Vector2i(5, 0));
        button->handleEvent(moved(offRow), offRow);
        EXPECT_TRUE(ear.heardNothing());

        // A key with the pointer on the idle button only hovers it, with its sound; neither a key
        // nor any but the left button clicks it.
        button->handleEvent(keyPressed(sf::Keyboard::Return), onRow);
        EXPECT_TRUE(ear.heard(Sfx::MenuHover));
        for (const sf::Event& other :
             {keyPressed(sf::Keyboard::Return), press(onRow, sf::Mouse::Right),
              press(onRow, sf::Mouse::Middle), release(onRow)})
            button->handleEvent(other, onRow);
        EXPECT_EQ(target, 0);

        ear.silence();
        button->handleEvent(press(onRow), onRow);
        EXPECT_EQ(target, 7);
        EXPECT_TRUE(ear.heard(clickSound));
        EXPECT_FALSE(ear.heard(Sfx::MenuHover));

        // Idle after the click: the next event hovers it again instead of clicking.
        target = 0;
        ear.silence();
        button->handleEvent(release(onRow), onRow);
        EXPECT_TRUE(ear.heard(Sfx::MenuHover));
        EXPECT_EQ(target, 0);

        // The right and bottom edges are outside, the left and top ones inside.
        const std::pair<sf::Vector2i, int> points[] = {
            {{right, 310}, 0}, {{140, 340}, 0}, {{129, 310}, 0},
            {{140, 299}, 0},   {{130, 300}, 7}, {{right - 1, 339}, 7},
        };
        for (const auto& [point, expected] : points) {
            target = 0;
            click(*button, point);
            EXPECT_EQ(target, expected) << point.x << ", " << point.y;
        }
    }
}

TEST(ButtonTest, FullScreenTwiceReturnsToTheWindowedGameWindow)
{
    Ear ear;
    sf::RenderWindow window(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
    FullScreenButton button("Full Screen \"OFF\"", &window, &ear.bank);
    button.setPosition({130.f, 480.f});
    const sf::Vector2i pointer(200, 500);

    ear.silence();
    click(button, pointer);
    EXPECT_TRUE(ear.heard(Sfx::MenuClick));
    EXPECT_EQ(button.getLabel().toAnsiString(), "Full Screen \"ON\"");

    click(button, pointer);
    EXPECT_EQ(button.getLabel().toAnsiString(), "Full Screen \"OFF\"");
    ASSERT_TRUE(window.isOpen());
    EXPECT_EQ(window.getSize(), sf::Vector2u(1280, 720));
}

} // namespace
