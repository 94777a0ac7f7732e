#pragma once

#include "web/WebMessages.hpp"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class WebSocketSession;

// The web console's sockets, timers and signals, on the one thread that calls run(): accepts
// HTTP connections, asks its handler how to answer each request, turns the requests it is told
// to into WebSockets, and wakes the handler at a deadline or when a watched descriptor can be
// read. Boost.Asio and Beast are seen by WebTransport.cpp alone; this header stays plain so
// that what uses the transport compiles in a moment.
class WebTransport {
public:
    static constexpr std::size_t maxHeader = 8 * 1024;
    // Requests for files carry no body worth reading.
    static constexpr std::size_t maxBody = 1024;
    // How long accepting waits after a failed accept.
    static constexpr std::chrono::milliseconds acceptRetry{100};

    enum class ListenResult { Listening, PortInUse, Failed };
    // The descriptors awaitNext() may be woken by: the caller's listening socket and its
    // connection.
    enum class Watch { Listener, Connection };

    struct Request {
        // GET or HEAD: the only methods that read.
        bool reads = false;
        // Asks for a WebSocket.
        bool upgrade = false;
        std::string target;
        // The Host header, and the Origin header a browser sends with a page's WebSocket.
        std::string host;
        std::optional<std::string> origin;
        // The sender's IP address.
        std::string address;
    };

    struct Answer {
        unsigned status = 200;
        std::string type;
        std::string body;
        // Further header fields, by name.
        std::vector<std::pair<std::string, std::string>> headers;
        // The connection ends after this answer, whatever the request asked.
        bool close = false;
        // Set: no answer, the request becomes a WebSocket for this role.
        std::optional<WebMessages::Role> socket;
    };

    class Handler {
    public:
        virtual Answer answer(const Request& request) = 0;
        virtual void opened(const std::shared_ptr<WebSocketSession>& session) = 0;
        virtual void received(WebSocketSession& session, const std::string& text) = 0;
        // The deadline of awaitNext() passed or a watched descriptor can be read.
        virtual void woken() = 0;

    protected:
        ~Handler() = default;
    };

    explicit WebTransport(Handler& handler);
    ~WebTransport();
    WebTransport(const WebTransport&) = delete;
    WebTransport& operator=(const WebTransport&) = delete;

    // Every interface when bindAddress is empty; port 0 takes any free one (tests).
    ListenResult listen(const std::string& bindAddress, unsigned short port, std::string& problem);
    unsigned short getPort() const;

    // Serves until SIGINT, SIGTERM or stop(), then stops accepting.
    void run();
    // Safe from any thread.
    void stop();
    // Runs the handlers that are ready, without waiting: for a caller with a loop of its own.
    void runReady();

    // Wakes the handler once, at the first of the period passing or a watched descriptor being
    // readable; each call starts every wait over.
    void awaitNext(std::chrono::milliseconds period);
    // Watches a copy of descriptor, so that its owner may close its own whenever it likes;
    // a negative descriptor only drops the watch.
    void watch(Watch which, int descriptor);
    bool isWatching(Watch which) const;

private:
    struct Impl;
    // Last: its sockets and pending handlers go first.
    std::unique_ptr<Impl> impl;
};
