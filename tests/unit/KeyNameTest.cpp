#include "ui/KeyName.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

namespace {

// The names the controls page shows, from each part of the keyboard, and codes no key has.
TEST(KeyNameTest, KeysShowTheNamesAPlayerReads)
{
    const std::pair<int, const char*> names[] = {{sf::Keyboard::A, "A"},
                                                 {sf::Keyboard::Num9, "Num 9"},
                                                 {sf::Keyboard::LControl, "Left Control"},
                                                 {sf::Keyboard::RShift, "Right Shift"},
                                                 {sf::Keyboard::Return, "Enter"},
                                                 {sf::Keyboard::BackSpace, "Backspace"},
                                                 {sf::Keyboard::Left, "Left"},
                                                 {sf::Keyboard::Down, "Down"},
                                                 {sf::Keyboard::Numpad9, "Numpad 9"},
                                                 {sf::Keyboard::F15, "F15"},
                                                 {36, "Unknown"},
                                                 {-2, "Unknown"},
                                                 {sf::Keyboard::KeyCount, "Unknown"}};
    for (const auto& [code, name] : names)
        EXPECT_EQ(keyName(code), name) << "code " << code;
}

} // namespace
