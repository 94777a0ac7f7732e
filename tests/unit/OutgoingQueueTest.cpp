#include "net/OutgoingQueue.hpp"

#include <gtest/gtest.h>

namespace {

using Protocol::Bytes;

TEST(OutgoingQueueTest, FrameThatWouldPassTheBoundIsRefusedWhole)
{
    OutgoingQueue queue(20);
    const Bytes frame = Protocol::encode(Protocol::ObjectPosition{3, 4});
    ASSERT_TRUE(queue.push(frame));
    EXPECT_FALSE(queue.push(frame));
    EXPECT_EQ(queue.size(), frame.size());

    queue.consume(frame.size() - 4);
    EXPECT_TRUE(queue.push(frame));
    EXPECT_EQ(queue.size(), 4u + frame.size());
}

TEST(OutgoingQueueTest, LongBacklogSentInSmallPiecesKeepsEveryByteInOrder)
{
    OutgoingQueue queue;
    Bytes expected;
    Bytes sent;
    for (std::int32_t i = 0; i < 10000; ++i) {
        const Bytes frame = Protocol::encode(Protocol::ObjectPosition{i, -i});
        ASSERT_TRUE(queue.push(frame));
        expected.insert(expected.end(), frame.begin(), frame.end());
        const std::size_t taken = std::min<std::size_t>(queue.size(), 7);
        sent.insert(sent.end(), queue.data(), queue.data() + taken);
        queue.consume(taken);
    }
    sent.insert(sent.end(), queue.data(), queue.data() + queue.size());
    EXPECT_EQ(sent, expected);
}

}
