#include "web/WebAction.hpp"

#include "operator/LevelCatalogue.hpp"
#include "common/Cell.hpp"

#include <nlohmann/json.hpp>

namespace {

struct ActionShape {
    const char* name;
    WebAction::Kind kind;
    // The argument's key, nullptr for an action without one, and its range.
    const char* key;
    int lowest;
    int highest;
};

const ActionShape shapes[] = {
    {"select", WebAction::Kind::Select, "level", 0, LevelCatalogue::count - 1},
    {"start", WebAction::Kind::Start, nullptr, 0, 0},
    {"door", WebAction::Kind::Door, "door", 1, Cell::DoorPairs},
    {"scan", WebAction::Kind::Scan, nullptr, 0, 0},
    {"locate", WebAction::Kind::Locate, "object", Cell::FirstObject, Cell::LastObject},
    {"shock", WebAction::Kind::Shock, nullptr, 0, 0},
    {"power", WebAction::Kind::Power, nullptr, 0, 0},
    {"end", WebAction::Kind::End, nullptr, 0, 0},
};

WebActionReading refuse(WebActionReading reading, std::string problem)
{
    reading.problem = std::move(problem);
    return reading;
}

} // namespace

WebActionReading readWebAction(const std::string& text)
{
    WebActionReading reading;
    // No exceptions: a page's text is untrusted and this runs for every message.
    nlohmann::json message = nlohmann::json::parse(text, nullptr, false);
    if (message.is_discarded())
        return refuse(reading, "the message is not JSON");
    if (!message.is_object())
        return refuse(reading, "the message is not a JSON object");
    auto action = message.find("action");
    if (action == message.end() || !action->is_string())
        return refuse(reading, "the message names no action");
    const std::string& name = action->get_ref<const std::string&>();
    for (const ActionShape& shape : shapes) {
        if (name != shape.name)
            continue;
        reading.name = name;
        reading.action.kind = shape.kind;
        if (shape.key == nullptr) {
            reading.valid = true;
            return reading;
        }
        std::string range = std::to_string(shape.lowest) + " to " + std::to_string(shape.highest);
        auto argument = message.find(shape.key);
        if (argument == message.end() || !argument->is_number_integer())
            return refuse(reading, name + " needs \"" + shape.key + "\": a whole number " + range);
        long long value = argument->get<long long>();
        if (value < shape.lowest || value > shape.highest)
            return refuse(reading, std::string(shape.key) + " " + std::to_string(value) +
                                       " does not exist: " + range);
        reading.action.argument = static_cast<int>(value);
        reading.valid = true;
        return reading;
    }
    return refuse(reading, "unknown action '" + name + "'");
}
