#include "operator/Operator.hpp"

#include "common/Cell.hpp"
#include "common/Money.hpp"

#include <type_traits>
#include <utility>

namespace {

std::string point(int x, int y)
{
    return "(" + std::to_string(x) + ";" + std::to_string(y) + ")";
}

// "door 9 does not exist: 1 to 8", or empty when value lies in the range.
std::string outside(const char* what, int value, int lowest, int highest)
{
    if (value >= lowest && value <= highest)
        return "";
    return std::string(what) + " " + std::to_string(value) +
           " does not exist: " + std::to_string(lowest) + " to " + std::to_string(highest);
}

const char* const noGameOn = "no game is on";

} // namespace

Operator::Operator(LevelCatalogue catalogue, const Settings& settings)
    : settings(settings), catalogue(std::move(catalogue)), draw(settings.seed), log(settings.echo),
      selected(0), running(-1), playing(false), powerDown(false), gameLeft(false),
      doors(static_cast<int>(this->catalogue.getPlan(0).getDoorCells().size())),
      ledger(settings.free), revision(0)
{
    for (int index = 0; index < LevelCatalogue::count; ++index) {
        const LevelPlan& plan = this->catalogue.getPlan(index);
        if (!plan.isAvailable())
            note(std::string(LevelCatalogue::getName(index)) +
                 " is unavailable: " + plan.getProblem());
    }
}

GameLink::ListenResult Operator::listen(const std::string& bindAddress, std::string& problem)
{
    GameLink::ListenResult outcome = link.listen(bindAddress, problem);
    if (outcome == GameLink::ListenResult::Listening)
        note(getStatusLine());
    return outcome;
}

std::string Operator::getStatusLine() const
{
    if (link.isConnected())
        return "game connected from " + link.getPeer();
    std::string addresses;
    for (const std::string& address : link.getHostAddresses())
        addresses += (addresses.empty() ? "" : ", ") + address;
    return "waiting for the game on " + addresses + ":" + std::to_string(Protocol::Port);
}

const std::vector<std::string>& Operator::update()
{
    eventLines.clear();
    linkEvents.clear();
    link.poll(linkEvents);
    for (const LinkEvent& event : linkEvents)
        handle(event);
    eventLines.swap(pendingLines);
    return eventLines;
}

std::string Operator::refusal(const OperatorAction& action) const
{
    using Kind = OperatorAction::Kind;
    std::string level = LevelCatalogue::getName(selected);
    switch (action.kind) {
    case Kind::Select:
        if (inGame())
            return "a game is on: the level cannot change now";
        return outside("level", action.argument, 0, LevelCatalogue::count - 1);
    case Kind::Start:
        if (inGame())
            return "a game is on already";
        if (!getPlan().isAvailable())
            return "This level is unavailable: " + getPlan().getProblem();
        if (!doors.isStartable())
            return "This level has " + std::to_string(doors.getCount()) +
                   " door cells: the game handles eight at most.";
        if (!link.isConnected())
            return "Start needs a connected game.";
        return "";
    case Kind::Door: {
        std::string missing = outside("door", action.argument, 1, Cell::DoorPairs);
        if (missing.empty() && action.argument > doors.getCount())
            missing = level + " has " + std::to_string(doors.getCount()) + " doors";
        return missing;
    }
    case Kind::Locate:
        if (!inGame())
            return noGameOn;
        return outside("object", action.argument, Cell::FirstObject, Cell::LastObject);
    case Kind::Power:
        if (!inGame())
            return noGameOn;
        return powerDown ? "" : "the power is on";
    case Kind::Scan:
    case Kind::Shock:
    case Kind::End:
        return inGame() ? "" : noGameOn;
    }
    return "";
}

std::string Operator::act(const OperatorAction& action)
{
    std::string problem = refusal(action);
    if (!problem.empty())
        return problem;
    bool taken = false;
    switch (action.kind) {
    case OperatorAction::Kind::Select:
        taken = select(action.argument);
        break;
    case OperatorAction::Kind::Start:
        taken = start();
        break;
    case OperatorAction::Kind::Door:
        taken = toggleDoor(action.argument);
        break;
    case OperatorAction::Kind::Scan:
        taken = scan();
        break;
    case OperatorAction::Kind::Locate:
        taken = locate(action.argument);
        break;
    case OperatorAction::Kind::Shock:
        taken = shock(Reboot::Draw);
        break;
    case OperatorAction::Kind::Power:
        taken = powerOn();
        break;
    case OperatorAction::Kind::End:
        taken = endGame();
        break;
    }
    return taken ? "" : "the game did not take it: " + getStatusLine();
}

