#include "net/Network.hpp"

#include "core/Game.hpp"
#include "common/LevelFile.hpp"

#include <SFML/Network/IpAddress.hpp>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iostream>

namespace {

// A console that never stops sending must not hold the frame forever: past this many bytes in
// one poll the rest waits for the next frame (about a hundred thousand of the smallest messages).
constexpr std::size_t MaxReceivedPerPoll = 1024 * 1024;
// Replies queued while draining go out once this many bytes are waiting, and at the end.
constexpr std::size_t FlushThreshold = 16384;


}

Network::Network(Game* game)
    : game(game), status(NetworkStatus::Offline), port(Protocol::Port), connected(false),
      draining(false)
{
}

void Network::poll()
{
    if (status == NetworkStatus::Connecting) {
        status = connect() ? NetworkStatus::Connected : NetworkStatus::Offline;
        return;
    }
    if (status != NetworkStatus::Connected || !connected)
        return;

    flush();
    // Receive what has arrived and handle each complete message as soon as it is whole; a
    // handler may close the connection (end of game), after which nothing more is read. The
    // replies are queued meanwhile and go out together after the drain.
    std::array<std::uint8_t, 16384> chunk;
    std::size_t budget = MaxReceivedPerPoll;
    draining = true;
    while (connected && budget > 0) {
        std::size_t received = 0;
        const sf::Socket::Status result = socket.receive(chunk.data(), chunk.size(), received);
        if (result == sf::Socket::Disconnected || result == sf::Socket::Error) {
            close();
            break;
        }
        if (result != sf::Socket::Done)
            break;

        budget -= std::min(received, budget);
        reader.append(chunk.data(), received);
        const std::uint8_t* payload = nullptr;
        std::size_t size = 0;
        while (connected && reader.next(payload, size))
            dispatch(payload, size);
        if (reader.isBroken()) {
            std::cerr << "[NETWORK] closing the connection: the console sent a frame of "
                      << reader.getRefusedLength() << " bytes (at most " << Protocol::MaxPayloadSize
                      << " are accepted)\n";
            disconnect();
        }
    }
    draining = false;
    flush();
}

bool Network::connect()
{
    close();
    socket.setBlocking(true);
    // An empty or unresolvable address must fail here: the library would otherwise connect to
    // 0.0.0.0, which is this machine.
    const sf::IpAddress remote(address);
    if (remote == sf::IpAddress::None)
        return false;
    if (socket.connect(remote, static_cast<unsigned short>(port), sf::seconds(3)) != sf::Socket::Done)
        return false;
    socket.setBlocking(false);
    connected = true;
    return true;
}

void Network::disconnect()
{
    // What is already queued (a reply just before the end of the game) still goes out if the
    // socket takes it now.
    flush();
    close();
}

void Network::close()
{
    socket.disconnect();
    connected = false;
    reader.clear();
    outgoing.clear();
}

std::string& Network::getAddress() { return address; }
int& Network::getStatus() { return status; }

void Network::sendInteraction(int value) { send(Protocol::Interaction{value}); }
void Network::sendPlayerMoved() { send(Protocol::PlayerMoved{}); }
void Network::sendPlayerLost() { send(Protocol::PlayerLost{}); }

void Network::sendMonsterPosition()
{
    Monster& monster = game->getMonster();
    Protocol::MonsterPosition position;
    if (monster.isPresent()) {
        position.column = monster.getPosition().x;
        position.row = monster.getPosition().y;
    }
    send(position);
}

void Network::sendObjectPosition(int value)
{
    const std::pair<int, int> cell = game->getLevel().getObjectCell(value);
    send(Protocol::ObjectPosition{cell.first, cell.second});
}

void Network::dispatch(const std::uint8_t* payload, std::size_t size)
{
    Protocol::ConsoleMessage message;
    const Protocol::DecodeResult result = Protocol::decode(payload, size, message);
    if (result.status == Protocol::DecodeStatus::TooShort) {
        std::cerr << "[NETWORK] dropped a message of " << size << " bytes, too short for ";
        if (size < Protocol::IntSize)
            std::cerr << "its code\n";
        else
            std::cerr << Protocol::consoleMessageName(result.code) << "\n";
        return;
    }
    if (result.status == Protocol::DecodeStatus::Ok)
        std::visit([this](const auto& decoded) { handle(decoded); }, message);
}

void Network::handle(const Protocol::UpdateDoor& message)
{
    std::cout << "updateDoor : " << message.value << "\n";
    game->getLevel().toggleDoor(message.value);
}

void Network::handle(const Protocol::LoadMap& message)
{
    std::cout << "Load map call";
    if (message.map < 0 || message.map >= LevelCount) {
        std::cout.flush();
        std::cerr << "[NETWORK] the console asked for level " << message.map
                  << ", which does not exist (0 to " << LevelCount - 1 << "): quitting\n";
        std::exit(1);
    }
    game->getLevel().load(std::string("data/level/") + LevelFileNames[message.map]);

    for (std::size_t i = 0; i < message.doors.size(); ++i)
        std::cout << "packetDoor" << i << " : " << message.doors[i] << "\n";
    game->getLevel().mapDoors(message.doors);
    game->setState(GameState::StartGame);
}

void Network::handle(const Protocol::SendMonsterPosition&)
{
    std::cout << "Recive order to send monster position\n";
    sendMonsterPosition();
}

void Network::handle(const Protocol::ShockMonster& message)
{
    std::cout << "Recive order to shock monster\n";
    Monster& monster = game->getMonster();
    Sfx& sfx = game->getSfx();
    if (message.reboot) {
        monster.paralyse(Monster::RebootTurns);
        sfx.playReboot();
        if (monster.isPresent())
            sfx.playMonster();
        sfx.playPowerDown();
        sfx.playVoicePowerDown();
        game->getPlayer().setLightState(LightState::Darkening);
    } else {
        monster.paralyse(Monster::ShockTurns);
        sfx.playShock();
        if (monster.isPresent())
            sfx.playMonster();
    }
}

void Network::handle(const Protocol::SendObjectPosition& message)
{
    std::cout << "Recive order to send object " << message.value << " position\n";
    sendObjectPosition(message.value);
}

void Network::handle(const Protocol::PowerOn&)
{
    game->getPlayer().setLightState(LightState::Brightening);
    game->getSfx().playPowerUp();
    game->getSfx().playVoicePowerOn();
}

void Network::handle(const Protocol::EndOfGame& message)
{
    std::cout << "Total : " << message.bills << "\n";
    ScoreEntry& entry = game->getScore().currentEntry();
    entry.setBills(message.bills);
    entry.setCounters(message.counters);
    entry.computeTotal();
    disconnect();
}

void Network::send(const Protocol::GameMessage& message)
{
    // Without a connection the report is lost, as any report the console cannot receive.
    if (!connected)
        return;
    if (!outgoing.push(Protocol::encode(message))) {
        std::cerr << "[NETWORK] closing the connection: the console has stopped reading and "
                  << outgoing.size() << " bytes are waiting for it\n";
        close();
        return;
    }
    if (!draining || outgoing.size() >= FlushThreshold)
        flush();
}

void Network::flush()
{
    while (connected && !outgoing.empty()) {
        std::size_t sent = 0;
        const sf::Socket::Status result = socket.send(outgoing.data(), outgoing.size(), sent);
        outgoing.consume(sent);
        if (result == sf::Socket::Partial || result == sf::Socket::NotReady)
            break;
        if (result != sf::Socket::Done)
            close();
    }
}
