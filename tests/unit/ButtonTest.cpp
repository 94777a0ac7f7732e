#include "MenuEvents.hpp"

#include "ui/BackButton.hpp"
#include "ui/FullScreenButton.hpp"
#include "ui/StateButton.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using namespace menuEvents;

const sf::Vector2i onRow(140, 310);
const sf::Vector2i offRow(900, 310);

// The two buttons that write an integer, each with the sound its click makes.
struct PushButtonCase {
    std::string name;
    std::function<std::unique_ptr<Button>(int*, Sfx*)> make;
    Effect clickSound;
};

std::vector<PushButtonCase> pushButtons()
{
    return {
        {"BackButton",
         [](int* target, Sfx* sfx) { return std::make_unique<BackButton>(target, 7, sfx); },
         MenuCloseWindow},
        {"StateButton",
         [](int* target, Sfx* sfx) {
             return std::make_unique<StateButton>("Settings", target, 7, sfx);
         },
         MenuNewWindow},
    };
}

TEST(ButtonTest, HoverSoundsOnceOnArrivalAndLeavingIsSilent)
{
    Ear ear;
    for (const PushButtonCase& kind : pushButtons()) {
        SCOPED_TRACE(kind.name);
        int target = 0;
        auto button = kind.make(&target, &ear.bank);
        button->setPosition({130.f, 300.f});

        ear.silence();
        button->handleEvent(moved(onRow.x, onRow.y), onRow);
        EXPECT_TRUE(ear.heard(MenuHover));

        ear.silence();
        button->handleEvent(moved(onRow.x + 5, onRow.y), onRow + sf::Vector2i(5, 0));
        button->handleEvent(moved(offRow.x, offRow.y), offRow);
        EXPECT_TRUE(ear.heardNothing());

        // Idle again: a press only hovers it.
        button->handleEvent(press(), onRow);
        EXPECT_TRUE(ear.heard(MenuHover));
        EXPECT_EQ(target, 0);
    }
}

TEST(ButtonTest, LeftPressOnAHoveredButtonActsOnceAndTheNextEventHoversItAgain)
{
    Ear ear;
    for (const PushButtonCase& kind : pushButtons()) {
        SCOPED_TRACE(kind.name);
        int target = 0;
        auto button = kind.make(&target, &ear.bank);
        button->setPosition({130.f, 300.f});
        button->handleEvent(moved(onRow.x, onRow.y), onRow);

        ear.silence();
        button->handleEvent(press(), onRow);
        EXPECT_EQ(target, 7);
        EXPECT_TRUE(ear.heard(kind.clickSound));
        EXPECT_FALSE(ear.heard(MenuHover));

        target = 0;
        ear.silence();
        button->handleEvent(release(), onRow);
        EXPECT_TRUE(ear.heard(MenuHover));
        EXPECT_EQ(target, 0);
    }
}

TEST(ButtonTest, OnlyALeftPressClicks)
{
    Ear ear;
    int target = 0;
    StateButton button("Join", &target, 1, &ear.bank);
    button.setPosition({130.f, 300.f});
    button.handleEvent(moved(onRow.x, onRow.y), onRow);

    sf::Event wheel;
    wheel.type = sf::Event::MouseWheelScrolled;
    wheel.mouseWheelScroll = {sf::Mouse::VerticalWheel, 1.f, onRow.x, onRow.y};
    for (const sf::Event& event :
         {press(sf::Mouse::Right), press(sf::Mouse::Middle), release(), wheel})
        button.handleEvent(event, onRow);
    EXPECT_EQ(target, 0);

    button.handleEvent(press(), onRow);
    EXPECT_EQ(target, 1);
}

TEST(ButtonTest, RightAndBottomEdgesAreOutsideTheLeftAndTopInside)
{
    Ear ear;
    int target = 0;
    StateButton button("Stats", &target, 4, &ear.bank);
    button.setPosition({130.f, 300.f});

    for (sf::Vector2i outside : {sf::Vector2i(630, 310), sf::Vector2i(140, 340),
                                 sf::Vector2i(129, 310), sf::Vector2i(140, 299)}) {
        button.handleEvent(moved(outside.x, outside.y), outside);
        button.handleEvent(press(), outside);
        EXPECT_EQ(target, 0) << outside.x << ", " << outside.y;
    }
    for (sf::Vector2i inside : {sf::Vector2i(130, 300), sf::Vector2i(629, 339)}) {
        target = 0;
        click(button, inside);
        EXPECT_EQ(target, 4) << inside.x << ", " << inside.y;
    }
}

TEST(ButtonTest, KeyboardEventHoversAnIdleButtonUnderThePointer)
{
    Ear ear;
    int target = 0;
    BackButton button(&target, 2, &ear.bank);
    button.setPosition({130.f, 540.f});
    const sf::Vector2i pointer(200, 560);

    ear.silence();
    button.handleEvent(keyPressed(sf::Keyboard::W), pointer);
    EXPECT_TRUE(ear.heard(MenuHover));
    button.handleEvent(press(), pointer);
    EXPECT_EQ(target, 2);
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
    EXPECT_TRUE(ear.heard(MenuClick));
    EXPECT_EQ(button.getLabel().toAnsiString(), "Full Screen \"ON\"");
    EXPECT_TRUE(window.isOpen());

    click(button, pointer);
    EXPECT_EQ(button.getLabel().toAnsiString(), "Full Screen \"OFF\"");
    ASSERT_TRUE(window.isOpen());
    EXPECT_EQ(window.getSize(), sf::Vector2u(1280, 720));
}

}
