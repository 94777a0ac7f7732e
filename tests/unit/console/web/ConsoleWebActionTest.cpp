#include "common/LevelFile.hpp"
#include "web/WebConsole.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;
using Role = WebMessages::Role;
constexpr Role Op = Role::Operator;

// Where the console stands when the page's message arrives. The rules themselves are the
// operator's (ConsoleOperatorRulesTest): here, that a refusal reaches the page and changes nothing. NineDoors and Unavailable have a
// game joined too, on a level the game cannot run.
enum Stage { NoGame, Joined, Playing, PowerDown, NineDoors, Unavailable };

struct ActionCase {
    Stage stage;
    Role role;
    const char* message;
    // Empty when the action applies; otherwise a part of the error reply's message.
    const char* refusal;
    // What the game receives (empty: nothing), and a field of the page's state afterwards.
    RawPeer::Bytes sent = {};
    const char* field = nullptr;
    Json value = nullptr;
};

const ActionCase cases[] = {
    {NoGame, Op, R"({"action":"select","level":2})", "", {}, "/selected", 2},
    {NoGame, Op, R"({"action":"select","level":2})", "", {}, "/plan/doors/5/open", true},
    {NoGame, Op, R"({"action":"door","door":1})", "", {}, "/plan/doors/0/open", false},
    {NoGame, Op, R"({"action":"start"})", "Start needs a connected game."},
    {Joined, Op, R"({"action":"start"})", "", RawPeer::ints({1, 0, 2, 8, 10}), "/playing", true},
    {Playing, Op, R"({"action":"door","door":1})", "", RawPeer::ints({0, 8}), "/ledger/doorClose",
     1},
    {Playing, Op, R"({"action":"scan"})", "", RawPeer::ints({2}), "/ledger/scan", 1},
    {Playing, Op, R"({"action":"scan"})", "", RawPeer::ints({2}), "/ledger/total", -50.0},
    {Playing, Op, R"({"action":"locate","object":5})", "", RawPeer::ints({4, 5}), "/ledger/bills",
     75.0},
    {Playing, Op, R"({"action":"shock"})", "", {}, "/ledger/shock", 1},
    {Playing, Op, R"({"action":"power"})", "the power is on"},
    {PowerDown, Op, R"({"action":"power"})", "", RawPeer::ints({5}), "/powerDown", false},
    {Playing, Op, R"({"action":"end"})", "", {}, "/playing", false},
    {Playing, Role::Watch, R"({"action":"scan"})", "a watch link cannot act"},
    {Playing, Op, R"({"action":"scan")", "not JSON"},
    {Playing, Op, R"({"door":1})", "names no action"},
    {Playing, Op, R"({"action":"dance"})", "unknown action 'dance'"},
    {Playing, Op, R"({"action":"locate","object":"3"})", "needs \"object\""},
};

LevelCatalogue catalogueFor(Stage stage)
{
    LevelCatalogue catalogue(stage == Unavailable ? "no/such/folder" : "data/level");
    // One door cell more than the game has pairs for; the file check would refuse it.
    if (stage == NineDoors)
        catalogue.setPlan(0, LevelPlan(LevelFile::parse("11 3 1\n"
                                                        "1 1 1 1 1 1 1 1 1 1 1\n"
                                                        "1 8 8 8 8 8 8 8 8 8 1\n"
                                                        "1 1 1 1 1 1 1 1 1 1 1\n",
                                                        false)));
    return catalogue;
}

// Listens, and brings a game to the console on the way to stage.
void reach(Operator& console, RawPeer& game, Stage stage)
{
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    if (stage != NoGame) {
        game = RawPeer::connectTo(Protocol::Port);
        ASSERT_TRUE(waitUntil([&console] {
            console.update();
            return console.getLink().isConnected();
        }));
    }
    if (stage == Playing || stage == PowerDown) {
        ASSERT_TRUE(console.start());
        game.readPayload();
    }
    if (stage == PowerDown) {
        ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
        game.readPayload();
    }
}

