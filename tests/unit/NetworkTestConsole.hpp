#pragma once

#include "net/Protocol.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

// A console reduced to its socket: listens on 127.0.0.1:3000 and reads and writes raw bytes,
// so what the game puts on the wire is checked byte for byte. Used by the network tests and the
// drain benchmark.
class TestConsole {
public:
    explicit TestConsole(int receiveBuffer = 0)
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (receiveBuffer > 0)
            ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(3000);
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        listening = ::bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0
            && ::listen(listener, 4) == 0;
    }

    TestConsole(const TestConsole&) = delete;
    TestConsole& operator=(const TestConsole&) = delete;

    ~TestConsole()
    {
        hangUp();
        ::close(listener);
    }

    bool isListening() const { return listening; }

    bool accept()
    {
        hangUp();
        pollfd waiting{listener, POLLIN, 0};
        if (::poll(&waiting, 1, 5000) != 1)
            return false;
        peer = ::accept(listener, nullptr, nullptr);
        return peer >= 0;
    }

    // Writes everything; while the game's buffers are full, `whileBlocked` lets the game run.
    void write(const Protocol::Bytes& bytes, const std::function<void()>& whileBlocked = {})
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t sent = ::send(peer, bytes.data() + done, bytes.size() - done,
                MSG_NOSIGNAL | (whileBlocked ? MSG_DONTWAIT : 0));
            if (sent > 0)
                done += static_cast<std::size_t>(sent);
            else if (errno == EAGAIN && whileBlocked)
                whileBlocked();
            else
                return;
        }
    }

    // Whatever has arrived, without waiting.
    Protocol::Bytes readAvailable()
    {
        Protocol::Bytes bytes;
        std::uint8_t chunk[65536];
        ssize_t got;
        while ((got = ::recv(peer, chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        return bytes;
    }

    // True once the game has closed its end (or reset it), whatever it sent before.
    bool seesClosed()
    {
        std::uint8_t chunk[65536];
        for (int attempt = 0; attempt < 200; ++attempt) {
            const ssize_t got = ::recv(peer, chunk, sizeof chunk, MSG_DONTWAIT);
            if (got == 0 || (got < 0 && errno != EAGAIN))
                return true;
            if (got < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Sets a kernel buffer size (SO_SNDBUF or SO_RCVBUF) on the game's end of the connection:
    // a small send buffer fills after a few replies, as on a slow link; a large receive buffer
    // takes a whole burst before the game reads it.
    static void setGameBuffer(int option, int size)
    {
        for (int fd = 3; fd < 1024; ++fd) {
            sockaddr_in remote{};
            socklen_t length = sizeof remote;
            if (::getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &length) == 0
                && remote.sin_family == AF_INET && ntohs(remote.sin_port) == 3000) {
                ::setsockopt(fd, SOL_SOCKET, option, &size, sizeof size);
            }
        }
    }

    void hangUp()
    {
        if (peer >= 0)
            ::close(peer);
        peer = -1;
    }

private:
    int listener = -1;
    int peer = -1;
    bool listening = false;
};
