#pragma once

#include "operator/OperatorAction.hpp"

#include <string>

// What reading one page's message gave, e.g. {"action":"door","door":3}: an action, or why there
// is none. Reading checks the message's shape only; whether the action names something that
// exists and may be taken now is the operator's to say. `name` is the action's name when the
// message had a known one (for the error reply), empty otherwise.
struct WebActionReading {
    bool valid = false;
    OperatorAction action;
    std::string name;
    std::string problem;
};

WebActionReading readWebAction(const std::string& text);