std::string Operator::getStartNote() const
{
    return inGame() ? "" : refusal({OperatorAction::Kind::Start, 0});
}

std::string Operator::linkRefusal() const
{
    return link.isConnected() ? "" : "no game is connected";
}

bool Operator::select(int index)
{
    if (!refusal({OperatorAction::Kind::Select, index}).empty())
        return false;
    selected = index;
    doors = DoorBoard(static_cast<int>(getPlan().getDoorCells().size()));
    result.clear();
    ++revision;
    return true;
}

bool Operator::start()
{
    std::string problem = refusal({OperatorAction::Kind::Start, 0});
    if (!problem.empty()) {
        note(std::string(LevelCatalogue::getName(selected)) + ": " + problem);
        return false;
    }
    return load(selected, doors.values(), false);
}

bool Operator::load(int index, const std::vector<int>& values, bool useLevelDoors)
{
    if (!link.isConnected()) {
        note(linkRefusal() + ": the level cannot start");
        return false;
    }
    if (index >= 0 && index < LevelCatalogue::count && index != selected) {
        selected = index;
        doors = DoorBoard(static_cast<int>(getPlan().getDoorCells().size()));
    }
    Protocol::LoadMap message;
    message.map = index;
    if (useLevelDoors) {
        doors = DoorBoard(doors.getCount());
        for (int value : doors.values())
            message.doors.push_back(value);
    } else {
        message.doors.assign(values.begin(), values.end());
        doors.load(values);
    }
    if (!send(message))
        return false;
    running = index;
    playing = true;
    powerDown = false;
    match = Match();
    ledger = Ledger(settings.free);
    result.clear();
    note("started " + std::string(LevelCatalogue::getName(index)) + " (" +
         std::to_string(message.doors.size()) + " doors)");
    return true;
}

bool Operator::toggleDoor(int door)
{
    if (!refusal({OperatorAction::Kind::Door, door}).empty())
        return false;
    if (!playing) {
        doors.toggle(door);
        ++revision;
        return true;
    }
    return sendDoorValue(doors.isOpen(door) ? DoorBoard::openValue(door)
                                            : DoorBoard::closedValue(door));
}

bool Operator::sendDoorValue(int value)
{
    Protocol::UpdateDoor message;
    message.value = value;
    if (!send(message))
        return false;
    doors.apply(value);
    bool closing = Cell::isOpenValue(value);
    if (closing)
        ledger.doorClosed();
    else
        ledger.doorOpened();
    int door = DoorBoard::doorOfValue(value);
    note(std::string(closing ? "close" : "open") +
         (door > 0 ? " door " + std::to_string(door) : " door value " + std::to_string(value)));
    return true;
}

bool Operator::scan()
{
    if (!send(Protocol::SendMonsterPosition()))
        return false;
    ledger.scanned();
    note("scan for the monster");
    return true;
}

bool Operator::locate(int value)
{
    Protocol::SendObjectPosition message;
    message.value = value;
    if (!send(message))
        return false;
    match.objectRequested(value);
    ledger.located();
    note("locate object " + std::to_string(value));
    return true;
}

bool Operator::shock(Reboot choice)
{
    Protocol::ShockMonster message;
    message.reboot = choice == Reboot::Yes || (choice == Reboot::Draw && draw.overloads());
    if (!send(message))
        return false;
    ledger.shocked();
    if (message.reboot)
        powerDown = true;
    note(message.reboot ? "shock: the plant overloads, POWER DOWN" : "shock");
    return true;
}

bool Operator::powerOn()
{
    if (!send(Protocol::PowerOn()))
        return false;
    ledger.poweredOn();
    powerDown = false;
    note("power on");
    return true;
}

bool Operator::endGame()
{
    Protocol::EndOfGame report;
    report.bills = ledger.getBills();
    report.counters = ledger.getFigures().getCounters();
    return endGame(report);
}

bool Operator::endGame(const Protocol::EndOfGame& report)
{
    if (!send(report))
        return false;
    playing = false;
    if (result.empty())
        result = "game ended by the operator";
    note("end of game sent: bills " + formatMoney(report.bills));
    return true;
}

