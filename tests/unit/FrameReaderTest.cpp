#include "common/FrameReader.hpp"

#include <gtest/gtest.h>

namespace {

using Protocol::Bytes;

// Adds the reader's whole payloads to `payloads`.
std::vector<Bytes> drain(FrameReader& reader, std::vector<Bytes> payloads = {})
{
    const std::uint8_t* payload = nullptr;
    std::size_t size = 0;
    while (reader.next(payload, size))
        payloads.emplace_back(payload, payload + size);
    return payloads;
}

TEST(FrameReaderTest, FramesSplitAnywhereComeOutWholeAndInOrder)
{
    // Three frames, then one with an empty payload, which is still a frame.
    const Bytes stream{0, 0, 0, 8,  0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1,
                       0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0};
    const std::vector<Bytes> expected{
        {0, 0, 0, 0, 0, 0, 0, 3}, {0, 0, 0, 1}, {0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 5}, {}};

    for (std::size_t chunk = 1; chunk <= stream.size(); ++chunk) {
        FrameReader reader;
        std::vector<Bytes> payloads;
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            reader.append(stream.data() + at, std::min(chunk, stream.size() - at));
            payloads = drain(reader, std::move(payloads));
        }
        EXPECT_EQ(payloads, expected) << "chunk " << chunk;
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

    // One byte over 64 KiB breaks it.
    reader.clear();
    const Bytes overLimit{0, 1, 0, 1, 0, 0, 0, 1};
    reader.append(overLimit.data(), overLimit.size());
    EXPECT_TRUE(drain(reader).empty());
    EXPECT_TRUE(reader.isBroken());
    EXPECT_EQ(reader.getRefusedLength(), 65537u);

    const Bytes more(4096, 0);
    reader.append(more.data(), more.size());
    EXPECT_EQ(reader.getPending(), overLimit.size());

    reader.clear();
    const Bytes frame = Protocol::encode(Protocol::PlayerLost{});
    reader.append(frame.data(), frame.size());
    EXPECT_EQ(drain(reader).size(), 1u);
}

} // namespace
