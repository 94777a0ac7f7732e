#include "app/ConsoleEntry.hpp"
#include "operator/Operator.hpp"
#include "qr/QrPictures.hpp"
#include "script/ScriptRunner.hpp"
#include "solo/SoloOperator.hpp"
#include "web/WebConsole.hpp"
#include "window/OperatorWindow.hpp"

#include <fcntl.h>
#include <iostream>
#include <optional>
#include <unistd.h>

// The full console: every front end on the one Operator. Each mode is one function; the rooms
// do the rest.
namespace {

const char* const programName = "kestrivon-console: ";

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

// The operator window, with the web page beside it when there is one.
int runWindowWith(Operator& console, WebConsole* web)
{
    OperatorWindow window(console);
    if (!window.load("data/Font/Text.ttf")) {
        std::cerr << programName << "cannot load data/Font/Text.ttf (run it from the build folder)"
                  << std::endl;
        return 1;
    }
    if (web != nullptr) {
        window.setInvite(web->getWatchLinks());
        window.setBeside([web](const std::vector<std::string>& lines) { web->serveBeside(lines); });
    }
    window.run();
    return 0;
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
    // Each link, with its QR code under it for a phone's camera when a person reads the output;
    // an empty line ends the list.
    const bool codes = options.qr || isatty(STDOUT_FILENO) == 1;
    for (const WebConsole::Link& link : front.getLinks()) {
        std::cout << link.role << ": " << link.url << "\n";
        if (codes)
            std::cout << QrPictures::terminal(QrCode(link.url));
    }
    std::cout << std::endl;
    if (options.window)
        return runWindowWith(console, &front);
    front.run();
    return 0;
}

int runWindow(Operator& console)
{
    return runWindowWith(console, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    FrontEnds frontEnds;
    frontEnds.script = runScript;
    frontEnds.web = runWeb;
    frontEnds.window = runWindow;
    return runConsole(argc, argv, frontEnds);
}
