#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>

#include <memory>
#include <optional>

class WebServer;

// One HTTP connection to the web console: serves the page's files, answers requests it cannot
// serve with 404 (403 for a WebSocket without a valid token), and hands a valid WebSocket
// upgrade over to a WebSocketSession. Lives as long as an operation on it is pending.
class WebHttpSession : public std::enable_shared_from_this<WebHttpSession> {
public:
    static constexpr std::size_t maxHeader = 8 * 1024;
    // Requests for files carry no body worth reading.
    static constexpr std::size_t maxBody = 1024;

    WebHttpSession(boost::asio::ip::tcp::socket socket, WebServer& server);

    void start();

private:
    void readRequest();
    void handle();
    void respond(boost::beast::http::status status, std::string body, const char* type);

    boost::beast::tcp_stream stream;
    boost::beast::flat_buffer buffer;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> parser;
    boost::beast::http::response<boost::beast::http::string_body> response;
    WebServer& server;
};
