#pragma once

#include "operator/ShockDraw.hpp"

#include <string>
#include <vector>

// One line of a console script, parsed: the command and its arguments, or why the line is not
// a command. Blank lines and lines starting with # are comments.
struct ScriptCommand {
    enum class Kind {
        Comment,
        Invalid,
        WaitJoin,
        Load,
        Door,
        Open,
        Close,
        Scan,
        Locate,
        Shock,
        Power,
        End,
        Expect,
        Sleep,
        Quit
    };

    Kind kind = Kind::Comment;
    std::string error;
    // load: index then door values; door: value; open, close: door number; locate: object;
    // end: the six counters.
    std::vector<int> numbers;
    // wait-join and expect: the time-out; sleep: the pause.
    float seconds = 0.f;
    // shock: drawn like the window's shock, or forced either way.
    ShockDraw::Reboot reboot = ShockDraw::Reboot::Draw;
    // end: whether figures were given; the bills when they were.
    bool hasFigures = false;
    float bills = 0.f;
    // expect: the event's words, name first (a prefix of the printed event line).
    std::vector<std::string> words;
};

// How long wait-join and expect wait when the script does not say.
constexpr float defaultWaitSeconds = 10.f;

ScriptCommand parseScriptCommand(const std::string& line);
