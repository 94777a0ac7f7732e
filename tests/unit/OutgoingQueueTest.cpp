#include "common/OutgoingQueue.hpp"

#include <gtest/gtest.h>

namespace {

using Protocol::Bytes;

// The part already sent is given back to make room, and what is left stays in order.
TEST(OutgoingQueueTest, FrameThatWouldPassTheBoundIsRefusedWhole)
{
    OutgoingQueue queue(20);
    const Bytes frame = Protocol::encode(Protocol::ObjectPosition{3, 4});
    ASSERT_TRUE(queue.push(frame));
    EXPECT_FALSE(queue.push(frame));
    EXPECT_EQ(queue.size(), frame.size());

    queue.consume(frame.size() - 4);
    EXPECT_TRUE(queue.push(frame));
    Bytes expected(frame.end() - 4, frame.end());
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(Bytes(queue.data(), queue.data() + queue.size()), expected);
}

} // namespace
