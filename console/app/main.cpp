#include "app/ConsoleOptions.hpp"
#include "operator/Operator.hpp"
#include "script/ScriptRunner.hpp"
#include "solo/SoloOperator.hpp"
#include "web/WebConsole.hpp"
#include "window/OperatorWindow.hpp"

#include <SFML/System/Sleep.hpp>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <random>

// The program's entry: reads the options, sets up the one Operator, and hands it to the front
// end the options name. Each mode is one function; the rooms do the rest.
namespace {

const char* const programName = "kestrivon-console: ";

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

int runScript(Operator& console, const std::string& path)
{
    int input = path == "-" ? 0 : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0) {
        std::cerr << programName << "cannot read the script " << path << std::endl;
        return 2;
    }
    ScriptRunner runner(console, input, std::cout, std::cerr);
    return runner.run();
}

int runWeb(Operator& console, const ConsoleOptions& options, unsigned seed)
{
    WebConsole::Settings web;
    web.bindAddress = options.bindAddress;
    web.port = options.webPort;
    web.solo = options.mode == ConsoleOptions::Mode::Solo;
    std::optional<SoloOperator> solo;
    WebConsole::Update update;
    if (web.solo) {
        solo.emplace(console, options.hard, seed);
        update = [&solo]() -> const std::vector<std::string>& { return solo->update(); };
    }
    WebConsole front(console, web, update);
    std::string problem;
    if (front.listen(problem) != WebServer::ListenResult::Listening) {
        std::cerr << programName << problem << std::endl;
        return 2;
    }
    for (const std::string& link : front.getLinks())
        std::cout << link << "\n";
    std::cout << std::flush;
    front.run();
    return 0;
}

int runSolo(Operator& console, bool hard, unsigned seed)
{
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    SoloOperator solo(console, hard, seed);
    while (stopRequested == 0) {
        solo.update();
        sf::sleep(sf::milliseconds(10));
    }
    return 0;
}

int runWindow(Operator& console)
{
    OperatorWindow window(console);
    if (!window.load("data/Font/Text.ttf")) {
        std::cerr << programName << "cannot load data/Font/Text.ttf (run it from the build folder)"
                  << std::endl;
        return 1;
    }
    window.run();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    ConsoleOptions options;
    std::string problem;
    if (!parseConsoleOptions(std::vector<std::string>(argv + 1, argv + argc), options, problem)) {
        std::cerr << programName << problem << "\n" << consoleUsage;
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
        std::cerr << programName
                  << "no display (DISPLAY is not set); use --script, --solo or --web to run "
                     "without a window"
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
    if (console.listen(options.bindAddress, problem) != GameLink::ListenResult::Listening) {
        std::cerr << programName << problem << std::endl;
        return 2;
    }

    if (options.mode == Mode::Script)
        return runScript(console, options.scriptPath);
    if (options.web)
        return runWeb(console, options, settings.seed);
    if (options.mode == Mode::Solo)
        return runSolo(console, options.hard, settings.seed);
    return runWindow(console);
}
