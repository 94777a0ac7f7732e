#pragma once

#include "common/FrameReader.hpp"
#include "common/OutgoingQueue.hpp"
#include "common/Protocol.hpp"

#include <SFML/Network/TcpSocket.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

class Game;

// Where the game's one connection stands. The menu's join button asks for a connection by
// setting Connecting; the next poll tries once and lands on Connected or back on Offline.
namespace NetworkStatus {
enum : int {
    Offline = 0,
    Connecting = 1,
    Connected = 2,
};
}

// The game's one TCP connection to the operator console (the console listens, the game
// connects). Polled once per frame: connects when the menu asks for it, then handles every
// message that has arrived and sends the game's reports. Frames are cut and queued here, with
// limits, so a console can neither make the game buffer without end nor desynchronise the stream
// with a half-sent message. Owned by Game.
class Network {
public:
    explicit Network(Game* game);

    // Connects when asked to (Connecting), or flushes the outgoing queue and drains and handles
    // every complete message (Connected).
    void poll();
    // Blocking connect with a three-second time-out, then non-blocking.
    bool connect();
    // Sends what the socket takes of the queue now, then closes the connection and forgets what
    // was buffered for it; the status stays as it is.
    void disconnect();
    std::string& getAddress();
    int& getStatus();

    void sendInteraction(int value);
    void sendPlayerMoved();
    void sendPlayerLost();
    void sendMonsterPosition();
    void sendObjectPosition(int value);

    // Handles one payload from the console. A payload too short for its message is dropped
    // whole with a line on standard error; an unknown code is dropped silently.
    void dispatch(const std::uint8_t* payload, std::size_t size);

private:
    void handle(const Protocol::UpdateDoor& message);
    void handle(const Protocol::LoadMap& message);
    void handle(const Protocol::SendMonsterPosition& message);
    void handle(const Protocol::ShockMonster& message);
    void handle(const Protocol::SendObjectPosition& message);
    void handle(const Protocol::PowerOn& message);
    void handle(const Protocol::EndOfGame& message);
    // Queues one frame and sends as much of the queue as the socket takes now (while draining,
    // once enough has gathered).
    void send(const Protocol::GameMessage& message);
    void flush();
    // Closes at once, dropping whatever is queued.
    void close();

    Game* game;
    int status;
    int port;
    std::string address;
    sf::TcpSocket socket;
    bool connected;
    // True while poll hands received messages to their handlers.
    bool draining;
    FrameReader reader;
    OutgoingQueue outgoing;
};
