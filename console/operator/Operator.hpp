#pragma once

#include "operator/DoorBoard.hpp"
#include "operator/EventLog.hpp"
#include "operator/GameLink.hpp"
#include "operator/Ledger.hpp"
#include "operator/LevelCatalogue.hpp"
#include "operator/Match.hpp"
#include "operator/OperatorAction.hpp"
#include "operator/ShockDraw.hpp"

#include <iosfwd>
#include <string>
#include <vector>

// The operator's side of one console: the game link, the level catalogue, and for the level
// being run its doors, what the game reported and what the operator spent. It is also the
// rulebook: whether each action may be taken now and, if not, why, in the words every front end
// shows. The window, the page, the solo player and the script runner all act through it; it
// turns each report of the game into a log line and an event line ("moved 3") and keeps the
// figures for the end-of-game report.
class Operator {
public:
    using Reboot = ShockDraw::Reboot;

    struct Settings {
        unsigned seed = 0;
        // Send the end-of-game report by itself when the player escapes or dies.
        bool autoEnd = true;
        // Solo mode: actions cost nothing.
        bool free = false;
        // Where the log lines are echoed, if anywhere.
        std::ostream* echo = nullptr;
    };

    Operator(LevelCatalogue catalogue, const Settings& settings);

    GameLink::ListenResult listen(const std::string& bindAddress, std::string& problem);
    // "waiting for the game on <addresses>:<port>" or "game connected from <address>".
    std::string getStatusLine() const;

    // Handles everything the game sent since the last call. Returns one event line per report
    // ("joined 127.0.0.1", "moved 4", "lost", "disconnected", ...), valid until the next call.
    // A game an action found gone is reported by the next call.
    const std::vector<std::string>& update();

    // Why the operator may not take this action now; empty when it may.
    std::string refusal(const OperatorAction& action) const;
    // Takes the action when the rules allow it. Returns why it was not taken (its refusal, or
    // the game gone while sending), empty when it was.
    std::string act(const OperatorAction& action);
    // Why the chosen level cannot start now; empty when it can, and while a game is on.
    std::string getStartNote() const;
    // Why no message can go to the game now ("no game is connected"); empty when one can. The
    // only rule for the script's raw messages below.
    std::string linkRefusal() const;

    // The actions themselves, for the front ends that ask the rules first, and for scripts.
    // Chooses the level to start; refused while a game is being played. Its doors start open.
    bool select(int index);
    // Sends the load message for the selected level with the doors as they stand. Returns false,
    // with the reason in the log, when no game is connected or the level cannot be run.
    bool start();
    // Sends a load message as given (scripts): index and door values, or the level's own doors
    // when values is empty.
    bool load(int index, const std::vector<int>& values, bool useLevelDoors);
    // Door k: before the start only the plan changes; during a game the game is told.
    bool toggleDoor(int door);
    // A raw door value (scripts): even closes, odd opens.
    bool sendDoorValue(int value);
    bool scan();
    bool locate(int value);
    // A shock that cuts the power leaves the console in POWER DOWN until powerOn().
    bool shock(Reboot choice);
    bool powerOn();
    // Sends the end-of-game report with the console's own figures, or with the given ones.
    bool endGame();
    bool endGame(const Protocol::EndOfGame& report);

    GameLink& getLink();
    const GameLink& getLink() const;
    const LevelCatalogue& getCatalogue() const;
    int getSelected() const;
    // The level the last load message started, -1 before any.
    int getRunning() const;
    // A game is on: loaded, connected and not yet reported ended.
    bool isPlaying() const;
    bool isPowerDown() const;
    // The last game disconnected and no other has joined since.
    bool hasGameLeft() const;
    const LevelPlan& getPlan() const;
    const DoorBoard& getDoors() const;
    const Match& getMatch() const;
    const Ledger& getLedger() const;
    const EventLog& getLog() const;
    // What the last game came to, shown until the next start ("" while none ended).
    const std::string& getResult() const;
    // Grows whenever anything shown changes, so a view redraws its texts only then.
    unsigned getRevision() const;

private:
    void handle(const LinkEvent& event);
    void handleMessage(const Protocol::GameMessage& message);
    bool send(const Protocol::ConsoleMessage& message);
    // Loaded, connected and not yet reported ended, as the link stands right now.
    bool inGame() const;
    void note(const std::string& text);
    void finished(const char* how);

    Settings settings;
    LevelCatalogue catalogue;
    GameLink link;
    ShockDraw draw;
    EventLog log;
    int selected;
    int running;
    bool playing;
    bool powerDown;
    bool gameLeft;
    DoorBoard doors;
    Match match;
    Ledger ledger;
    std::string result;
    unsigned revision;
    std::vector<LinkEvent> linkEvents;
    std::vector<std::string> eventLines;
    // Lines for the next update(): an action may drop the game while a caller walks eventLines.
    std::vector<std::string> pendingLines;
};
