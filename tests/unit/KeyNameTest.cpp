#include "ui/KeyName.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(KeyNameTest, EveryKeyCodeHasItsText)
{
    std::map<int, std::string> expected = {
        {-1, "Unknown"}, {36, "Unknown"}, {37, "Left Control"}, {38, "Left Shift"},
        {39, "Left Alt"}, {40, "Unknown"}, {41, "Right Control"}, {42, "Right Shift"},
        {43, "Right Alt"}, {44, "Unknown"}, {45, "Menu"}, {46, "Left Bracket"},
        {47, "Right Bracket"}, {48, "SemiColon"}, {49, "Comma"}, {50, "Period"}, {51, "Quote"},
        {52, "Slash"}, {53, "Backslash"}, {54, "Tilde"}, {55, "Equal"}, {56, "Hyphen"},
        {57, "Space"}, {58, "Enter"}, {59, "Backspace"}, {60, "Tab"}, {61, "PageUp"},
        {62, "PageDown"}, {63, "End"}, {64, "Home"}, {65, "Insert"}, {66, "Delete"},
        {67, "Add"}, {68, "Subtract"}, {69, "Multiply"}, {70, "Divide"}, {71, "Left"},
        {72, "Right"}, {73, "Up"}, {74, "Down"}, {100, "Pause"},
    };
    for (int letter = 0; letter < 26; ++letter)
        expected[letter] = std::string(1, static_cast<char>('A' + letter));
    for (int digit = 0; digit < 10; ++digit) {
        expected[26 + digit] = "Num " + std::to_string(digit);
        expected[75 + digit] = "Numpad " + std::to_string(digit);
    }
    for (int f = 1; f <= 15; ++f)
        expected[84 + f] = "F" + std::to_string(f);

    ASSERT_EQ(expected.size(), 102u);
    for (const auto& [code, text] : expected)
        EXPECT_EQ(keyName(code), text) << "code " << code;
}

TEST(KeyNameTest, CodesOutsideTheKeyboardAreUnknown)
{
    for (int code : {-2, 101, -1000, 1 << 30})
        EXPECT_EQ(keyName(code), "Unknown") << "code " << code;
}

}
