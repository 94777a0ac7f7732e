#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "ui/TextBox.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace events;

const sf::Vector2i inBox(400, 310);
const sf::Vector2i outside(900, 600);

// Backspace shrinks even a name over the limit, and stops silently once it is empty; only
// printable ASCII is typed, up to the limit, with a bip each. Enter or a press outside ends editing
// with the valid sound; a press inside or Escape does not.
TEST(TextBoxTest, TypingAndBackspaceEditTheNameWithinItsLimitUntilEnterOrAPressOutside)
{
    // A name box (eight characters) on a page's first row, clicked open for typing.
    Ear ear;
    std::string bound = "ABCDEFGHIJ";
    TextBox box("Name :", &bound, 8, &ear.bank);
    box.setPosition({130.f, 300.f});
    click(box, inBox);
    const auto type = [&box](const std::string& text) {
        for (char character : text)
            box.handleEvent(textEntered(static_cast<unsigned char>(character)), inBox);
    };
    type("K");
    EXPECT_EQ(bound, "ABCDEFGHIJ");
    for (std::size_t left = 10; left-- > 0;) {
        box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
        EXPECT_EQ(bound, std::string("ABCDEFGHIJ", left));
    }
    ear.silence();
    box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
    for (sf::Uint32 rejected : {233u, 8u, 9u, 13u, 31u, 127u, 0x263Au})
        box.handleEvent(textEntered(rejected), inBox);
    box.handleEvent(press(inBox), inBox);
    box.handleEvent(keyPressed(sf::Keyboard::Escape), inBox);
    EXPECT_TRUE(ear.heardNothing());

    type(" ~Ab56");
    EXPECT_TRUE(ear.heard(Sfx::Bip));
    for (const auto& [letter, ending] :
         {std::pair{"7", keyPressed(sf::Keyboard::Return)}, std::pair{"8", press(outside)}}) {
        type(letter);
        ear.silence();
        box.handleEvent(ending, outside);
        EXPECT_TRUE(ear.heard(Sfx::Valid));
        box.handleEvent(moved(outside), outside);
        type("x");
        click(box, inBox);
    }
    ear.silence();
    type("9");
    EXPECT_EQ(bound, " ~Ab5678");
    EXPECT_TRUE(ear.heardNothing());
}

} // namespace
