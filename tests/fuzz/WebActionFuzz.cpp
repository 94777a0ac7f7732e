#include "common/Cell.hpp"
#include "operator/Operator.hpp"
#include "web/WebAction.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Reads an input as one message from a web page and asks the operator's rules about it.
// Whatever the text: a reason that can itself be sent as JSON, or an action that the rules let
// through only when its argument names something that exists.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No game ever connects: selecting a level and the doors of the plan are what may pass.
    static Operator console(LevelCatalogue("data/level"), Operator::Settings());
    std::string text(reinterpret_cast<const char*>(data), size);
    WebActionReading reading = readWebAction(text);
    if (!reading.valid) {
        // Throws, and so fails the run, when the reason is not valid UTF-8.
        nlohmann::json({{"message", reading.problem}, {"action", reading.name}}).dump();
        return 0;
    }
    if (reading.name.empty() || !reading.problem.empty())
        std::abort();
    if (!console.refusal(reading.action).empty())
        return 0;
    using Kind = OperatorAction::Kind;
    const Kind kind = reading.action.kind;
    const int argument = reading.action.argument;
    const bool inRange = kind == Kind::Select   ? argument >= 0 && argument < LevelCatalogue::count
                         : kind == Kind::Door   ? argument >= 1 && argument <= Cell::DoorPairs
                         : kind == Kind::Locate ? Cell::isObject(argument)
                                                : argument == 0;
    if (!inRange)
        std::abort();
    return 0;
}
