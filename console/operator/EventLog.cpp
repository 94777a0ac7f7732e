#include "operator/EventLog.hpp"

#include <ctime>
#include <ostream>

EventLog::EventLog(std::ostream* echo) : echo(echo) {}

void EventLog::add(const std::string& text)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    lines.push_back(std::string(stamp) + "  " + text);
    if (lines.size() > capacity)
        lines.pop_front();
    if (echo != nullptr)
        *echo << lines.back() << std::endl;
}

const std::deque<std::string>& EventLog::getLines() const
{
    return lines;
}
