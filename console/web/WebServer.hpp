#pragma once

#include "web/WebMessages.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <list>
#include <memory>
#include <optional>
#include <string>

class WebSocketSession;

// The web console's network side on one io_context: the listening socket, the page's files
// from one folder, the token check and the open WebSockets. What the pages say goes to the
// listener; what they are sent comes from it. Knows nothing of the operator.
class WebServer {
public:
    // How long accepting waits after a failed accept.
    static constexpr std::chrono::milliseconds acceptRetry{100};

    enum class ListenResult { Listening, PortInUse, Failed };

    class Listener {
    public:
        virtual void opened(WebSocketSession& session) = 0;
        virtual void received(WebSocketSession& session, const std::string& text) = 0;

    protected:
        ~Listener() = default;
    };

    WebServer(boost::asio::io_context& context, Listener& listener, std::string folder);

    // Every interface when bindAddress is empty; port 0 takes any free one (tests).
    ListenResult listen(const std::string& bindAddress, unsigned short port, std::string& problem);
    unsigned short getPort() const;
    // An empty token is never accepted (solo mode has no operator token).
    void setTokens(std::string operatorToken, std::string watchToken);

    // Queues a text to every open WebSocket, by its role; a null text skips that role.
    void broadcast(const std::shared_ptr<const std::string>& forOperator,
                   const std::shared_ptr<const std::string>& forWatch);
    bool hasSessions(WebMessages::Role role);
    // Stops accepting and drops every WebSocket.
    void close();

    // For the sessions: the role a WebSocket target ("/ws?token=...") grants, none for a wrong
    // token; whether a target is the WebSocket endpoint at all; the file a target names.
    std::optional<WebMessages::Role> roleOf(const std::string& target) const;
    static bool isSocketTarget(const std::string& target);
    // data/web/<path> for "/<path>" ("/" is index.html); empty when the target is no plain
    // path inside the folder.
    std::string filePath(const std::string& target) const;
    void opened(const std::shared_ptr<WebSocketSession>& session);
    void received(WebSocketSession& session, const std::string& text);

private:
    void acceptNext();

    boost::asio::io_context& context;
    Listener& listener;
    std::string folder;
    boost::asio::ip::tcp::acceptor acceptor;
    boost::asio::steady_timer acceptPause;
    unsigned short port;
    std::string operatorToken;
    std::string watchToken;
    std::list<std::weak_ptr<WebSocketSession>> sessions;
};
