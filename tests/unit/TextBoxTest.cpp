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

// A name box (eight characters) on a page's first row, clicked open for typing.
struct EditedBox {
    explicit EditedBox(std::string text) : bound(std::move(text))
    {
        box.setPosition({130.f, 300.f});
        click(box, inBox);
        ear.silence();
    }
    void type(const std::string& text)
    {
        for (char character : text)
            box.handleEvent(textEntered(static_cast<unsigned char>(character)), inBox);
    }
    Ear ear;
    std::string bound;
    TextBox box{"Name :", &bound, 8, &ear.bank};
};

// Backspace shrinks even a name over the limit, and stops silently once it is empty; only
// printable ASCII is typed, up to the limit, with a bip each. Enter or a press outside ends editing
// with the valid sound; a press inside or Escape does not.
TEST(TextBoxTest, TypingAndBackspaceEditTheNameWithinItsLimitUntilEnterOrAPressOutside)
{
    EditedBox name("ABCDEFGHIJ");
    name.type("K");
    EXPECT_EQ(name.bound, "ABCDEFGHIJ");
    for (const char* left :
         {"ABCDEFGHI", "ABCDEFGH", "ABCDEFG", "ABCDEF", "ABCDE", "ABCD", "ABC", "AB", "A", ""}) {
        name.box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
        EXPECT_EQ(name.bound, left);
    }
    name.ear.silence();
    name.box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
    for (sf::Uint32 rejected : {233u, 8u, 9u, 13u, 31u, 127u, 0x263Au})
        name.box.handleEvent(textEntered(rejected), inBox);
    name.box.handleEvent(press(inBox), inBox);
    name.box.handleEvent(keyPressed(sf::Keyboard::Escape), inBox);
    EXPECT_TRUE(name.ear.heardNothing());

    name.type(" ~Ab56");
    EXPECT_TRUE(name.ear.heard(Sfx::Bip));
    for (const auto& [letter, ending] :
         {std::pair{"7", keyPressed(sf::Keyboard::Return)}, std::pair{"8", press(outside)}}) {
        name.type(letter);
        name.ear.silence();
        name.box.handleEvent(ending, outside);
        EXPECT_TRUE(name.ear.heard(Sfx::Valid));
        name.box.handleEvent(moved(outside), outside);
        name.type("x");
        click(name.box, inBox);
    }
    name.ear.silence();
    name.type("9");
    EXPECT_EQ(name.bound, " ~Ab5678");
    EXPECT_TRUE(name.ear.heardNothing());
}

} // namespace
