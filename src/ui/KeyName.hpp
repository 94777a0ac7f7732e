#pragma once

#include <string>

// The text shown for a keyboard code (the sf::Keyboard::Key values, -1 to 100). Codes without a
// name of their own, Escape and the system keys among them, read "Unknown".
std::string keyName(int code);
