#include "common/FrameReader.hpp"

FrameReader::FrameReader(std::size_t maxPayload)
    : maxPayload(maxPayload), start(0), broken(false), refusedLength(0)
{
}

void FrameReader::append(const std::uint8_t* data, std::size_t size)
{
    if (broken || size == 0)
        return;
    // Drop what was handed out before growing, so the buffer holds only unread bytes.
    if (start > 0) {
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
        start = 0;
    }
    buffer.insert(buffer.end(), data, data + size);
}

bool FrameReader::next(const std::uint8_t*& payload, std::size_t& size)
{
    if (broken || buffer.size() - start < Protocol::HeaderSize)
        return false;

    const std::uint8_t* header = buffer.data() + start;
    const std::uint32_t length = (std::uint32_t(header[0]) << 24) | (std::uint32_t(header[1]) << 16)
        | (std::uint32_t(header[2]) << 8) | std::uint32_t(header[3]);
    if (length > maxPayload) {
        broken = true;
        refusedLength = length;
        return false;
    }
    if (buffer.size() - start - Protocol::HeaderSize < length)
        return false;

    payload = header + Protocol::HeaderSize;
    size = length;
    start += Protocol::HeaderSize + length;
    return true;
}

bool FrameReader::isBroken() const { return broken; }
std::uint32_t FrameReader::getRefusedLength() const { return refusedLength; }
std::size_t FrameReader::getPending() const { return buffer.size() - start; }

void FrameReader::clear()
{
    buffer.clear();
    start = 0;
    broken = false;
    refusedLength = 0;
}
