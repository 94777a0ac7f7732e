#include "core/LineBuffer.hpp"

#include <cstdio>

void lineBufferStandardOutput()
{
    // std::cout writes through stdout while it stays synchronised with C's streams.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}
