#include "script/ScriptRunner.hpp"

#include "common/Cell.hpp"

#include <chrono>
#include <ostream>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Events an expect has not reached are kept up to this many; older ones are forgotten.
constexpr std::size_t unmatchedLimit = 10000;
constexpr int pumpMilliseconds = 10;

std::string joinWords(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

std::string describe(float seconds)
{
    std::ostringstream text;
    text << seconds;
    return text.str();
}

} // namespace

ScriptRunner::ScriptRunner(Operator& console, int input, std::ostream& out, std::ostream& errors)
    : console(console), input(input), out(out), errors(errors), inputDone(false)
{
}

int ScriptRunner::run()
{
    std::string line;
    int number = 0;
    while (nextLine(line)) {
        ++number;
        ScriptCommand command = parseScriptCommand(line);
        std::string failure = command.error;
        bool quit = false;
        if (command.kind == ScriptCommand::Kind::Invalid || !execute(command, failure, quit)) {
            pump();
            errors << "script line " << number << ": " << failure << std::endl;
            return 1;
        }
        if (quit)
            break;
    }
    // Hand the game whatever is still queued and print its last reports.
    pump();
    return 0;
}

bool ScriptRunner::nextLine(std::string& line)
{
    for (;;) {
        std::size_t end = buffered.find('\n');
        if (end != std::string::npos) {
            line = buffered.substr(0, end);
            buffered.erase(0, end + 1);
            return true;
        }
        if (inputDone) {
            if (buffered.empty())
                return false;
            line.swap(buffered);
            buffered.clear();
            return true;
        }
        pollfd watched{input, POLLIN, 0};
        if (::poll(&watched, 1, pumpMilliseconds) > 0) {
            char chunk[4096];
            ssize_t count = read(input, chunk, sizeof chunk);
            if (count > 0)
                buffered.append(chunk, static_cast<std::size_t>(count));
            else
                inputDone = true;
        }
        pump();
    }
}

void ScriptRunner::pump()
{
    for (const std::string& line : console.update()) {
        out << line << std::endl;
        unmatched.push_back(line);
        if (unmatched.size() > unmatchedLimit)
            unmatched.pop_front();
    }
}

bool ScriptRunner::pumpUntil(const std::function<bool()>& done, float seconds)
{
    Clock::time_point deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                    std::chrono::duration<float>(seconds));
    // done() may consume what it finds (expect does), so it is asked once per round.
    pump();
    for (;;) {
        if (done())
            return true;
        if (Clock::now() >= deadline)
            return false;
        ::poll(nullptr, 0, pumpMilliseconds);
        pump();
    }
}

bool ScriptRunner::execute(const ScriptCommand& command, std::string& failure, bool& quit)
{
    using Kind = ScriptCommand::Kind;
    switch (command.kind) {
    case Kind::Comment:
        return true;
    case Kind::Invalid:
        return false;
    case Kind::WaitJoin:
        return waitForJoin(command.seconds, failure);
    case Kind::Expect:
        return expect(command, failure);
    case Kind::Sleep:
        pumpUntil([] { return false; }, command.seconds);
        return true;
    case Kind::Quit:
        quit = true;
        return true;
    case Kind::Open:
    case Kind::Close:
        if (command.numbers[0] < 1 || command.numbers[0] > Cell::DoorPairs) {
            failure = "door numbers run from 1 to " + std::to_string(Cell::DoorPairs);
            return false;
        }
        break;
    default:
        break;
    }
    if (!send(command)) {
        // Scripts send raw messages: being connected is the one rule they answer to.
        failure = console.linkRefusal();
        if (failure.empty())
            failure = "the game did not take it";
        return false;
    }
    return true;
}

bool ScriptRunner::send(const ScriptCommand& command)
{
    using Kind = ScriptCommand::Kind;
    const std::vector<int>& numbers = command.numbers;
    switch (command.kind) {
    case Kind::Load:
        return console.load(numbers[0], std::vector<int>(numbers.begin() + 1, numbers.end()),
                            numbers.size() == 1);
    case Kind::Door:
        return console.sendDoorValue(numbers[0]);
    case Kind::Open:
        return console.sendDoorValue(DoorBoard::closedValue(numbers[0]));
    case Kind::Close:
        return console.sendDoorValue(DoorBoard::openValue(numbers[0]));
    case Kind::Scan:
        return console.scan();
    case Kind::Locate:
        return console.locate(numbers[0]);
    case Kind::Shock:
        return console.shock(command.reboot);
    case Kind::Power:
        return console.powerOn();
    case Kind::End:
        return endGame(command);
    default:
        return true;
    }
}

bool ScriptRunner::waitForJoin(float seconds, std::string& failure)
{
    if (pumpUntil([this] { return console.getLink().isConnected(); }, seconds))
        return true;
    failure = "wait-join: no game joined within " + describe(seconds) + " s";
    return false;
}

bool ScriptRunner::expect(const ScriptCommand& command, std::string& failure)
{
    if (pumpUntil([this, &command] { return findExpected(command.words); }, command.seconds))
        return true;
    failure = "expect " + joinWords(command.words) + ": not seen within " +
              describe(command.seconds) + " s";
    return false;
}

bool ScriptRunner::endGame(const ScriptCommand& command)
{
    if (!command.hasFigures)
        return console.endGame();
    Protocol::EndOfGame report;
    report.bills = command.bills;
    for (int i = 0; i < CounterCount; ++i)
        report.counters.*CounterOrder[i] = command.numbers[static_cast<std::size_t>(i)];
    return console.endGame(report);
}

bool ScriptRunner::findExpected(const std::vector<std::string>& words)
{
    // The first event that matches is consumed with every event before it.
    for (std::size_t i = 0; i < unmatched.size(); ++i) {
        std::istringstream line(unmatched[i]);
        bool matches = true;
        for (const std::string& word : words) {
            std::string seen;
            matches = matches && (line >> seen) && seen == word;
        }
        if (matches) {
            unmatched.erase(unmatched.begin(),
                            unmatched.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return true;
        }
    }
    return false;
}
