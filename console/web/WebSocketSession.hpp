#pragma once

#include "web/WebMessages.hpp"

#include <cstddef>
#include <memory>
#include <string>

// One page's WebSocket, as the server and the console see it: what the page says arrives as
// its role, and what it is sent goes out in order. The transport implements it. A message over
// 64 KiB, or more than 1 MiB waiting for a page that stopped reading, closes this socket and no
// other.
class WebSocketSession {
public:
    static constexpr std::size_t maxMessage = 64 * 1024;
    static constexpr std::size_t maxUnsent = 1024 * 1024;

    virtual ~WebSocketSession() = default;

    virtual void send(const std::shared_ptr<const std::string>& text) = 0;
    virtual WebMessages::Role getRole() const = 0;
    // The page's IP address.
    virtual const std::string& getAddress() const = 0;
    // Drops the connection now.
    virtual void close() = 0;
};
