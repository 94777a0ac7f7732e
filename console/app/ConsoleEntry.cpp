#include "app/ConsoleEntry.hpp"

#include "operator/Operator.hpp"
#include "solo/SoloOperator.hpp"

#include <SFML/System/Sleep.hpp>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <random>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
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

// The option that asks for a front end this program was built without, or null.
const char* missingFrontEnd(const ConsoleOptions& options, const FrontEnds& frontEnds)
{
    using Mode = ConsoleOptions::Mode;
    if (options.mode == Mode::Script && frontEnds.script == nullptr)
        return "--script";
    if (options.web && frontEnds.web == nullptr)
        return "--web";
    if (options.window && frontEnds.window == nullptr)
        return "--window";
    if (options.mode == Mode::Window && !options.web && frontEnds.window == nullptr)
        return "the window";
    return nullptr;
}

} // namespace

int runConsole(int argc, char** argv, const FrontEnds& frontEnds)
{
    const std::string programName =
        std::string(argv[0]).substr(std::string(argv[0]).find_last_of('/') + 1) + ": ";
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
    if (const char* missing = missingFrontEnd(options, frontEnds)) {
        std::cerr << programName << "this build runs solo mode only (--solo), not " << missing
                  << "; kestrivon-console runs every mode" << std::endl;
        return 2;
    }

    using Mode = ConsoleOptions::Mode;
    // Without a display the window library aborts; say what to do instead.
    const char* display = std::getenv("DISPLAY");
    if (((options.mode == Mode::Window && !options.web) || options.window) &&
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
        return frontEnds.script(console, options.scriptPath);
    if (options.web)
        return frontEnds.web(console, options, settings.seed);
    if (options.mode == Mode::Solo)
        return runSolo(console, options.hard, settings.seed);
    return frontEnds.window(console);
}
