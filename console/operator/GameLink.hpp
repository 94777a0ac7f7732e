#pragma once

#include "common/FrameReader.hpp"
#include "common/OutgoingQueue.hpp"
#include "common/Protocol.hpp"

#include <string>
#include <vector>

// What happened on the link during one poll, in order.
struct LinkEvent {
    enum class Kind {
        // A game connected; text is its address.
        Joined,
        // A second game tried to connect while one is live and was closed at once.
        Refused,
        // A decoded message from the game.
        Message,
        // A message with a code the game side does not have: skipped.
        Unknown,
        // The console closed the connection; text says why.
        Dropped,
        // The game closed the connection.
        Disconnected,
    };

    Kind kind = Kind::Message;
    Protocol::GameMessage message;
    std::string text;
};

// The console's side of the network: a listening socket on the game's port and the one game
// connection it serves. Non-blocking throughout; poll() accepts, reads and finishes queued
// sends. Frames are cut and bounded by the shared message layer.
class GameLink {
public:
    // Bytes read per poll at most, so a flood cannot stall the operator's window.
    static constexpr std::size_t readBudget = 64 * 1024;

    enum class ListenResult { Listening, PortInUse, Failed };

    GameLink();
    ~GameLink();
    GameLink(const GameLink&) = delete;
    GameLink& operator=(const GameLink&) = delete;

    // Listens on every interface, or only on bindAddress when it is not empty. On failure,
    // problem says why.
    ListenResult listen(const std::string& bindAddress, std::string& problem);
    // The addresses a game can type to reach this console, the loopback last.
    std::vector<std::string> getHostAddresses() const;

    // Appends to events whatever happened since the last poll.
    void poll(std::vector<LinkEvent>& events);
    // Queues one message and sends what the socket takes now; false when no game is connected
    // (or the game stopped reading and was dropped).
    bool send(const Protocol::ConsoleMessage& message, std::vector<LinkEvent>& events);
    bool isConnected() const;
    const std::string& getPeer() const;
    // The listening socket and the game's connection (-1 when there is none), for a caller
    // that waits until they are readable rather than polling on a clock.
    int getListenerDescriptor() const;
    int getConnectionDescriptor() const;
    // Closes the game's connection (the listener stays open).
    void disconnect();

private:
    void acceptPending(std::vector<LinkEvent>& events);
    void receive(std::vector<LinkEvent>& events);
    void decodeFrames(std::vector<LinkEvent>& events);
    void flush(std::vector<LinkEvent>& events);
    // The connection ended or broke on the game's side.
    void hangUp(std::vector<LinkEvent>& events);
    // The console ends the connection, for the reason given.
    void drop(const std::string& reason, std::vector<LinkEvent>& events);

    int listener;
    std::string boundAddress;
    int connection;
    std::string peer;
    FrameReader reader;
    OutgoingQueue outgoing;
};
