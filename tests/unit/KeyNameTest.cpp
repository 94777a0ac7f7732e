#include "ui/KeyName.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

namespace {

// The names the controls page shows, from each part of the keyboard, and codes no key has.
TEST(KeyNameTest, KeysShowTheNamesAPlayerReads)
{
    const std::pair<int, const char*> names[] = {
        {sf::Keyboard::A, "A"},
        {sf::Keyboard::Z, "Z"},
        {sf::Keyboard::Num0, "Num 0"},
        {sf::Keyboard::Num9, "Num 9"},
        {sf::Keyboard::LControl, "Left Control"},
        {sf::Keyboard::RShift, "Right Shift"},
        {sf::Keyboard::SemiColon, "SemiColon"},
        {sf::Keyboard::Tilde, "Tilde"},
        {sf::Keyboard::Hyphen, "Hyphen"},
        {sf::Keyboard::Space, "Space"},
        {sf::Keyboard::Return, "Enter"},
        {sf::Keyboard::BackSpace, "Backspace"},
        {sf::Keyboard::Divide, "Divide"},
        {sf::Keyboard::Left, "Left"},
        {sf::Keyboard::Down, "Down"},
        {sf::Keyboard::Numpad0, "Numpad 0"},
        {sf::Keyboard::Numpad9, "Numpad 9"},
        {sf::Keyboard::F1, "F1"},
        {sf::Keyboard::F15, "F15"},
        {sf::Keyboard::Pause, "Pause"},
        {sf::Keyboard::Unknown, "Unknown"},
        {36, "Unknown"},
        {40, "Unknown"},
        {44, "Unknown"},
        {-2, "Unknown"},
        {sf::Keyboard::KeyCount, "Unknown"},
        {1 << 30, "Unknown"},
    };
    for (const auto& [code, name] : names)
        EXPECT_EQ(keyName(code), name) << "code " << code;
}

} // namespace
