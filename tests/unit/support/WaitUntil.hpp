#pragma once

#include <chrono>
#include <thread>

// Asks `done` until it holds or the time is up; true when it held. It pumps nothing itself: a
// predicate that needs a poll or an update makes the call before it looks.
template <typename Predicate>
bool waitUntil(Predicate done, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