GameLink& Operator::getLink()
{
    return link;
}
const GameLink& Operator::getLink() const
{
    return link;
}
const LevelCatalogue& Operator::getCatalogue() const
{
    return catalogue;
}
int Operator::getSelected() const
{
    return selected;
}
int Operator::getRunning() const
{
    return running;
}
bool Operator::isPlaying() const
{
    return playing;
}
bool Operator::isPowerDown() const
{
    return powerDown;
}
bool Operator::hasGameLeft() const
{
    return gameLeft;
}
const LevelPlan& Operator::getPlan() const
{
    return catalogue.getPlan(selected);
}
const DoorBoard& Operator::getDoors() const
{
    return doors;
}
const Match& Operator::getMatch() const
{
    return match;
}
const Ledger& Operator::getLedger() const
{
    return ledger;
}
const EventLog& Operator::getLog() const
{
    return log;
}
const std::string& Operator::getResult() const
{
    return result;
}
unsigned Operator::getRevision() const
{
    return revision;
}

void Operator::handle(const LinkEvent& event)
{
    ++revision;
    switch (event.kind) {
    case LinkEvent::Kind::Joined:
        // A game that joins is in its menu: whatever ran before is over.
        playing = false;
        powerDown = false;
        gameLeft = false;
        note("game connected from " + event.text);
        pendingLines.push_back("joined " + event.text);
        break;
    case LinkEvent::Kind::Refused:
        note("a second game from " + event.text + " was turned away: one game at a time");
        break;
    case LinkEvent::Kind::Message:
        handleMessage(event.message);
        break;
    case LinkEvent::Kind::Unknown:
        note(event.text);
        break;
    case LinkEvent::Kind::Dropped:
    case LinkEvent::Kind::Disconnected:
        playing = false;
        powerDown = false;
        gameLeft = true;
        note(event.kind == LinkEvent::Kind::Dropped ? "connection dropped: " + event.text
                                                    : std::string("game disconnected"));
        note(getStatusLine());
        pendingLines.push_back("disconnected");
        break;
    }
}

void Operator::handleMessage(const Protocol::GameMessage& message)
{
    std::visit(
        [this](const auto& report) {
            using Report = std::decay_t<decltype(report)>;
            if constexpr (std::is_same_v<Report, Protocol::Interaction>) {
                pendingLines.push_back("interaction " + std::to_string(report.value));
                if (Cell::isObject(report.value)) {
                    ledger.lootTaken();
                    note("object " + std::to_string(report.value) + " taken (loot worth " +
                         formatMoney(ledger.revenue()) + ")");
                } else if (report.value != Cell::Exit) {
                    note("interaction " + std::to_string(report.value));
                }
                if (match.interaction(report.value))
                    finished("the player used the exit: game won");
            } else if constexpr (std::is_same_v<Report, Protocol::PlayerMoved>) {
                match.playerMoved();
                pendingLines.push_back("moved " + std::to_string(match.getSteps()));
                note("player moved (step " + std::to_string(match.getSteps()) + ")");
            } else if constexpr (std::is_same_v<Report, Protocol::PlayerLost>) {
                pendingLines.push_back("lost");
                if (match.playerLost())
                    finished("the player died: game lost");
            } else if constexpr (std::is_same_v<Report, Protocol::MonsterPosition>) {
                match.monsterPosition(report.column, report.row);
                pendingLines.push_back("monster " + std::to_string(report.column) + " " +
                                       std::to_string(report.row));
                note(match.getMonster() ? "monster at " + point(report.column, report.row)
                                        : std::string("the monster is not in the maze"));
            } else {
                int object = match.objectPosition(report.column, report.row);
                pendingLines.push_back("object " + std::to_string(report.column) + " " +
                                       std::to_string(report.row));
                note("object " + (object > 0 ? std::to_string(object) + " " : std::string()) +
                     "at " + point(report.column, report.row));
            }
        },
        message);
}

bool Operator::send(const Protocol::ConsoleMessage& message)
{
    if (!link.isConnected()) {
        note(linkRefusal());
        return false;
    }
    // Its own list: a send may happen while update() walks the polled events.
    std::vector<LinkEvent> failures;
    ++revision;
    bool sent = link.send(message, failures);
    for (const LinkEvent& event : failures)
        handle(event);
    return sent;
}

bool Operator::inGame() const
{
    return playing && link.isConnected();
}

void Operator::note(const std::string& text)
{
    log.add(text);
    ++revision;
}

void Operator::finished(const char* how)
{
    result = how;
    note(how);
    if (settings.autoEnd && playing)
        endGame();
}
