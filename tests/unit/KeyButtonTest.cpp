#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "ui/KeyButton.hpp"

#include <gtest/gtest.h>

namespace {

using namespace events;

const sf::Vector2i upBox(400, 310);
const sf::Vector2i leftBox(400, 370);
const sf::Vector2i elsewhere(900, 600);

// The up and left rows of the controls page, bound to W and A.
struct Rows {
    Rows()
    {
        up.setPosition({130.f, 300.f});
        left.setPosition({130.f, 360.f});
    }
    void send(const sf::Event& event, sf::Vector2i pointer)
    {
        up.handleEvent(event, pointer);
        left.handleEvent(event, pointer);
    }
    void clickAt(sf::Vector2i p)
    {
        send(moved(p), p);
        send(press(p), p);
    }

    Ear ear;
    int upKey = sf::Keyboard::W;
    int leftKey = sf::Keyboard::A;
    KeyButton up{"Up :", &upKey, &ear.bank};
    KeyButton left{"Left :", &leftKey, &ear.bank};
};

// A click on the box makes it listen (a press inside, a move away or typed text do not end it);
// the next key is bound, named in the box and confirmed, and later keys go nowhere.
TEST(KeyButtonTest, AClickedBoxBindsTheNextKeyAndShowsItsName)
{
    Rows rows;
    EXPECT_EQ(rows.up.getKeyText(), "W");
    rows.ear.silence();
    rows.clickAt(upBox);
    EXPECT_TRUE(rows.ear.heard(Sfx::MenuClick));
    for (const sf::Event& ignored : {press(upBox), moved(elsewhere), textEntered('x')})
        rows.send(ignored, ignored.type == sf::Event::MouseButtonPressed ? upBox : elsewhere);
    rows.ear.silence();
    rows.send(keyPressed(sf::Keyboard::Up), elsewhere);
    rows.send(keyPressed(sf::Keyboard::Z), upBox);
    EXPECT_EQ(rows.upKey, sf::Keyboard::Up);
    EXPECT_EQ(rows.up.getKeyText(), "Up");
    EXPECT_TRUE(rows.ear.heard(Sfx::Valid));
    EXPECT_EQ(rows.leftKey, sf::Keyboard::A);
}

TEST(KeyButtonTest, EscapeOrAPressOutsideCancelsAndKeepsTheBinding)
{
    const struct {
        sf::Event cancel;
        bool invalidSound;
    } cancels[] = {{keyPressed(sf::Keyboard::Escape), true}, {press(elsewhere), false}};
    for (const auto& cancel : cancels) {
        SCOPED_TRACE(cancel.invalidSound);
        Rows rows;
        rows.clickAt(upBox);
        rows.ear.silence();
        rows.send(cancel.cancel, elsewhere);
        EXPECT_EQ(rows.ear.heard(Sfx::Invalid), cancel.invalidSound);
        EXPECT_FALSE(rows.ear.heard(Sfx::Valid));
        rows.send(keyPressed(sf::Keyboard::Q), elsewhere);
        EXPECT_EQ(rows.upKey, sf::Keyboard::W);
        EXPECT_EQ(rows.up.getKeyText(), "W");
    }
}

TEST(KeyButtonTest, OnlyTheBoxListensAndClickingAnotherBoxHandsListeningOver)
{
    Rows rows;
    rows.ear.silence();
    rows.clickAt({200, 310});
    EXPECT_TRUE(rows.ear.heardNothing());
    rows.send(keyPressed(sf::Keyboard::Q), {200, 310});
    EXPECT_EQ(rows.upKey, sf::Keyboard::W);

    rows.clickAt(upBox);
    rows.clickAt(leftBox);
    rows.send(keyPressed(sf::Keyboard::J), leftBox);
    EXPECT_EQ(rows.upKey, sf::Keyboard::W);
    EXPECT_EQ(rows.leftKey, sf::Keyboard::J);
}

} // namespace
