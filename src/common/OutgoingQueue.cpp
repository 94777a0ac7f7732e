#include "common/OutgoingQueue.hpp"

#include <algorithm>

OutgoingQueue::OutgoingQueue(std::size_t capacity) : capacity(capacity), start(0) {}

bool OutgoingQueue::push(const Protocol::Bytes& frame)
{
    if (frame.size() > capacity - size())
        return false;
    // Reclaim the sent prefix once it outweighs the rest, so moving bytes stays cheap overall.
    if (start > 0 && start >= size()) {
        buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
        start = 0;
    }
    buffer.insert(buffer.end(), frame.begin(), frame.end());
    return true;
}

const std::uint8_t* OutgoingQueue::data() const { return buffer.data() + start; }
std::size_t OutgoingQueue::size() const { return buffer.size() - start; }
bool OutgoingQueue::empty() const { return size() == 0; }

void OutgoingQueue::consume(std::size_t count)
{
    start += std::min(count, size());
    if (start == buffer.size())
        clear();
}

void OutgoingQueue::clear()
{
    buffer.clear();
    start = 0;
}
