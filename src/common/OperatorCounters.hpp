#pragma once

#include <cstdint>

// How often the operator took each paid action in one game. The console counts them, the
// end-of-game report carries them to the game, and the score table keeps them.
struct OperatorCounters {
    std::int32_t doorOpen = 0;
    std::int32_t doorClose = 0;
    std::int32_t scan = 0;
    std::int32_t detection = 0;
    std::int32_t shock = 0;
    std::int32_t reboot = 0;
};

// The counters in the order the end-of-game report and the score file list them.
inline constexpr std::int32_t OperatorCounters::*const CounterOrder[] = {
    &OperatorCounters::doorOpen,  &OperatorCounters::doorClose, &OperatorCounters::scan,
    &OperatorCounters::detection, &OperatorCounters::shock,     &OperatorCounters::reboot,
};
inline constexpr int CounterCount = static_cast<int>(sizeof CounterOrder / sizeof *CounterOrder);
