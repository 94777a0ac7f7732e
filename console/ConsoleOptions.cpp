#include "console/ConsoleOptions.hpp"

#include <cerrno>
#include <cstdlib>

const char* const consoleUsage =
    "usage: kestrivon-console [--bind ADDR] [--seed N] [--script FILE | --solo [--hard]]\n"
    "  (no mode)      the operator window\n"
    "  --script FILE  run line commands from FILE (- for standard input), no window\n"
    "  --solo         play the operator's part for a player alone (--hard: doors and shocks)\n"
    "  --bind ADDR    listen on this address only (default: every interface)\n"
    "  --seed N       fix the random draws (shock overloads, solo doors)\n";

bool parseConsoleOptions(const std::vector<std::string>& arguments, ConsoleOptions& options,
                         std::string& problem)
{
    bool solo = false;
    bool script = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--solo") {
            solo = true;
        } else if (argument == "--hard") {
            options.hard = true;
        } else if (argument == "--bind" && hasValue) {
            options.bindAddress = arguments[++i];
        } else if (argument == "--script" && hasValue) {
            script = true;
            options.scriptPath = arguments[++i];
        } else if (argument == "--seed" && hasValue) {
            const std::string& text = arguments[++i];
            char* end = nullptr;
            errno = 0;
            unsigned long value = std::strtoul(text.c_str(), &end, 10);
            if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 ||
                value > 0xffffffffUL) {
                problem = "--seed expects a whole number, not '" + text + "'";
                return false;
            }
            options.hasSeed = true;
            options.seed = static_cast<unsigned>(value);
        } else {
            problem = argument == "--bind" || argument == "--script" || argument == "--seed"
                          ? argument + " expects a value"
                          : "unknown argument '" + argument + "'";
            return false;
        }
    }
    if (solo && script) {
        problem = "--solo and --script cannot be combined";
        return false;
    }
    if (options.hard && !solo) {
        problem = "--hard goes with --solo";
        return false;
    }
    options.mode = solo     ? ConsoleOptions::Mode::Solo
                   : script ? ConsoleOptions::Mode::Script
                            : ConsoleOptions::Mode::Window;
    return true;
}
