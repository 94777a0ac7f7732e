#include "console/WebConsole.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>

namespace {

using Role = WebMessages::Role;

// Where the console stands when the page's message arrives.
enum class Stage { NoGame, Joined, Playing, PowerDown };

struct ActionCase {
    Stage stage;
    Role role;
    const char* message;
    // Empty when the action applies; otherwise a part of the error reply's message.
    const char* refusal;
    // What the game receives (empty: nothing), and what else must hold afterwards.
    std::vector<std::uint8_t> sent;
    std::function<bool(const Operator&)> holds;
};

std::vector<std::uint8_t> ints(std::initializer_list<std::int32_t> values)
{
    return RawPeer::ints(values);
}

const std::vector<ActionCase> cases = {
    {Stage::NoGame,
     Role::Operator,
     R"({"action":"select","level":2})",
     "",
     {},
     [](const Operator& c) { return c.getSelected() == 2; }},
    {Stage::NoGame,
     Role::Operator,
     R"({"action":"door","door":1})",
     "",
     {},
     [](const Operator& c) { return !c.getDoors().isOpen(1); }},
    {Stage::NoGame, Role::Operator, R"({"action":"start"})", "no game is connected", {}, {}},
    {Stage::NoGame, Role::Operator, R"({"action":"scan"})", "no game is on", {}, {}},
    {Stage::Joined, Role::Operator, R"({"action":"start"})", "", ints({1, 0, 2, 8, 10}),
     [](const Operator& c) { return c.isPlaying() && c.getRunning() == 0; }},
    {Stage::Joined, Role::Operator, R"({"action":"end"})", "no game is on", {}, {}},
    {Stage::Joined, Role::Operator, R"({"action":"power"})", "no game is on", {}, {}},
    {Stage::Playing, Role::Operator, R"({"action":"select","level":1})", "a game is on", {}, {}},
    {Stage::Playing, Role::Operator, R"({"action":"start"})", "a game is on already", {}, {}},
    {Stage::Playing, Role::Operator, R"({"action":"door","door":1})", "", ints({0, 8}),
     [](const Operator& c) { return c.getLedger().getFigures().getDoorClose() == 1; }},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"door","door":3})",
     "Tutorial has 2 doors",
     {},
     {}},
    {Stage::Playing, Role::Operator, R"({"action":"scan"})", "", ints({2}),
     [](const Operator& c) { return c.getLedger().getFigures().getScan() == 1; }},
    {Stage::Playing, Role::Operator, R"({"action":"locate","object":5})", "", ints({4, 5}),
     [](const Operator& c) { return c.getLedger().getBills() == Ledger::locateCost; }},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"shock"})",
     "",
     {},
     [](const Operator& c) { return c.getLedger().getFigures().getShock() == 1; }},
    {Stage::Playing, Role::Operator, R"({"action":"power"})", "the power is on", {}, {}},
    {Stage::PowerDown, Role::Operator, R"({"action":"power"})", "", ints({5}),
     [](const Operator& c) { return !c.isPowerDown(); }},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"end"})",
     "",
     {},
     [](const Operator& c) { return !c.isPlaying(); }},
    {Stage::Playing, Role::Watch, R"({"action":"scan"})", "a watch link cannot act", {}, {}},
    {Stage::NoGame,
     Role::Watch,
     R"({"action":"select","level":1})",
     "a watch link cannot act",
     {},
     {}},
    {Stage::Playing, Role::Operator, R"({"action":"scan")", "not JSON", {}, {}},
    {Stage::Playing, Role::Operator, R"(["scan"])", "not a JSON object", {}, {}},
    {Stage::Playing, Role::Operator, R"({"door":1})", "names no action", {}, {}},
    {Stage::Playing, Role::Operator, R"({"action":"dance"})", "unknown action 'dance'", {}, {}},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"door","door":9})",
     "door 9 does not exist",
     {},
     {}},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"door","door":0})",
     "door 0 does not exist",
     {},
     {}},
    {Stage::NoGame,
     Role::Operator,
     R"({"action":"select","level":7})",
     "level 7 does not exist",
     {},
     {}},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"locate","object":2})",
     "object 2 does not exist",
     {},
     {}},
    {Stage::Playing,
     Role::Operator,
     R"({"action":"locate","object":"3"})",
     "needs \"object\"",
     {},
     {}},
    {Stage::Playing, Role::Operator, R"({"action":"door","door":1.5})", "needs \"door\"", {}, {}},
};

TEST(ConsoleWebActionTest, EachActionAppliesOrIsRefusedWithNoChange)
{
    for (const ActionCase& row : cases) {
        SCOPED_TRACE(row.message);
        Operator::Settings settings;
        settings.seed = 5;
        Operator console(LevelCatalogue("data/level"), settings);
        std::string problem;
        ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
        WebConsole web(console, WebConsole::Settings());
        std::unique_ptr<RawPeer> game;
        if (row.stage != Stage::NoGame) {
            game = std::make_unique<RawPeer>(RawPeer::connectTo(Protocol::Port));
            ASSERT_TRUE(waitUntil([&console] {
                console.update();
                return console.getLink().isConnected();
            }));
        }
        if (row.stage == Stage::Playing || row.stage == Stage::PowerDown) {
            ASSERT_TRUE(console.start());
            game->readPayload();
        }
        if (row.stage == Stage::PowerDown) {
            ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
            game->readPayload();
        }

        std::string before = WebMessages::state(console, Role::Operator);
        std::string reply = web.act(row.message, row.role);
        if (std::string(row.refusal).empty()) {
            EXPECT_EQ(reply, "");
            EXPECT_TRUE(row.holds(console));
        } else {
            nlohmann::json error = nlohmann::json::parse(reply);
            EXPECT_EQ(error["type"], "error");
            EXPECT_NE(error["message"].get<std::string>().find(row.refusal), std::string::npos)
                << reply;
            EXPECT_EQ(WebMessages::state(console, Role::Operator), before);
        }
        if (game && !row.sent.empty()) {
            EXPECT_EQ(game->readPayload(), row.sent);
        } else if (game && !std::string(row.refusal).empty()) {
            EXPECT_EQ(game->readPayload(std::chrono::milliseconds(50)),
                      std::vector<std::uint8_t>());
        }
    }
}

TEST(ConsoleWebActionTest, TheErrorNamesTheRefusedActionOrNone)
{
    Operator console(LevelCatalogue("data/level"), Operator::Settings());
    WebConsole web(console, WebConsole::Settings());
    EXPECT_EQ(nlohmann::json::parse(web.act(R"({"action":"scan"})", Role::Operator))["action"],
              "scan");
    EXPECT_TRUE(nlohmann::json::parse(web.act("not json", Role::Operator))["action"].is_null());
}

} // namespace
