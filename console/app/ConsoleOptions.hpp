#pragma once

#include <string>
#include <vector>

// How the console was asked to run, from its command line.
struct ConsoleOptions {
    enum class Mode { Window, Script, Solo };

    static constexpr unsigned short defaultWebPort = 8080;

    Mode mode = Mode::Window;
    // Empty: every interface.
    std::string bindAddress;
    bool hasSeed = false;
    unsigned seed = 0;
    // Script mode: the file, or "-" for standard input.
    std::string scriptPath;
    bool hard = false;
    // The operator's front end is a web page (with --solo: pages only watch).
    bool web = false;
    unsigned short webPort = defaultWebPort;
    // Each link's QR code is printed under it even when standard output is no terminal.
    bool qr = false;
    // With the web page, the operator window too, on the same operator.
    bool window = false;
    bool help = false;
};

// Reads the arguments after the program name; false with the reason in `problem` when they
// make no sense.
bool parseConsoleOptions(const std::vector<std::string>& arguments, ConsoleOptions& options,
                         std::string& problem);

extern const char* const consoleUsage;
