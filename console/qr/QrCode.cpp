#include "qr/QrCode.hpp"

#include <qrencode.h>

#include <memory>

QrCode::QrCode(const std::string& text) : size(0)
{
    // Error correction M survives a phone camera's view of a screen (glare, a moiré, a finger)
    // and keeps a link of about eighty characters to 37 modules a side, under half of an
    // ordinary terminal's width.
    std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M), QRcode_free);
    if (!code)
        return;
    size = code->width;
    modules.resize(static_cast<std::size_t>(size) * size);
    for (std::size_t i = 0; i < modules.size(); ++i)
        modules[i] = (code->data[i] & 1u) != 0;
}

int QrCode::getSize() const
{
    return size;
}

bool QrCode::isDark(int column, int row) const
{
    if (column < 0 || row < 0 || column >= size || row >= size)
        return false;
    return modules[static_cast<std::size_t>(row) * size + column];
}
