#include "net/Network.hpp"

Network::Network(Game* game) : game(game), status(0), port(3000) {}

void Network::poll() {}
bool Network::connect() { return false; }
void Network::disconnect() { socket.disconnect(); }
std::string& Network::getAddress() { return address; }
int& Network::getStatus() { return status; }
void Network::sendInteraction(int) {}
void Network::sendPlayerMoved() {}
void Network::sendPlayerLost() {}
void Network::sendMonsterPosition() {}
void Network::sendObjectPosition(int) {}
