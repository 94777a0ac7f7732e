#pragma once

#include <SFML/Network/TcpSocket.hpp>

#include <string>

class Game;

// The game's one TCP connection to the operator console (the console listens, the game
// connects). Polled once per frame; sends the game's reports. Owned by Game.
class Network {
public:
    explicit Network(Game* game);

    // Connects when asked to (status 1), or drains and handles every complete message (status 2).
    void poll();
    // Blocking connect with a three-second time-out, then non-blocking.
    bool connect();
    void disconnect();
    std::string& getAddress();
    int& getStatus();

    void sendInteraction(int value);
    void sendPlayerMoved();
    void sendPlayerLost();
    void sendMonsterPosition();
    void sendObjectPosition(int value);

private:
    Game* game;
    int status;
    int port;
    std::string address;
    sf::TcpSocket socket;
};
