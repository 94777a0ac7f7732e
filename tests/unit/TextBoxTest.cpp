#include "MenuEvents.hpp"

#include "ui/TextBox.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace menuEvents;

const sf::Vector2i inBox(400, 310);
const sf::Vector2i outside(900, 600);

void type(TextBox& box, const std::string& text)
{
    for (char character : text)
        box.handleEvent(textEntered(static_cast<unsigned char>(character)), inBox);
}

TEST(TextBoxTest, TypingStopsAtTheLengthLimit)
{
    Ear ear;
    for (int limit : {15, 8}) {
        SCOPED_TRACE(limit);
        std::string bound;
        TextBox box("IP :", &bound, limit, &ear.bank);
        box.setPosition({130.f, 300.f});
        click(box, inBox);

        type(box, std::string(static_cast<std::size_t>(limit) - 1, '7'));
        ear.silence();
        type(box, "1");
        EXPECT_TRUE(ear.heard(Bip));

        ear.silence();
        type(box, "2");
        EXPECT_EQ(bound, std::string(static_cast<std::size_t>(limit) - 1, '7') + "1");
        EXPECT_FALSE(ear.heard(Bip));
    }
}

TEST(TextBoxTest, OnlyPrintableAsciiIsTyped)
{
    Ear ear;
    std::string name;
    TextBox box("Name :", &name, 8, &ear.bank);
    box.setPosition({130.f, 300.f});
    click(box, inBox);

    ear.silence();
    for (sf::Uint32 rejected : {233u, 8u, 9u, 13u, 31u, 127u, 0x263Au})
        box.handleEvent(textEntered(rejected), inBox);
    EXPECT_TRUE(name.empty());
    EXPECT_FALSE(ear.heard(Bip));

    type(box, " ~Ab");
    EXPECT_EQ(name, " ~Ab");
}

TEST(TextBoxTest, BackspaceRemovesFromTheEndAndIsSilentOnAnEmptyString)
{
    Ear ear;
    std::string address = "10.0.0.12345678901";
    TextBox box("IP :", &address, 15, &ear.bank);
    box.setPosition({130.f, 300.f});
    click(box, inBox);

    // A string longer than the limit, set elsewhere, can shrink but not grow.
    type(box, "9");
    EXPECT_EQ(address, "10.0.0.12345678901");
    for (int i = 0; i < 18; ++i)
        box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
    EXPECT_TRUE(address.empty());

    ear.silence();
    box.handleEvent(keyPressed(sf::Keyboard::BackSpace), inBox);
    EXPECT_TRUE(ear.heardNothing());
}

TEST(TextBoxTest, EnterOrAPressOutsideEndsEditingWithTheValidSound)
{
    Ear ear;
    std::string address;
    TextBox box("IP :", &address, 15, &ear.bank);
    box.setPosition({130.f, 300.f});

    for (const sf::Event& ending : {keyPressed(sf::Keyboard::Return), press()}) {
        click(box, inBox);
        type(box, "1");
        ear.silence();
        box.handleEvent(ending, ending.type == sf::Event::KeyPressed ? inBox : outside);
        EXPECT_TRUE(ear.heard(Valid));
        box.handleEvent(moved(outside.x, outside.y), outside);
        type(box, "x");
    }
    EXPECT_EQ(address, "11");
}

TEST(TextBoxTest, APressInsideWhileEditingKeepsEditing)
{
    Ear ear;
    std::string name;
    TextBox box("Name :", &name, 8, &ear.bank);
    box.setPosition({130.f, 300.f});
    click(box, inBox);
    ear.silence();
    box.handleEvent(press(), inBox);
    box.handleEvent(keyPressed(sf::Keyboard::Escape), inBox);
    EXPECT_TRUE(ear.heardNothing());
    type(box, "ACE");
    EXPECT_EQ(name, "ACE");
}

}
