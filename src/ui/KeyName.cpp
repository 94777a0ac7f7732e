#include "ui/KeyName.hpp"

namespace {
// Indexed by code + 1, from -1 (unknown key) to 100 (Pause).
const char* const keyNames[] = {
    "Unknown",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "Num 0", "Num 1", "Num 2", "Num 3", "Num 4", "Num 5", "Num 6", "Num 7", "Num 8", "Num 9",
    "Unknown",
    "Left Control", "Left Shift", "Left Alt", "Unknown",
    "Right Control", "Right Shift", "Right Alt", "Unknown",
    "Menu", "Left Bracket", "Right Bracket",
    "SemiColon", "Comma", "Period", "Quote", "Slash", "Backslash", "Tilde", "Equal", "Hyphen",
    "Space", "Enter", "Backspace", "Tab",
    "PageUp", "PageDown", "End", "Home", "Insert", "Delete",
    "Add", "Subtract", "Multiply", "Divide",
    "Left", "Right", "Up", "Down",
    "Numpad 0", "Numpad 1", "Numpad 2", "Numpad 3", "Numpad 4",
    "Numpad 5", "Numpad 6", "Numpad 7", "Numpad 8", "Numpad 9",
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14", "F15",
    "Pause",
};
constexpr int nameCount = sizeof(keyNames) / sizeof(keyNames[0]);
static_assert(nameCount == 102, "one name for every code from -1 to 100");
}

std::string keyName(int code)
{
    if (code < -1 || code + 1 >= nameCount)
        return "Unknown";
    return keyNames[code + 1];
}
