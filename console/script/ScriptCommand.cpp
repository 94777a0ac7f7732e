#include "script/ScriptCommand.hpp"

#include "common/Cell.hpp"
#include "common/OperatorCounters.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

bool readInt(const std::string& word, int& value)
{
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno != 0 || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool readFloat(const std::string& word, float& value)
{
    char* end = nullptr;
    float parsed = std::strtof(word.c_str(), &end);
    if (word.empty() || *end != '\0' || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool readSeconds(const std::string& word, float& value)
{
    return readFloat(word, value) && value >= 0.f && value <= 86400.f;
}

ScriptCommand invalid(const std::string& why)
{
    ScriptCommand command;
    command.kind = ScriptCommand::Kind::Invalid;
    command.error = why;
    return command;
}

// Reads every argument as an integer into the command.
bool readInts(const std::vector<std::string>& arguments, ScriptCommand& command)
{
    for (const std::string& word : arguments) {
        int value = 0;
        if (!readInt(word, value))
            return false;
        command.numbers.push_back(value);
    }
    return true;
}

ScriptCommand parseExpect(std::vector<std::string> arguments)
{
    ScriptCommand command;
    command.kind = ScriptCommand::Kind::Expect;
    command.seconds = defaultWaitSeconds;
    std::size_t count = arguments.size();
    auto within = std::find(arguments.begin(), arguments.end(), "within");
    if (within != arguments.end() && within != arguments.end() - std::min<std::ptrdiff_t>(2, count))
        return invalid("expect: 'within' must be followed by the time-out and end the line");
    if (within != arguments.end()) {
        if (!readSeconds(arguments[count - 1], command.seconds))
            return invalid("expect: bad time-out '" + arguments[count - 1] + "'");
        arguments.resize(count - 2);
    }
    static const char* const events[] = {"joined",  "moved",  "interaction", "lost",
                                         "monster", "object", "disconnected"};
    bool known = false;
    for (const char* event : events)
        known = known || (!arguments.empty() && arguments.front() == event);
    if (!known)
        return invalid("expect: unknown event '" + (arguments.empty() ? "" : arguments.front()) +
                       "'");
    command.words = arguments;
    return command;
}

} // namespace

ScriptCommand parseScriptCommand(const std::string& line)
{
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    if (words.empty() || words.front()[0] == '#')
        return ScriptCommand();

    std::string name = words.front();
    std::vector<std::string> arguments(words.begin() + 1, words.end());
    std::size_t count = arguments.size();
    ScriptCommand command;

    if (name == "wait-join" || name == "sleep") {
        command.kind = name == "sleep" ? ScriptCommand::Kind::Sleep : ScriptCommand::Kind::WaitJoin;
        command.seconds = defaultWaitSeconds;
        if ((name == "sleep" && count != 1) || count > 1 ||
            (count == 1 && !readSeconds(arguments[0], command.seconds)))
            return invalid(name + ": expects " + (name == "sleep" ? "" : "optionally ") +
                           "a number of seconds");
        return command;
    }
    if (name == "load") {
        command.kind = ScriptCommand::Kind::Load;
        if (count < 1 || !readInts(arguments, command))
            return invalid("load: expects a level index and optionally door values");
        return command;
    }
    if (name == "door" || name == "open" || name == "close") {
        command.kind = name == "door"   ? ScriptCommand::Kind::Door
                       : name == "open" ? ScriptCommand::Kind::Open
                                        : ScriptCommand::Kind::Close;
        if (count != 1 || !readInts(arguments, command))
            return invalid(name +
                           (name == "door" ? ": expects a door value" : ": expects a door number"));
        return command;
    }
    if (name == "locate") {
        command.kind = ScriptCommand::Kind::Locate;
        if (count != 1 || !readInts(arguments, command) || !Cell::isObject(command.numbers[0]))
            return invalid("locate: expects an object from " + std::to_string(Cell::FirstObject) +
                           " to " + std::to_string(Cell::LastObject));
        return command;
    }
    if (name == "shock") {
        command.kind = ScriptCommand::Kind::Shock;
        if (count == 1 && arguments[0] == "reboot")
            command.reboot = ShockDraw::Reboot::Yes;
        else if (count == 1 && arguments[0] == "noreboot")
            command.reboot = ShockDraw::Reboot::No;
        else if (count != 0)
            return invalid("shock: expects nothing, 'reboot' or 'noreboot'");
        return command;
    }
    if (name == "end") {
        command.kind = ScriptCommand::Kind::End;
        if (count == 0)
            return command;
        std::vector<std::string> counters(arguments.begin() + 1, arguments.end());
        if (count != 1 + CounterCount || !readFloat(arguments[0], command.bills) ||
            !readInts(counters, command))
            return invalid("end: expects nothing, or the bills and six counters");
        command.hasFigures = true;
        return command;
    }
    if (name == "expect")
        return parseExpect(arguments);

    static const std::pair<const char*, ScriptCommand::Kind> bare[] = {
        {"scan", ScriptCommand::Kind::Scan},
        {"power", ScriptCommand::Kind::Power},
        {"quit", ScriptCommand::Kind::Quit}};
    for (const auto& entry : bare) {
        if (name == entry.first) {
            if (count != 0)
                return invalid(name + ": takes no arguments");
            command.kind = entry.second;
            return command;
        }
    }
    return invalid("unknown command '" + name + "'");
}
