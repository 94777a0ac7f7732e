#pragma once

#include "common/Protocol.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes waiting to go out on one connection, in order. When the socket takes only part of
// them, the rest stays at the front, so a later message never cuts into an unfinished frame.
// Bounded: a peer that stops reading cannot make us buffer without end.
class OutgoingQueue {
public:
    explicit OutgoingQueue(std::size_t capacity = Protocol::MaxQueuedBytes);

    // Queues a whole frame; returns false, queuing nothing, when it would exceed the capacity.
    bool push(const Protocol::Bytes& frame);
    // The unsent bytes, oldest first.
    const std::uint8_t* data() const;
    std::size_t size() const;
    bool empty() const;
    // The socket took the first `count` bytes of data().
    void consume(std::size_t count);
    void clear();

private:
    std::size_t capacity;
    std::vector<std::uint8_t> buffer;
    std::size_t start;
};
