#include "operator/GameLink.hpp"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void makeNonBlocking(int descriptor)
{
    int flags = fcntl(descriptor, F_GETFL, 0);
    fcntl(descriptor, F_SETFL, flags | O_NONBLOCK);
}

std::string addressText(const in_addr& address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

// A dotted IPv4 address, or a host name resolved to its first IPv4 address.
bool resolve(const std::string& name, in_addr& address)
{
    if (inet_pton(AF_INET, name.c_str(), &address) == 1)
        return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

// A non-blocking call that found nothing to do yet, or was interrupted: the link is fine.
bool isTransient(ssize_t count)
{
    return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
}

} // namespace

GameLink::GameLink() : listener(-1), connection(-1) {}

GameLink::~GameLink()
{
    if (connection >= 0)
        close(connection);
    if (listener >= 0)
        close(listener);
}

GameLink::ListenResult GameLink::listen(const std::string& bindAddress, std::string& problem)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Protocol::Port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (!bindAddress.empty() && !resolve(bindAddress, address.sin_addr)) {
        problem = "cannot listen on " + bindAddress + ": not an IPv4 address or a known host name";
        return ListenResult::Failed;
    }

    listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        problem = std::string("cannot open a socket: ") + std::strerror(errno);
        return ListenResult::Failed;
    }
    // A game connection the console closed lingers in TIME_WAIT for a minute; it must not keep
    // a restarted console off its port.
    int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 4) != 0) {
        int error = errno;
        const std::string port = std::to_string(Protocol::Port);
        close(listener);
        listener = -1;
        if (error == EADDRINUSE) {
            problem = "port " + port + " is in use: is another console running?";
            return ListenResult::PortInUse;
        }
        problem = "cannot listen on " +
                  (bindAddress.empty() ? "port " + port : bindAddress + ":" + port) + ": " +
                  std::strerror(error);
        return ListenResult::Failed;
    }
    makeNonBlocking(listener);
    if (!bindAddress.empty())
        boundAddress = addressText(address.sin_addr);
    return ListenResult::Listening;
}

std::vector<std::string> GameLink::getHostAddresses() const
{
    if (!boundAddress.empty())
        return {boundAddress};
    std::vector<std::string> addresses;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) == 0) {
        for (ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
            if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET)
                continue;
            std::string text =
                addressText(reinterpret_cast<sockaddr_in*>(entry->ifa_addr)->sin_addr);
            if (text.compare(0, 4, "127.") != 0)
                addresses.push_back(text);
        }
        freeifaddrs(interfaces);
    }
    addresses.push_back("127.0.0.1");
    return addresses;
}

void GameLink::poll(std::vector<LinkEvent>& events)
{
    // The live game first: a game that left and came straight back must find its old
    // connection already gone, not be turned away as a second game.
    if (connection >= 0)
        flush(events);
    if (connection >= 0)
        receive(events);
    acceptPending(events);
}

bool GameLink::send(const Protocol::ConsoleMessage& message, std::vector<LinkEvent>& events)
{
    if (connection < 0)
        return false;
    if (!outgoing.push(Protocol::encode(message))) {
        drop("the game stopped reading", events);
        return false;
    }
    flush(events);
    return connection >= 0;
}

bool GameLink::isConnected() const
{
    return connection >= 0;
}
const std::string& GameLink::getPeer() const
{
    return peer;
}
int GameLink::getListenerDescriptor() const
{
    return listener;
}
int GameLink::getConnectionDescriptor() const
{
    return connection;
}

void GameLink::disconnect()
{
    if (connection >= 0)
        close(connection);
    connection = -1;
    reader.clear();
    outgoing.clear();
}

void GameLink::acceptPending(std::vector<LinkEvent>& events)
{
    if (listener < 0)
        return;
    for (;;) {
        sockaddr_in address{};
        socklen_t length = sizeof address;
        int accepted = accept4(listener, reinterpret_cast<sockaddr*>(&address), &length,
                               SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (accepted < 0)
            return;
        LinkEvent event;
        event.text = addressText(address.sin_addr);
        if (connection >= 0) {
            // One game at a time: the newcomer is told so by a closed connection.
            close(accepted);
            event.kind = LinkEvent::Kind::Refused;
        } else {
            int yes = 1;
            setsockopt(accepted, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
            connection = accepted;
            peer = event.text;
            reader.clear();
            outgoing.clear();
            event.kind = LinkEvent::Kind::Joined;
        }
        events.push_back(event);
    }
}

void GameLink::receive(std::vector<LinkEvent>& events)
{
    std::uint8_t chunk[4096];
    std::size_t total = 0;
    while (connection >= 0 && total < readBudget) {
        ssize_t count = recv(connection, chunk, sizeof chunk, 0);
        if (count > 0) {
            total += static_cast<std::size_t>(count);
            reader.append(chunk, static_cast<std::size_t>(count));
            decodeFrames(events);
            continue;
        }
        if (isTransient(count))
            return;
        hangUp(events);
        return;
    }
}

void GameLink::decodeFrames(std::vector<LinkEvent>& events)
{
    const std::uint8_t* payload = nullptr;
    std::size_t size = 0;
    while (connection >= 0 && reader.next(payload, size)) {
        LinkEvent event;
        Protocol::DecodeResult result = Protocol::decode(payload, size, event.message);
        if (result.status == Protocol::DecodeStatus::Ok) {
            events.push_back(event);
        } else if (result.status == Protocol::DecodeStatus::UnknownCode) {
            event.kind = LinkEvent::Kind::Unknown;
            event.text = "unknown message code " + std::to_string(result.code) + " skipped";
            events.push_back(event);
        } else {
            std::string what =
                size < Protocol::IntSize ? "a message of " + std::to_string(size) + " bytes has no code"
                         : std::string("a ") + Protocol::gameMessageName(result.code) +
                               " message of " + std::to_string(size) + " bytes is too short";
            drop(what, events);
        }
    }
    if (connection >= 0 && reader.isBroken())
        drop("a frame of " + std::to_string(reader.getRefusedLength()) + " bytes is over the limit",
             events);
}

void GameLink::flush(std::vector<LinkEvent>& events)
{
    while (connection >= 0 && !outgoing.empty()) {
        ssize_t count = ::send(connection, outgoing.data(), outgoing.size(), MSG_NOSIGNAL);
        if (count > 0) {
            outgoing.consume(static_cast<std::size_t>(count));
            continue;
        }
        if (isTransient(count))
            return;
        hangUp(events);
    }
}

void GameLink::hangUp(std::vector<LinkEvent>& events)
{
    disconnect();
    LinkEvent event;
    event.kind = LinkEvent::Kind::Disconnected;
    events.push_back(event);
}

void GameLink::drop(const std::string& reason, std::vector<LinkEvent>& events)
{
    disconnect();
    LinkEvent event;
    event.kind = LinkEvent::Kind::Dropped;
    event.text = reason;
    events.push_back(event);
}
