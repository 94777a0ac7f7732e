#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// One end of a TCP connection on 127.0.0.1 that writes and reads raw bytes: the game against a
// console (connectTo) or a console against the game (listenOn, then accept).
class RawPeer {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Milliseconds = std::chrono::milliseconds;

    // receiveBuffer > 0 shrinks our receive window, so the other side's sends go out in part.
    static RawPeer connectTo(unsigned short port, int receiveBuffer = 0)
    {
        return open(port, receiveBuffer, false);
    }
    // A listening end whose accepted peers inherit receiveBuffer; unconnected when the port is
    // taken.
    static RawPeer listenOn(unsigned short port, int receiveBuffer = 0)
    {
        return open(port, receiveBuffer, true);
    }

    // The next connection to a listening end, waiting for one if none has come yet.
    RawPeer accept() { return RawPeer(::accept(fd, nullptr, nullptr)); }

    explicit RawPeer(int fd = -1) : fd(fd) {}
    RawPeer(RawPeer&& other) noexcept { *this = std::move(other); }
    RawPeer& operator=(RawPeer&& other) noexcept
    {
        std::swap(fd, other.fd);
        std::swap(ended, other.ended);
        std::swap(buffer, other.buffer);
        return *this;
    }
    ~RawPeer() { hangUp(); }

    bool isConnected() const { return fd >= 0; }
    void hangUp()
    {
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
    }

    // Big-endian 32-bit integers, the wire's order.
    static Bytes ints(std::initializer_list<std::int32_t> values)
    {
        Bytes bytes;
        for (const std::int32_t value : values)
            for (int shift = 24; shift >= 0; shift -= 8)
                bytes.push_back(
                    static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
        return bytes;
    }
    static Bytes frame(const Bytes& payload)
    {
        Bytes bytes = ints({static_cast<std::int32_t>(payload.size())});
        bytes.insert(bytes.end(), payload.begin(), payload.end());
        return bytes;
    }
    static Bytes payloadOf(const Bytes& frame) { return Bytes(frame.begin() + 4, frame.end()); }

    // Writes everything; while the other side is full, `whileBlocked` runs (to let a
    // single-threaded peer read) where a plain send would block.
    void send(const Bytes& bytes, const std::function<void()>& whileBlocked = {})
    {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t sent = ::send(fd, bytes.data() + done, bytes.size() - done,
                                        MSG_NOSIGNAL | (whileBlocked ? MSG_DONTWAIT : 0));
            if (sent > 0)
                done += static_cast<std::size_t>(sent);
            else if (sent < 0 && errno == EAGAIN && whileBlocked)
                whileBlocked();
            else
                return;
        }
    }
    void sendFrame(const Bytes& payload) { send(frame(payload)); }

    // The next payload, or an empty one when no whole frame came in time.
    Bytes readPayload(Milliseconds timeout = std::chrono::seconds(5))
    {
        const auto deadline = Clock::now() + timeout;
        while (buffer.size() < 4 || buffer.size() < 4 + lengthAhead())
            if (!receive(deadline))
                return {};
        const auto end = buffer.begin() + 4 + static_cast<std::ptrdiff_t>(lengthAhead());
        const Bytes payload(buffer.begin() + 4, end);
        buffer.erase(buffer.begin(), end);
        return payload;
    }

    // True once the other side has closed or reset its end, whatever it sent before.
    bool closed(Milliseconds timeout = std::chrono::seconds(2))
    {
        const auto deadline = Clock::now() + timeout;
        while (receive(deadline)) {
        }
        return ended;
    }

    // Bytes sent that the other side's system has not taken in yet.
    int unacknowledged() const
    {
        int count = 0;
        return ::ioctl(fd, TIOCOUTQ, &count) == 0 ? count : -1;
    }

    // Whatever has arrived, without waiting.
    Bytes readAvailable()
    {
        closed(Milliseconds(0));
        return std::exchange(buffer, {});
    }

    // Sets a kernel buffer size (SO_SNDBUF or SO_RCVBUF) on this process's sockets connected to
    // the port: the far end of a connection the test made, as a slow link would.
    static void setBufferOfConnectionsTo(unsigned short port, int option, int size)
    {
        for (int other = 3; other < 1024; ++other) {
            sockaddr_in remote{};
            socklen_t length = sizeof remote;
            if (::getpeername(other, reinterpret_cast<sockaddr*>(&remote), &length) == 0 &&
                remote.sin_family == AF_INET && ntohs(remote.sin_port) == port)
                ::setsockopt(other, SOL_SOCKET, option, &size, sizeof size);
        }
    }

private:
    using Clock = std::chrono::steady_clock;

    // A socket on 127.0.0.1:port, connected to it or listening there; unconnected on failure.
    static RawPeer open(unsigned short port, int receiveBuffer, bool listening)
    {
        RawPeer peer(::socket(AF_INET, SOCK_STREAM, 0));
        const int yes = 1;
        ::setsockopt(peer.fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (receiveBuffer > 0)
            ::setsockopt(peer.fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const auto* at = reinterpret_cast<const sockaddr*>(&address);
        if (listening ? ::bind(peer.fd, at, sizeof address) != 0 || ::listen(peer.fd, 4) != 0
                      : ::connect(peer.fd, at, sizeof address) != 0)
            peer.hangUp();
        return peer;
    }

    std::size_t lengthAhead() const
    {
        return std::size_t{buffer[0]} << 24 | std::size_t{buffer[1]} << 16 |
               std::size_t{buffer[2]} << 8 | buffer[3];
    }

    // Waits until the deadline for bytes; false when none came or the stream has ended.
    bool receive(Clock::time_point deadline)
    {
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
        pollfd watched{fd, POLLIN, 0};
        if (ended ||
            ::poll(&watched, 1, static_cast<int>(std::max<long long>(left.count(), 0))) <= 0)
            return false;
        std::uint8_t chunk[65536];
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got > 0)
            buffer.insert(buffer.end(), chunk, chunk + got);
        ended = got == 0 || (got < 0 && errno != EAGAIN);
        return !ended;
    }

    int fd = -1;
    bool ended = false;
    Bytes buffer;
};
