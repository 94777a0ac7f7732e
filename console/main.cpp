#include "console/ConsoleOptions.hpp"
#include "console/Operator.hpp"
#include "console/OperatorWindow.hpp"
#include "console/ScriptRunner.hpp"
#include "console/SoloOperator.hpp"
#include "console/WebConsole.hpp"

#include <SFML/System/Sleep.hpp>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

} // namespace

int main(int argc, char** argv)
{
    ConsoleOptions options;
    std::string problem;
    if (!parseConsoleOptions(std::vector<std::string>(argv + 1, argv + argc), options, problem)) {
        std::cerr << "kestrivon-console: " << problem << "\n" << consoleUsage;
        return 2;
    }
    if (options.help) {
        std::cout << consoleUsage;
        return 0;
    }

    using Mode = ConsoleOptions::Mode;
    // Without a display the window library aborts; say what to do instead.
    const char* display = std::getenv("DISPLAY");
    if (options.mode == Mode::Window && !options.web &&
        (display == nullptr || display[0] == '\0')) {
        std::cerr
            << "kestrivon-console: no display (DISPLAY is not set); use --script, --solo or --web "
               "to run without a window"
            << std::endl;
        return 1;
    }
    Operator::Settings settings;
    settings.seed = options.hasSeed ? options.seed : std::random_device()();
    settings.autoEnd = options.mode != Mode::Script;
    settings.free = options.mode == Mode::Solo;
    // Script mode keeps standard output for the game's events alone.
    settings.echo = options.mode == Mode::Script ? &std::cerr : &std::cout;
    Operator console(LevelCatalogue("data/level"), settings);

    switch (console.listen(options.bindAddress, problem)) {
    case GameLink::ListenResult::Listening:
        break;
    case GameLink::ListenResult::PortInUse:
    case GameLink::ListenResult::Failed:
        std::cerr << "kestrivon-console: " << problem << std::endl;
        return 2;
    }

    if (options.mode == Mode::Script) {
        int input =
            options.scriptPath == "-" ? 0 : open(options.scriptPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (input < 0) {
            std::cerr << "kestrivon-console: cannot read the script " << options.scriptPath
                      << std::endl;
            return 2;
        }
        ScriptRunner runner(console, input, std::cout, std::cerr);
        return runner.run();
    }

    if (options.web) {
        WebConsole::Settings web;
        web.bindAddress = options.bindAddress;
        web.port = options.webPort;
        web.solo = options.mode == Mode::Solo;
        web.hard = options.hard;
        web.seed = settings.seed;
        WebConsole front(console, web);
        if (front.listen(problem) != WebServer::ListenResult::Listening) {
            std::cerr << "kestrivon-console: " << problem << std::endl;
            return 2;
        }
        for (const std::string& link : front.getLinks())
            std::cout << link << "\n";
        std::cout << std::flush;
        front.run();
        return 0;
    }

    if (options.mode == Mode::Solo) {
        std::signal(SIGINT, requestStop);
        std::signal(SIGTERM, requestStop);
        SoloOperator solo(console, options.hard, settings.seed);
        while (stopRequested == 0) {
            solo.update();
            sf::sleep(sf::milliseconds(10));
        }
        return 0;
    }

    OperatorWindow window(console);
    if (!window.load("data/Font/Text.ttf")) {
        std::cerr
            << "kestrivon-console: cannot load data/Font/Text.ttf (run it from the build folder)"
            << std::endl;
        return 1;
    }
    window.run();
    return 0;
}
