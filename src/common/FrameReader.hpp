#pragma once

#include "common/Protocol.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

// Cuts the byte stream of one connection into payloads: collects whatever the socket delivers
// and hands out each complete payload in order. A frame that claims more than the limit breaks
// the stream for good (until cleared): the owner then closes the connection. The reader never
// reserves memory for a claimed length, only for bytes that have arrived.
class FrameReader {
public:
    explicit FrameReader(std::size_t maxPayload = Protocol::MaxPayloadSize);

    // Adds received bytes; ignored once the stream is broken. Drain with next() between appends:
    // what is left over is then at most one unfinished frame.
    void append(const std::uint8_t* data, std::size_t size);
    // Points at the next complete payload and returns true; false when none is complete yet or
    // the stream is broken. The bytes stay valid until the next append or clear.
    bool next(const std::uint8_t*& payload, std::size_t& size);
    bool isBroken() const;
    // The length claimed by the frame that broke the stream.
    std::uint32_t getRefusedLength() const;
    // Bytes received and not yet handed out.
    std::size_t getPending() const;
    // Forgets everything, ready for a new connection.
    void clear();

private:
    std::size_t maxPayload;
    std::vector<std::uint8_t> buffer;
    std::size_t start;
    bool broken;
    std::uint32_t refusedLength;
};
