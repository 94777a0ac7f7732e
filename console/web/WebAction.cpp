#include "web/WebAction.hpp"

#include <nlohmann/json.hpp>

#include <limits>

namespace {

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
    for (const WebActionShape& shape : webActionShapes) {
        if (name != shape.name)
            continue;
        reading.name = name;
        reading.action.kind = shape.kind;
        if (shape.key == nullptr) {
            reading.valid = true;
            return reading;
        }
        auto argument = message.find(shape.key);
        if (argument == message.end() || !argument->is_number_integer())
            return refuse(reading, name + " needs \"" + shape.key + "\": a whole number");
        // Beyond an int nothing can be named: the operator's ranges never reach that far.
        using Limits = std::numeric_limits<int>;
        bool fits = argument->is_number_unsigned()
                        ? argument->get<unsigned long long>() <= Limits::max()
                        : argument->get<long long>() >= Limits::min() &&
                              argument->get<long long>() <= Limits::max();
        if (!fits)
            return refuse(reading,
                          std::string(shape.key) + " " + argument->dump() + " does not exist");
        reading.action.argument = argument->get<int>();
        reading.valid = true;
        return reading;
    }
    return refuse(reading, "unknown action '" + name + "'");
}
