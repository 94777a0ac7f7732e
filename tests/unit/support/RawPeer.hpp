#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
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

// One end of a TCP connection on 127.0.0.1 that writes and reads raw bytes, so a test sees the
// exact bytes on the wire and can send bytes no well-behaved peer would. It stands in for the
// game against a console (connect) or for a console against the game (RawListener::accept).
class RawPeer {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Milliseconds = std::chrono::milliseconds;

    // Connects to 127.0.0.1:port. receiveBuffer > 0 shrinks our receive window, so the other
    // side's sends go out in part.
    static RawPeer connectTo(unsigned short port, int receiveBuffer = 0)
    {
        RawPeer peer(::socket(AF_INET, SOCK_STREAM, 0));
        if (receiveBuffer > 0)
            ::setsockopt(peer.descriptor, SOL_SOCKET, SO_RCVBUF, &receiveBuffer,
                         sizeof receiveBuffer);
        const sockaddr_in address = loopback(port);
        if (::connect(peer.descriptor, reinterpret_cast<const sockaddr*>(&address),
                      sizeof address) != 0)
            peer.hangUp();
        return peer;
    }

    explicit RawPeer(int descriptor = -1) : descriptor(descriptor) {}
    RawPeer(RawPeer&& other) noexcept { *this = std::move(other); }
    RawPeer& operator=(RawPeer&& other) noexcept
    {
        hangUp();
        std::swap(descriptor, other.descriptor);
        ended = std::exchange(other.ended, false);
        buffer = std::move(other.buffer);
        return *this;
    }
    ~RawPeer() { hangUp(); }

    bool isConnected() const { return descriptor >= 0; }

    // Big-endian 32-bit integers, the wire's order.
    static Bytes ints(std::initializer_list<std::int32_t> values)
    {
        Bytes bytes;
        for (std::int32_t value : values) {
            const auto raw = static_cast<std::uint32_t>(value);
            for (int shift = 24; shift >= 0; shift -= 8)
                bytes.push_back(static_cast<std::uint8_t>(raw >> shift));
        }
        return bytes;
    }

    // The payload behind its 4-byte length.
    static Bytes frame(const Bytes& payload)
    {
        Bytes bytes = ints({static_cast<std::int32_t>(payload.size())});
        bytes.insert(bytes.end(), payload.begin(), payload.end());
        return bytes;
    }

    // A frame's payload, without its length.
    static Bytes payloadOf(const Bytes& frame)
    {
        return Bytes(frame.begin() + HeaderSize, frame.end());
    }

    // Writes everything. While the other side's buffers are full, `whileBlocked` runs (to let a
    // single-threaded peer read); without it the write blocks.
    void send(const Bytes& bytes, const std::function<void()>& whileBlocked = {})
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t sent = ::send(descriptor, bytes.data() + done, bytes.size() - done,
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

    // The next payload, or an empty one when no whole frame came in time or the other side
    // closed (closed() tells which). Timeout zero takes only what has already arrived.
    Bytes readPayload(Milliseconds timeout = std::chrono::seconds(5))
    {
        const auto deadline = Clock::now() + timeout;
        if (!fill(HeaderSize, deadline))
            return {};
        std::size_t length = 0;
        for (std::size_t i = 0; i < HeaderSize; ++i)
            length = (length << 8) | buffer[i];
        if (!fill(HeaderSize + length, deadline))
            return {};
        Bytes payload = take(HeaderSize + length);
        payload.erase(payload.begin(), payload.begin() + HeaderSize);
        return payload;
    }

    // Whatever has arrived, without waiting.
    Bytes readAvailable()
    {
        while (receiveSome(Clock::now())) {
        }
        return take(buffer.size());
    }

    // True once the other side has closed or reset its end, whatever it sent before.
    bool closed(Milliseconds timeout = std::chrono::seconds(2))
    {
        const auto deadline = Clock::now() + timeout;
        while (!ended)
            if (!receiveSome(deadline))
                return false;
        return true;
    }

    void hangUp()
    {
        if (descriptor >= 0)
            ::close(descriptor);
        descriptor = -1;
    }

    // Sets a kernel buffer size (SO_SNDBUF or SO_RCVBUF) on every socket of this process that is
    // connected to the port: the far end of a connection a test made, as a slow link would.
    static void setBufferOfConnectionsTo(unsigned short port, int option, int size)
    {
        for (int fd = 3; fd < 1024; ++fd) {
            sockaddr_in remote{};
            socklen_t length = sizeof remote;
            if (::getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &length) == 0 &&
                remote.sin_family == AF_INET && ntohs(remote.sin_port) == port)
                ::setsockopt(fd, SOL_SOCKET, option, &size, sizeof size);
        }
    }

    static sockaddr_in loopback(unsigned short port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t HeaderSize = 4;

    // The first `count` bytes received, removed from the buffer.
    Bytes take(std::size_t count)
    {
        const auto end = buffer.begin() + static_cast<std::ptrdiff_t>(count);
        Bytes taken(buffer.begin(), end);
        buffer.erase(buffer.begin(), end);
        return taken;
    }

    bool fill(std::size_t count, Clock::time_point deadline)
    {
        while (buffer.size() < count)
            if (!receiveSome(deadline))
                return false;
        return true;
    }

    // Waits until the deadline for bytes or the end of the stream; false when neither came.
    bool receiveSome(Clock::time_point deadline)
    {
        if (ended || descriptor < 0)
            return false;
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
        pollfd watched{descriptor, POLLIN, 0};
        if (::poll(&watched, 1, static_cast<int>(std::max<long long>(left, 0))) <= 0)
            return false;
        std::uint8_t chunk[65536];
        const ssize_t got = ::recv(descriptor, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && errno == EAGAIN)
            return true;
        if (got <= 0)
            ended = true;
        else
            buffer.insert(buffer.end(), chunk, chunk + got);
        return true;
    }

    int descriptor = -1;
    bool ended = false;
    Bytes buffer;
};

// Listens on 127.0.0.1:port for the connections a test expects.
class RawListener {
public:
    // receiveBuffer > 0 is inherited by the peers accepted.
    explicit RawListener(unsigned short port, int receiveBuffer = 0)
        : descriptor(::socket(AF_INET, SOCK_STREAM, 0))
    {
        const int yes = 1;
        ::setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (receiveBuffer > 0)
            ::setsockopt(descriptor, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        const sockaddr_in address = RawPeer::loopback(port);
        listening =
            ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(descriptor, 4) == 0;
    }
    RawListener(const RawListener&) = delete;
    RawListener& operator=(const RawListener&) = delete;
    ~RawListener() { ::close(descriptor); }

    bool isListening() const { return listening; }

    // The next connection, or an unconnected peer when none came in time.
    RawPeer accept(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        pollfd waiting{descriptor, POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(timeout.count())) != 1)
            return RawPeer();
        return RawPeer(::accept(descriptor, nullptr, nullptr));
    }

private:
    int descriptor;
    bool listening = false;
};
