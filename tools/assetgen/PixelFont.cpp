#include "PixelFont.hpp"

#include "Shapes.hpp"

namespace picture {

namespace {

// Rows from the top, each five cells from the left.
const char* stencil(char letter)
{
    switch (letter) {
    case '1':
        return "00100011000010000100001000010001110";
    case '2':
        return "01110100010000100010001000100011111";
    case '3':
        return "11110000010000101110000010000111110";
    case '4':
        return "00010001100101010010111110001000010";
    case '5':
        return "11111100001111000001000011000101110";
    case '6':
        return "00110010001000011110100011000101110";
    case '7':
        return "11111000010001000100010000100001000";
    case '8':
        return "01110100011000101110100011000101110";
    case 'E':
        return "11111100001000011110100001000011111";
    case 'X':
        return "10001100010101000100010101000110001";
    case 'I':
        return "01110001000010000100001000010001110";
    case 'T':
        return "11111001000010000100001000010000100";
    case '>':
        return "10000010000010000010001000100010000";
    case '_':
        return "00000000000000000000000000000011111";
    default:
        return nullptr;
    }
}

} // namespace

bool PixelFont::isInked(char letter, int column, int row)
{
    const char* cells = stencil(letter);
    return cells != nullptr && cells[row * Columns + column] == '1';
}

int PixelFont::measure(const std::string& word, int cell)
{
    return static_cast<int>(word.size()) * (Columns + 1) * cell - cell;
}

void PixelFont::write(Canvas& canvas, const std::string& word, int centreX, int top, int cell,
                      Colour ink)
{
    int left = centreX - measure(word, cell) / 2;
    for (char letter : word) {
        for (int row = 0; row < Rows; ++row) {
            for (int column = 0; column < Columns; ++column) {
                if (isInked(letter, column, row))
                    rect(canvas, static_cast<float>(left + column * cell),
                         static_cast<float>(top + row * cell),
                         static_cast<float>(left + (column + 1) * cell),
                         static_cast<float>(top + (row + 1) * cell), ink);
            }
        }
        left += (Columns + 1) * cell;
    }
}

} // namespace picture
