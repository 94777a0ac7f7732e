#pragma once

#include <cstddef>
#include <deque>
#include <iosfwd>
#include <string>

// The operator's running log: one line per event, stamped with the wall-clock time, the oldest
// dropped past a fixed number so a flood from the game cannot grow it without end.
class EventLog {
public:
    static constexpr std::size_t capacity = 400;

    // Echo: a stream that also gets each line (solo and script modes have no window).
    explicit EventLog(std::ostream* echo = nullptr);

    void add(const std::string& text);
    const std::deque<std::string>& getLines() const;

private:
    std::ostream* echo;
    std::deque<std::string> lines;
};
