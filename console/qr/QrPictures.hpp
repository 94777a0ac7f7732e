#pragma once

#include "qr/QrCode.hpp"

#include <string>

// Pictures of a QR code, each with the light margin of four modules that readers need.
namespace QrPictures {

constexpr int margin = 4;

// Lines of text for a terminal: two rows of modules a line, in Unicode half blocks, black on
// white whatever the terminal's colours (a reader sees a dark-on-light code either way).
std::string terminal(const QrCode& code);

// An SVG image: one path of unit squares on a white ground, scaled by whoever shows it.
std::string svg(const QrCode& code);

} // namespace QrPictures
