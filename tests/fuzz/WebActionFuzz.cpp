#include "operator/LevelCatalogue.hpp"
#include "web/WebAction.hpp"
#include "common/Cell.hpp"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Reads an input as one message from a web page. Whatever the text, the reader returns: an
// action whose argument lies in its range, or a reason that can itself be sent as JSON.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    WebActionReading reading = readWebAction(text);
    if (!reading.valid) {
        // Throws, and so fails the run, when the reason is not valid UTF-8.
        nlohmann::json({{"message", reading.problem}, {"action", reading.name}}).dump();
        return 0;
    }
    using Kind = WebAction::Kind;
    const Kind kind = reading.action.kind;
    const int argument = reading.action.argument;
    const bool inRange = kind == Kind::Select   ? argument >= 0 && argument < LevelCatalogue::count
                         : kind == Kind::Door   ? argument >= 1 && argument <= Cell::DoorPairs
                         : kind == Kind::Locate ? Cell::isObject(argument)
                                                : argument == 0;
    if (!inRange || reading.name.empty() || !reading.problem.empty())
        std::abort();
    return 0;
}
