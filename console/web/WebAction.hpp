#pragma once

#include <string>

// One action a web page asks of the operator, read from its JSON message, e.g.
// {"action":"door","door":3}. Reading checks the shape and ranges only; whether the operator
// can take the action now is the front end's business.
struct WebAction {
    enum class Kind { Select, Start, Door, Scan, Locate, Shock, Power, End };

    Kind kind = Kind::Start;
    // The level, door or object the action names; 0 for the others.
    int argument = 0;
};

// What reading one message gave: an action, or why there is none. `name` is the action's
// name when the message had a known one (for the error reply), empty otherwise.
struct WebActionReading {
    bool valid = false;
    WebAction action;
    std::string name;
    std::string problem;
};

WebActionReading readWebAction(const std::string& text);
