#include "app/ConsoleOptions.hpp"

#include <cerrno>
#include <cstdlib>

namespace {

// A whole number from text, at most highest; false for anything else.
bool readNumber(const std::string& text, unsigned long highest, unsigned long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(text.c_str(), &end, 10);
    return !text.empty() && text[0] != '-' && *end == '\0' && errno == 0 && value <= highest;
}

} // namespace

const char* const consoleUsage =
    "usage: kestrivon-console [--bind ADDR] [--seed N] [--script FILE | --solo [--hard]]\n"
    "                         [--web [--web-port N] [--qr] [--window]]\n"
    "  (no mode)      the operator window\n"
    "  --script FILE  run line commands from FILE (- for standard input), no window\n"
    "  --solo         play the operator's part for a player alone (--hard: doors and shocks)\n"
    "  --web          serve the operator's console as a web page (with --solo: a page to watch)\n"
    "  --web-port N   the web page's port (default 8080)\n"
    "  --qr           a QR code under each link, even when the output is no terminal\n"
    "  --window       with --web: the operator window too (W shows the watch links' codes)\n"
    "  --bind ADDR    listen on this address only (default: every interface)\n"
    "  --seed N       fix the random draws (shock overloads, solo doors)\n";

bool parseConsoleOptions(const std::vector<std::string>& arguments, ConsoleOptions& options,
                         std::string& problem)
{
    bool solo = false;
    bool script = false;
    bool webPort = false;
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
            unsigned long value = 0;
            if (!readNumber(text, 0xffffffffUL, value)) {
                problem = "--seed expects a whole number, not '" + text + "'";
                return false;
            }
            options.hasSeed = true;
            options.seed = static_cast<unsigned>(value);
        } else if (argument == "--web") {
            options.web = true;
        } else if (argument == "--qr") {
            options.qr = true;
        } else if (argument == "--window") {
            options.window = true;
        } else if (argument == "--web-port" && hasValue) {
            const std::string& text = arguments[++i];
            unsigned long value = 0;
            if (!readNumber(text, 65535, value) || value == 0) {
                problem = "--web-port expects a port from 1 to 65535, not '" + text + "'";
                return false;
            }
            webPort = true;
            options.webPort = static_cast<unsigned short>(value);
        } else {
            problem = argument == "--bind" || argument == "--script" || argument == "--seed" ||
                              argument == "--web-port"
                          ? argument + " expects a value"
                          : "unknown argument '" + argument + "'";
            return false;
        }
    }
    if (solo && script) {
        problem = "--solo and --script cannot be combined";
        return false;
    }
    if (options.web && script) {
        problem = "--web and --script cannot be combined";
        return false;
    }
    if ((webPort || options.qr || options.window) && !options.web) {
        problem = std::string(webPort      ? "--web-port"
                              : options.qr ? "--qr"
                                           : "--window") +
                  " goes with --web";
        return false;
    }
    if (options.window && solo) {
        problem = "--window and --solo cannot be combined: solo mode plays the operator's part";
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
