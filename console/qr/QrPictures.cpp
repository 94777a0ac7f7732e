#include "qr/QrPictures.hpp"

namespace QrPictures {

std::string terminal(const QrCode& code)
{
    // Black text on a white ground; each line ends with the colours reset.
    static const char* const colours = "\x1b[30;47m";
    static const char* const reset = "\x1b[0m";
    // Indexed by (top dark) * 2 + (bottom dark).
    static const char* const halves[4] = {" ", "\u2584", "\u2580", "\u2588"};
    const int first = -margin;
    const int end = code.getSize() + margin;
    std::string text;
    for (int row = first; row < end; row += 2) {
        text += colours;
        for (int column = first; column < end; ++column) {
            const bool top = code.isDark(column, row);
            const bool bottom = row + 1 < end && code.isDark(column, row + 1);
            text += halves[top * 2 + bottom];
        }
        text += reset;
        text += '\n';
    }
    return text;
}

std::string svg(const QrCode& code)
{
    const std::string side = std::to_string(code.getSize() + 2 * margin);
    std::string path;
    for (int row = 0; row < code.getSize(); ++row)
        for (int column = 0; column < code.getSize(); ++column)
            if (code.isDark(column, row))
                path += "M" + std::to_string(column + margin) + " " + std::to_string(row + margin) +
                        "h1v1h-1z";
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + side + " " + side +
           "\" shape-rendering=\"crispEdges\"><rect width=\"" + side + "\" height=\"" + side +
           "\" fill=\"#fff\"/><path d=\"" + path + "\" fill=\"#000\"/></svg>";
}

} // namespace QrPictures
