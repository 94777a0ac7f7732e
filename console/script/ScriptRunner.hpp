#pragma once

#include "operator/Operator.hpp"
#include "script/ScriptCommand.hpp"

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>

// Script mode: runs line commands read from a file descriptor against the operator, with no
// window, printing every event from the game as one line. Events keep being read and printed
// while the script waits for its next line, sleeps or expects.
class ScriptRunner {
public:
    // Event lines go to out, reasons for failing to errors.
    ScriptRunner(Operator& console, int input, std::ostream& out, std::ostream& errors);

    // Runs to the end of the input or to `quit` (0), or to the first failed command (1).
    int run();

private:
    // Reads the next line, pumping events while none is there; false at the end of the input.
    bool nextLine(std::string& line);
    // Polls the game once and prints what it reported.
    void pump();
    // Pumps until done() holds or the time runs out; returns done().
    bool pumpUntil(const std::function<bool()>& done, float seconds);
    // Runs one command; false with the reason in `failure` when it fails.
    bool execute(const ScriptCommand& command, std::string& failure, bool& quit);
    // Hands a command for the game to the operator; false when no game took it.
    bool send(const ScriptCommand& command);
    bool waitForJoin(float seconds, std::string& failure);
    // Waits for an event line that starts with the command's words.
    bool expect(const ScriptCommand& command, std::string& failure);
    // The console's own figures, or the ones the command gives.
    bool endGame(const ScriptCommand& command);
    bool findExpected(const std::vector<std::string>& words);

    Operator& console;
    int input;
    std::ostream& out;
    std::ostream& errors;
    std::string buffered;
    bool inputDone;
    // Event lines not yet matched by an expect, oldest first.
    std::deque<std::string> unmatched;
};
