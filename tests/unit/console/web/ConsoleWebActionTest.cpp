#include "web/WebConsole.hpp"

#include "support/ConsoleStage.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;
using Role = WebMessages::Role;
constexpr Role Op = Role::Operator;

// A page's message at a stage of the console. The rules themselves are the operator's
// (ConsoleOperatorRulesTest): here, that a refusal reaches the page and changes nothing.
struct ActionCase {
    const char* name;
    ConsoleStage stage;
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
    {"select", Joined, Op, R"({"action":"select","level":2})", "", {}, "/selected", 2},
    {"plan door", Joined, Op, R"({"action":"door","door":1})", "", {}, "/plan/doors/0/open", false},
    {"start, no game", NoGame, Op, R"({"action":"start"})", "Start needs a connected game."},
    {"start", Joined, Op, R"({"action":"start"})", "", RawPeer::ints({1, 0, 2, 8, 10}), "/playing",
     true},
    {"door", Playing, Op, R"({"action":"door","door":1})", "", RawPeer::ints({0, 8}),
     "/ledger/doorClose", 1},
    {"scan", Playing, Op, R"({"action":"scan"})", "", RawPeer::ints({2}), "/ledger/total", -50.0},
    {"locate", Playing, Op, R"({"action":"locate","object":5})", "", RawPeer::ints({4, 5}),
     "/ledger/bills", 75.0},
    // The drawn reboot flag follows the code: the state's powerDown tells it.
    {"shock", Playing, Op, R"({"action":"shock"})", "", RawPeer::ints({3}), "/ledger/shock", 1},
    {"power", PowerDown, Op, R"({"action":"power"})", "", RawPeer::ints({5}), "/powerDown", false},
    {"end", Playing, Op, R"({"action":"end"})", "",
     RawPeer::payloadOf(Protocol::encode(Protocol::EndOfGame{0.f, {0, 0, 0, 0, 0, 0}})), "/playing",
     false},
    {"watch", Playing, Role::Watch, R"({"action":"scan"})", "a watch link cannot act"},
    {"not JSON", Playing, Op, R"({"action":"scan")", "not JSON"},
    {"no action", Playing, Op, R"({"door":1})", "names no action"},
    {"unknown", Playing, Op, R"({"action":"dance"})", "unknown action 'dance'"},
    {"bad argument", Playing, Op, R"({"action":"locate","object":"3"})", "needs \"object\""},
};

TEST(ConsoleWebActionTest, EachActionAppliesOrIsRefusedWithNoChange)
{
    for (const ActionCase& row : cases) {
        SCOPED_TRACE(row.name);
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
        // The game receives what the table names and nothing else before a message sent after.
        if (game.isConnected()) {
            std::vector<LinkEvent> events;
            ASSERT_TRUE(console.getLink().send(Protocol::UpdateDoor{99}, events));
            RawPeer::Bytes sent = row.sent;
            if (std::string(row.name) == "shock")
                sent.push_back(console.isPowerDown() ? 1 : 0);
            if (!sent.empty()) {
                EXPECT_EQ(game.readPayload(), sent);
            }
            EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 99}));
        }
    }
}

TEST(ConsoleWebActionTest, TheStateShowsTheOperatorsObjectsDoorsLedgerMonsterAndTheGamesNumbers)
{
    Operator console(catalogueFor(Playing), Operator::Settings());
    RawPeer game;
    ASSERT_NO_FATAL_FAILURE(reach(console, game, Playing));
    // Counts that differ: door open 3, close 4, scan 5, locate 2, shock 6, reboot 1.
    for (int i = 0; i < 6; ++i) {
        console.toggleDoor(1);
        if (i < 5)
            console.scan();
        if (i < 2)
            console.locate(3);
        console.shock(i == 5 ? Operator::Reboot::Yes : Operator::Reboot::No);
    }
    console.toggleDoor(1);
    console.powerOn();
    // Object 4 taken, the monster seen at (5, 2) three steps before the last.
    for (const RawPeer::Bytes& report :
         {RawPeer::ints({0, 4}), RawPeer::ints({1}), RawPeer::ints({3, 5, 2}), RawPeer::ints({1}),
          RawPeer::ints({1}), RawPeer::ints({1})})
        game.sendFrame(report);
    ASSERT_TRUE(waitUntil([&] { return console.update(), console.getMatch().getSteps() == 4; }));

    const Json state = Json::parse(WebMessages::state(console, Op));
    const float revenue = console.getLedger().revenue();
    ASSERT_GT(revenue, 0.f);
    Json ledger = Json::parse(
        R"({"bills":1975,"doorOpen":3,"doorClose":4,"scan":5,"detection":2,"shock":6,"reboot":1})");
    ledger["revenue"] = revenue;
    ledger["total"] = revenue - 1975.f;
    EXPECT_EQ(state["ledger"], ledger);
    EXPECT_EQ(state["plan"]["monster"], Json({{"x", 5}, {"y", 2}, {"steps", 3}}));
    EXPECT_EQ(state["doorSlots"], 8);
    EXPECT_EQ(state["objectValues"], Json({3, 4, 5, 6, 7}));
    EXPECT_EQ(state["wallCells"], Json({1, 2}));
    EXPECT_EQ(state["plan"]["objects"], Json::parse(R"([{"value":3,"x":2,"y":2,"taken":false},
        {"value":4,"x":8,"y":2,"taken":true}, {"value":5,"x":8,"y":5,"taken":false},
        {"value":6,"x":2,"y":6,"taken":false}, {"value":7,"x":8,"y":6,"taken":false}])"));
    // Door 1 closed, door 2 open.
    EXPECT_EQ(state["plan"]["doors"], Json::parse(R"([{"number":1,"x":5,"y":2,"open":false,
        "runs":true}, {"number":2,"x":2,"y":4,"open":true,"runs":true}])"));
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

TEST(ConsoleWebActionTest, TheStateCarriesTheAnswerToEachActionAndWallsUpDoorsPastThePairs)
{
    const std::pair<ConsoleStage, Role> situations[] = {
        {NoGame, Op}, {NineDoors, Op}, {Playing, Op}, {PowerDown, Op}, {Playing, Role::Watch}};
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
        // Doors past the game's pairs are walled up when the level runs.
        if (stage == NineDoors) {
            EXPECT_EQ(state["plan"]["doors"][7]["runs"], true);
            EXPECT_EQ(state["plan"]["doors"][8]["runs"], false);
        }
    }
}

} // namespace
