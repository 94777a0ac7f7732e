#include "net/FrameReader.hpp"

#include <gtest/gtest.h>

namespace {

using Protocol::Bytes;

std::vector<Bytes> drain(FrameReader& reader)
{
    std::vector<Bytes> payloads;
    const std::uint8_t* payload = nullptr;
    std::size_t size = 0;
    while (reader.next(payload, size))
        payloads.emplace_back(payload, payload + size);
    return payloads;
}

TEST(FrameReaderTest, FramesSplitAnywhereComeOutWholeAndInOrder)
{
    Bytes stream;
    for (const auto& message : {Protocol::encode(Protocol::Interaction{3}),
             Protocol::encode(Protocol::PlayerMoved{}), Protocol::encode(Protocol::ObjectPosition{2, 5})})
        stream.insert(stream.end(), message.begin(), message.end());
    stream.insert(stream.end(), {0, 0, 0, 0}); // an empty payload is still a frame

    for (std::size_t chunk = 1; chunk <= stream.size(); ++chunk) {
        FrameReader reader;
        std::vector<Bytes> payloads;
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            reader.append(stream.data() + at, std::min(chunk, stream.size() - at));
            for (Bytes& payload : drain(reader))
                payloads.push_back(std::move(payload));
        }
        ASSERT_EQ(payloads.size(), 4u) << "chunk " << chunk;
        EXPECT_EQ(payloads[0], (Bytes{0, 0, 0, 0, 0, 0, 0, 3}));
        EXPECT_EQ(payloads[1], (Bytes{0, 0, 0, 1}));
        EXPECT_EQ(payloads[2], (Bytes{0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 5}));
        EXPECT_TRUE(payloads[3].empty());
        EXPECT_EQ(reader.getPending(), 0u);
    }
}

TEST(FrameReaderTest, FrameClaimingMoreThanTheLimitBreaksTheStreamUntilCleared)
{
    FrameReader reader;
    const Bytes atLimitHeader{0, 1, 0, 0};
    reader.append(atLimitHeader.data(), atLimitHeader.size());
    EXPECT_TRUE(drain(reader).empty());
    EXPECT_FALSE(reader.isBroken());

    reader.clear();
    const Bytes huge{0xff, 0xff, 0xff, 0xff, 0, 0, 0, 1};
    reader.append(huge.data(), huge.size());
    EXPECT_TRUE(drain(reader).empty());
    EXPECT_TRUE(reader.isBroken());
    EXPECT_EQ(reader.getRefusedLength(), 0xffffffffu);

    const Bytes more(4096, 0);
    reader.append(more.data(), more.size());
    EXPECT_EQ(reader.getPending(), huge.size());

    reader.clear();
    const Bytes frame = Protocol::encode(Protocol::PlayerLost{});
    reader.append(frame.data(), frame.size());
    EXPECT_EQ(drain(reader).size(), 1u);
}

}