TEST(ConsoleWebActionTest, EachActionAppliesOrIsRefusedWithNoChange)
{
    for (const ActionCase& row : cases) {
        SCOPED_TRACE(row.message);
        Operator console(catalogueFor(row.stage), Operator::Settings());
        WebConsole web(console, WebConsole::Settings());
        RawPeer game;
        ASSERT_NO_FATAL_FAILURE(reach(console, game, row.stage));

        const std::string before = WebMessages::state(console, Op);
        const std::string reply = web.act(row.message, row.role);
        if (std::string(row.refusal).empty()) {
            EXPECT_EQ(reply, "");
            EXPECT_EQ(Json::parse(WebMessages::state(console, Op))[Json::json_pointer(row.field)],
                      row.value);
        } else {
            const Json error = Json::parse(reply);
            EXPECT_EQ(error["type"], "error");
            EXPECT_NE(error["message"].get<std::string>().find(row.refusal), std::string::npos)
                << reply;
            EXPECT_EQ(WebMessages::state(console, Op), before);
        }
        // A refused action sends the game nothing; an applied one what the table names (the
        // drawn shock and the end are checked elsewhere).
        if (game.isConnected() && (!row.sent.empty() || row.refusal[0] != '\0')) {
            EXPECT_EQ(game.readPayload(std::chrono::milliseconds(row.sent.empty() ? 50 : 5000)),
                      row.sent);
        }
    }
}

// What the page's buttons would send: a level, door and object that exist.
struct PageAction {
    const char* name;
    OperatorAction action;
};

using Kind = OperatorAction::Kind;

const PageAction pageActions[] = {
    {"select", {Kind::Select, 0}}, {"start", {Kind::Start, 0}},   {"door", {Kind::Door, 1}},
    {"scan", {Kind::Scan, 0}},     {"locate", {Kind::Locate, 3}}, {"shock", {Kind::Shock, 0}},
    {"power", {Kind::Power, 0}},   {"end", {Kind::End, 0}},
};

TEST(ConsoleWebActionTest, TheStateCarriesTheOperatorsAnswerToEveryActionThePageCanSend)
{
    const std::pair<Stage, Role> situations[] = {{NoGame, Op},      {NineDoors, Op},
                                                 {Unavailable, Op}, {Playing, Op},
                                                 {PowerDown, Op},   {Playing, Role::Watch}};
    for (const auto& [stage, role] : situations) {
        SCOPED_TRACE(testing::Message() << "stage " << stage << ", watch " << (role != Op));
        Operator console(catalogueFor(stage), Operator::Settings());
        RawPeer game;
        ASSERT_NO_FATAL_FAILURE(reach(console, game, stage));

        const Json state = Json::parse(WebMessages::state(console, role));
        Json refusals = Json::object();
        for (const PageAction& page : pageActions)
            refusals[page.name] =
                role == Op ? console.refusal(page.action) : "a watch link cannot act";
        EXPECT_EQ(state["refusals"], refusals);
        EXPECT_EQ(state["startNote"], console.getStartNote());
    }
}

TEST(ConsoleWebActionTest, TheStateNamesTheGamesNumbersAndWallsUpDoorsPastItsPairs)
{
    const Operator console(catalogueFor(NineDoors), Operator::Settings());
    const Json state = Json::parse(WebMessages::state(console, Op));
    EXPECT_EQ(state["doorSlots"], 8);
    EXPECT_EQ(state["objectValues"], Json({3, 4, 5, 6, 7}));
    EXPECT_EQ(state["wallCells"], Json({1, 2}));
    Json runs = Json::array();
    for (const Json& door : state["plan"]["doors"])
        runs.push_back(door["runs"]);
    EXPECT_EQ(runs, Json({true, true, true, true, true, true, true, true, false}));
}

} // namespace
