#pragma once

// One thing the operator asks of the console, whichever front end it comes from: a window's
// button or key, a page's message, the solo player's move.
struct OperatorAction {
    enum class Kind { Select, Start, Door, Scan, Locate, Shock, Power, End };

    Kind kind = Kind::Start;
    // The level, door or object the action names; 0 for the others.
    int argument = 0;
};
