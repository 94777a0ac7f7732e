#pragma once

#include "operator/OperatorAction.hpp"

#include <string>

// One action a page can send: its name in the message, what it asks of the operator, and the
// key of its argument (nullptr for an action without one).
struct WebActionShape {
    const char* name;
    OperatorAction::Kind kind;
    const char* key;
};

// Every action a page can send. The reader takes its names from here and the state message
// gives each of them its refusal, so an action added here reaches both.
inline constexpr WebActionShape webActionShapes[] = {
    {"select", OperatorAction::Kind::Select, "level"},
    {"start", OperatorAction::Kind::Start, nullptr},
    {"door", OperatorAction::Kind::Door, "door"},
    {"scan", OperatorAction::Kind::Scan, nullptr},
    {"locate", OperatorAction::Kind::Locate, "object"},
    {"shock", OperatorAction::Kind::Shock, nullptr},
    {"power", OperatorAction::Kind::Power, nullptr},
    {"end", OperatorAction::Kind::End, nullptr},
};

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
