#pragma once

#include "app/ConsoleOptions.hpp"

class Operator;

// The front ends a console program was built with, beyond solo mode, which every build has.
// scripts/play starts a console built without them (kestrivon-console-solo): the web page's and
// the window's code cost most of the console's compile time, and a new player's first game needs
// neither.
struct FrontEnds {
    int (*script)(Operator& console, const std::string& path) = nullptr;
    int (*web)(Operator& console, const ConsoleOptions& options, unsigned seed) = nullptr;
    int (*window)(Operator& console) = nullptr;
};

// The program's entry: reads the options, sets up the one Operator, and hands it to the front
// end the options name, or says that this program has no such front end.
int runConsole(int argc, char** argv, const FrontEnds& frontEnds);
