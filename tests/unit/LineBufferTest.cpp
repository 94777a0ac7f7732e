#include "core/LineBuffer.hpp"

#include <gtest/gtest.h>

#include <stdio_ext.h>

#include <cstdio>

namespace {

// Standard output is fully buffered on a pipe; an operator following the trace through one
// must see each line as it is written.
TEST(LineBufferTest, StandardOutputGoesOutLineByLine)
{
    std::fflush(stdout);
    std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
    ASSERT_EQ(__flbf(stdout), 0);
    lineBufferStandardOutput();
    EXPECT_NE(__flbf(stdout), 0);
}

} // namespace
