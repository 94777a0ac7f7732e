#pragma once

#include "Canvas.hpp"

#include <string>

namespace picture {

// The stencil alphabet of the plant's signs: 5 by 7 cells a letter, one blank column between
// letters. Holds the digits and the capitals the art writes.
class PixelFont {
public:
    static constexpr int Columns = 5;
    static constexpr int Rows = 7;

    // Whether cell (column, row) of the letter is inked; unknown letters are blank.
    static bool isInked(char letter, int column, int row);
    // Width in pixels of a word written with cells of the given size.
    static int measure(const std::string& word, int cell);
    // Writes the word centred on centreX with its top at top, each cell a square of cell pixels.
    static void write(Canvas& canvas, const std::string& word, int centreX, int top, int cell,
                      Colour ink);
};

} // namespace picture
