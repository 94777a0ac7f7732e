#pragma once

#include "web/WebMessages.hpp"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/websocket/stream.hpp>

#include <deque>
#include <memory>
#include <string>

class WebServer;

// One page's WebSocket: reads its messages one at a time for the server and writes what it is
// sent in order. A message over 64 KiB, or more than 1 MiB waiting for a page that stopped
// reading, closes this socket and no other.
class WebSocketSession : public std::enable_shared_from_this<WebSocketSession> {
public:
    static constexpr std::size_t maxMessage = 64 * 1024;
    static constexpr std::size_t maxUnsent = 1024 * 1024;

    WebSocketSession(boost::asio::ip::tcp::socket socket, WebServer& server,
                     WebMessages::Role role);

    // Completes the upgrade the request asked for, then reads.
    void accept(boost::beast::http::request<boost::beast::http::string_body> request);
    void send(const std::shared_ptr<const std::string>& text);
    WebMessages::Role getRole() const;
    // Drops the connection now.
    void close();

private:
    void readNext();
    void writeNext();

    boost::beast::websocket::stream<boost::beast::tcp_stream> socket;
    boost::beast::flat_buffer buffer;
    WebServer& server;
    WebMessages::Role role;
    std::deque<std::shared_ptr<const std::string>> outgoing;
    std::size_t unsent;
    bool open;
};
