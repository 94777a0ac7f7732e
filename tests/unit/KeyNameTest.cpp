#include "ui/KeyName.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

// The names the controls page shows, from each part of the keyboard, and codes no key has.
TEST(KeyNameTest, KeysShowTheNamesAPlayerReads)
{
    using Key = sf::Keyboard::Key;
    std::string names;
    for (Key code :
         {Key::A, Key::Num9, Key::LControl, Key::RShift, Key::Return, Key::BackSpace, Key::Left,
          Key::Down, Key::Numpad9, Key::F15, Key::Unknown, Key(36), Key(-2), Key::KeyCount})
        names += keyName(code) + ",";
    EXPECT_EQ(names, "A,Num 9,Left Control,Right Shift,Enter,Backspace,Left,Down,Numpad 9,F15,"
                     "Unknown,Unknown,Unknown,Unknown,");
}

} // namespace
