#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "ui/KeyButton.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace events;

const sf::Vector2i upLabel(200, 310);
const sf::Vector2i upBox(400, 310);
const sf::Vector2i leftBox(400, 370);
const sf::Vector2i elsewhere(900, 600);

// The up and left rows of the controls page, bound to W and A; events reach both, as on the page.
struct Rows {
    Rows()
    {
        up.setPosition({130.f, 300.f});
        left.setPosition({130.f, 360.f});
    }
    void handleEvent(const sf::Event& event, sf::Vector2i pointer)
    {
        up.handleEvent(event, pointer);
        left.handleEvent(event, pointer);
    }

    Ear ear;
    int upKey = sf::Keyboard::W;
    int leftKey = sf::Keyboard::A;
    KeyButton up{"Up :", &upKey, &ear.bank};
    KeyButton left{"Left :", &leftKey, &ear.bank};
};

// Only a click on the box makes it listen (a press inside, a move away or typed text do not end
// it); the next key is bound, named in the box and confirmed, and later keys go nowhere. Clicking
// another row's box hands the listening over; Escape cancels with the invalid sound, a press
// outside silently, and either keeps the binding.
TEST(KeyButtonTest, AClickedBoxBindsTheNextKeyUnlessEscapeOrAPressOutsideCancels)
{
    Rows rows;
    rows.ear.silence();
    click(rows, upLabel);
    EXPECT_TRUE(rows.ear.heardNothing());
    rows.handleEvent(keyPressed(sf::Keyboard::Q), upLabel);
    EXPECT_EQ(rows.upKey, sf::Keyboard::W);

    click(rows, upBox);
    EXPECT_TRUE(rows.ear.heard(Sfx::MenuClick));
    for (const sf::Event& ignored : {press(upBox), moved(elsewhere), textEntered('x')})
        rows.handleEvent(ignored,
                         ignored.type == sf::Event::MouseButtonPressed ? upBox : elsewhere);
    rows.ear.silence();
    rows.handleEvent(keyPressed(sf::Keyboard::Up), elsewhere);
    rows.handleEvent(keyPressed(sf::Keyboard::Z), upBox);
    EXPECT_EQ(rows.upKey, sf::Keyboard::Up);
    EXPECT_EQ(rows.up.getKeyText(), "Up");
    EXPECT_TRUE(rows.ear.heard(Sfx::Valid));
    EXPECT_EQ(rows.leftKey, sf::Keyboard::A);

    click(rows, upBox);
    click(rows, leftBox);
    rows.handleEvent(keyPressed(sf::Keyboard::J), leftBox);
    EXPECT_EQ(rows.upKey, sf::Keyboard::Up);
    EXPECT_EQ(rows.leftKey, sf::Keyboard::J);

    for (const auto& [cancel, invalidSound] :
         {std::pair{keyPressed(sf::Keyboard::Escape), true}, std::pair{press(elsewhere), false}}) {
        SCOPED_TRACE(invalidSound);
        click(rows, upBox);
        rows.ear.silence();
        rows.handleEvent(cancel, elsewhere);
        EXPECT_EQ(rows.ear.heard(Sfx::Invalid), invalidSound);
        EXPECT_FALSE(rows.ear.heard(Sfx::Valid));
        rows.handleEvent(keyPressed(sf::Keyboard::Q), elsewhere);
        EXPECT_EQ(rows.upKey, sf::Keyboard::Up);
        EXPECT_EQ(rows.up.getKeyText(), "Up");
    }
}

} // namespace
