#include "web/WebMessages.hpp"

#include "common/Cell.hpp"
#include "operator/Operator.hpp"
#include "web/WebAction.hpp"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

std::string text(const Json& message)
{
    // Log lines and file problems may hold bytes that are not UTF-8: replace them, never throw.
    return message.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json cell(const sf::Vector2i& at)
{
    return {{"x", at.x}, {"y", at.y}};
}

Json planOf(const Operator& console)
{
    const LevelPlan& plan = console.getPlan();
    Json cells = Json::array();
    for (int y = 0; y < plan.getHeight(); ++y)
        for (int x = 0; x < plan.getWidth(); ++x)
            cells.push_back(plan.getCell(x, y));
    Json doors = Json::array();
    const std::vector<sf::Vector2i>& doorCells = plan.getDoorCells();
    for (std::size_t i = 0; i < doorCells.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        // A door past the game's pairs is walled up when the level runs.
        doors.push_back({{"number", number},
                         {"x", doorCells[i].x},
                         {"y", doorCells[i].y},
                         {"open", console.getDoors().isOpen(number)},
                         {"runs", number <= Cell::DoorPairs}});
    }
    Json objects = Json::array();
    for (const auto& object : plan.getObjectCells())
        objects.push_back({{"value", object.first},
                           {"x", object.second.x},
                           {"y", object.second.y},
                           {"taken", console.getMatch().getTaken().count(object.first) != 0}});
    Json exits = Json::array();
    for (const sf::Vector2i& exit : plan.getExitCandidates())
        exits.push_back(cell(exit));
    Json spawns = Json::array();
    for (const sf::Vector2i& spawn : plan.getSpawnPoints())
        spawns.push_back(cell(spawn));
    Json monster = nullptr;
    if (console.getMatch().getMonster()) {
        monster = cell(*console.getMatch().getMonster());
        monster["steps"] = console.getMatch().getMonsterAge();
    }
    return {{"width", plan.getWidth()}, {"height", plan.getHeight()}, {"cells", cells},
            {"doors", doors},           {"objects", objects},         {"exits", exits},
            {"spawns", spawns},         {"monster", monster}};
}

Json ledgerOf(const Ledger& ledger)
{
    const ScoreEntry& figures = ledger.getFigures();
    return {{"bills", ledger.getBills()},
            {"revenue", ledger.revenue()},
            {"total", ledger.revenue() - ledger.getBills()},
            {"doorOpen", figures.getDoorOpen()},
            {"doorClose", figures.getDoorClose()},
            {"scan", figures.getScan()},
            {"detection", figures.getDetection()},
            {"shock", figures.getShock()},
            {"reboot", figures.getReboot()}};
}

// An argument naming something the page shows: the chosen level, the first door, the first
// object. Within what exists the rules do not tell one from another.
int shownArgument(const Operator& console, OperatorAction::Kind kind)
{
    switch (kind) {
    case OperatorAction::Kind::Select:
        return console.getSelected();
    case OperatorAction::Kind::Door:
        return 1;
    case OperatorAction::Kind::Locate:
        return Cell::FirstObject;
    default:
        return 0;
    }
}

Json refusalsOf(const Operator& console, WebMessages::Role role)
{
    Json refusals = Json::object();
    for (const WebActionShape& shape : webActionShapes)
        refusals[shape.name] =
            role == WebMessages::Role::Watch
                ? std::string(WebMessages::watchRefusal)
                : console.refusal({shape.kind, shownArgument(console, shape.kind)});
    return refusals;
}

} // namespace

namespace WebMessages {

std::string state(const Operator& console, Role role)
{
    Json levels = Json::array();
    for (int index = 0; index < LevelCatalogue::count; ++index) {
        const LevelPlan& plan = console.getCatalogue().getPlan(index);
        levels.push_back({{"index", index},
                          {"name", LevelCatalogue::getName(index)},
                          {"available", plan.isAvailable()},
                          {"problem", plan.getProblem()}});
    }
    Json costs = {{"door", Ledger::doorOpenCost},
                  {"scan", Ledger::scanCost},
                  {"locate", Ledger::locateCost},
                  {"shock", Ledger::shockCost},
                  {"power", Ledger::powerOnCost}};
    Json objectValues = Json::array();
    for (int value = Cell::FirstObject; value <= Cell::LastObject; ++value)
        objectValues.push_back(value);
    Json wallCells = Json::array();
    for (int value = Cell::Floor; value <= Cell::LastFileValue; ++value)
        if (LevelPlan::drawsAsWall(value))
            wallCells.push_back(value);
    Json log = Json::array();
    for (const std::string& line : console.getLog().getLines())
        log.push_back(line);
    return text({{"type", "state"},
                 {"role", role == Role::Operator ? "operator" : "watch"},
                 {"status", console.getStatusLine()},
                 {"connected", console.getLink().isConnected()},
                 {"levels", levels},
                 {"selected", console.getSelected()},
                 {"running", console.getRunning()},
                 {"playing", console.isPlaying()},
                 {"powerDown", console.isPowerDown()},
                 {"gameLeft", console.hasGameLeft()},
                 {"result", console.getResult()},
                 {"steps", console.getMatch().getSteps()},
                 {"plan", planOf(console)},
                 {"ledger", ledgerOf(console.getLedger())},
                 {"costs", costs},
                 {"refusals", refusalsOf(console, role)},
                 {"startNote", console.getStartNote()},
                 {"doorSlots", Cell::DoorPairs},
                 {"objectValues", objectValues},
                 {"wallCells", wallCells},
                 {"log", log}});
}

std::string event(unsigned long long seq, const std::string& line)
{
    return text({{"type", "event"}, {"seq", seq}, {"line", line}});
}

std::string error(const std::string& action, const std::string& message)
{
    Json name = action.empty() ? Json(nullptr) : Json(action);
    return text({{"type", "error"}, {"action", name}, {"message", message}});
}

std::string invite(const std::vector<Invitation>& invitations)
{
    Json links = Json::array();
    for (const Invitation& invitation : invitations)
        links.push_back({{"url", invitation.url}, {"svg", invitation.svg}});
    return text({{"type", "invite"}, {"links", links}});
}

} // namespace WebMessages
