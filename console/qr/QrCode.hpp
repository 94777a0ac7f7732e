#pragma once

#include <string>
#include <vector>

// A QR code of a text, as the console shows its links to a phone's camera: a square of dark and
// light modules, from Debian's libqrencode. Pictures of it are drawn by QrPictures.
class QrCode {
public:
    // Empty (size 0) when the text cannot be encoded: far too long for any QR code.
    explicit QrCode(const std::string& text);

    // Modules along a side, without the light margin a reader needs around it.
    int getSize() const;
    bool isDark(int column, int row) const;

private:
    int size;
    std::vector<bool> modules;
};
