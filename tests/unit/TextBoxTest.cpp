#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "ui/TextBox.hpp"

#include <gtest/gtest.h>

#include <string>

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

TEST(TextBoxTest, TypesPrintableAsciiUpToTheLimitWithABipEach)
{
    EditedBox name("");
    for (sf::Uint32 rejected : {233u, 8u, 9u, 13u, 31u, 127u, 0x263Au})
        name.box.handleEvent(textEntered(rejected), inBox);
    EXPECT_TRUE(name.ear.heardNothing());

    name.type(" ~Ab5678");
    EXPECT_TRUE(name.ear.heard(Sfx::Bip));
    name.ear.silence();
    name.type("9");
    EXPECT_EQ(name.bound, " ~Ab5678");
    EXPECT_TRUE(name.ear.heardNothing());
}

TEST(TextBoxTest, BackspaceShrinksEvenAStringOverTheLimitAndStopsSilentlyWhenEmpty)
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
    EXPECT_TRUE(name.ear.heardNothing());
}

TEST(TextBoxTest, EnterOrAPressOutsideEndsEditingWithTheValidSoundAndNothingElseDoes)
{
    EditedBox name("");
    // Neither a press inside nor Escape ends editing.
    name.box.handleEvent(press(inBox), inBox);
    name.box.handleEvent(keyPressed(sf::Keyboard::Escape), inBox);
    EXPECT_TRUE(name.ear.heardNothing());

    for (const sf::Event& ending : {keyPressed(sf::Keyboard::Return), press(outside)}) {
        name.type("1");
        name.ear.silence();
        name.box.handleEvent(ending, outside);
        EXPECT_TRUE(name.ear.heard(Sfx::Valid));
        name.box.handleEvent(moved(outside), outside);
        name.type("x");
        click(name.box, inBox);
    }
    EXPECT_EQ(name.bound, "11");
}

} // namespace
