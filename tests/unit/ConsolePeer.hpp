#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A raw stand-in for the game in the console's tests: a blocking TCP client on
// 127.0.0.1:3000 that writes and reads frames byte by byte.
class ConsolePeer {
public:
    // receiveBuffer > 0 shrinks the socket's receive window (to make the console's sends partial).
    explicit ConsolePeer(int receiveBuffer = 0) : descriptor(socket(AF_INET, SOCK_STREAM, 0))
    {
        if (receiveBuffer > 0)
            setsockopt(descriptor, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(3000);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected = connect(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~ConsolePeer() { close(descriptor); }
    ConsolePeer(const ConsolePeer&) = delete;
    ConsolePeer& operator=(const ConsolePeer&) = delete;

    bool isConnected() const { return connected; }

    static std::vector<std::uint8_t> ints(std::initializer_list<std::int32_t> values)
    {
        std::vector<std::uint8_t> bytes;
        for (std::int32_t value : values) {
            std::uint32_t raw = static_cast<std::uint32_t>(value);
            for (int shift = 24; shift >= 0; shift -= 8)
                bytes.push_back(static_cast<std::uint8_t>(raw >> shift));
        }
        return bytes;
    }

    static std::vector<std::uint8_t> frame(const std::vector<std::uint8_t>& payload)
    {
        std::vector<std::uint8_t> bytes = ints({static_cast<std::int32_t>(payload.size())});
        bytes.insert(bytes.end(), payload.begin(), payload.end());
        return bytes;
    }

    void sendBytes(const std::vector<std::uint8_t>& bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t count = send(descriptor, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (count <= 0)
                return;
            done += static_cast<std::size_t>(count);
        }
    }

    // The next payload, or an empty vector when nothing came within the time or the console
    // closed the connection (closed() tells which).
    std::vector<std::uint8_t> readPayload(int milliseconds = 5000)
    {
        if (!readExactly(4, milliseconds))
            return {};
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length = (length << 8) | buffer[static_cast<std::size_t>(i)];
        buffer.erase(buffer.begin(), buffer.begin() + 4);
        if (!readExactly(length, milliseconds))
            return {};
        std::vector<std::uint8_t> payload(buffer.begin(), buffer.begin() + length);
        buffer.erase(buffer.begin(), buffer.begin() + length);
        return payload;
    }

    // True once the console has closed its end.
    bool closed(int milliseconds = 2000)
    {
        readExactly(buffer.size() + 1, milliseconds);
        return ended;
    }

private:
    bool readExactly(std::size_t count, int milliseconds)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (buffer.size() < count && !ended) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd watched{descriptor, POLLIN, 0};
            if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0)
                return false;
            std::uint8_t chunk[65536];
            ssize_t got = recv(descriptor, chunk, sizeof chunk, 0);
            if (got <= 0)
                ended = true;
            else
                buffer.insert(buffer.end(), chunk, chunk + got);
        }
        return buffer.size() >= count;
    }

    int descriptor;
    bool connected = false;
    bool ended = false;
    std::vector<std::uint8_t> buffer;
};
