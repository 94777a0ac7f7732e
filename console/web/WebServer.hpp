#pragma once

#include "web/WebGuard.hpp"
#include "web/WebMessages.hpp"
#include "web/WebTransport.hpp"

#include <list>
#include <memory>
#include <optional>
#include <string>

// The web console's server: the page's files from one folder, the token check and the open
// WebSockets, over the transport's sockets. What the pages say goes to the listener; what they
// are sent comes from it. Knows nothing of the operator.
class WebServer : private WebTransport::Handler {
public:
    using ListenResult = WebTransport::ListenResult;

    class Listener {
    public:
        virtual void opened(WebSocketSession& session) = 0;
        virtual void received(WebSocketSession& session, const std::string& text) = 0;
        // The transport's awaitNext() came due.
        virtual void woken() = 0;

    protected:
        ~Listener() = default;
    };

    WebServer(Listener& listener, std::string folder);

    ListenResult listen(const std::string& bindAddress, unsigned short port, std::string& problem);
    unsigned short getPort() const;
    // An empty token is never accepted (solo mode has no operator token).
    void setTokens(std::string operatorToken, std::string watchToken);
    // For the listener's own wake-ups.
    WebTransport& getTransport();

    // Serves until SIGINT, SIGTERM or stop(), then drops every WebSocket.
    void run();
    // Safe from any thread.
    void stop();
    // Runs what is ready on the sockets, without waiting.
    void serveWaiting();

    // Queues a text to every open WebSocket, by its role; a null text skips that role.
    void broadcast(const std::shared_ptr<const std::string>& forOperator,
                   const std::shared_ptr<const std::string>& forWatch);
    bool hasSessions(WebMessages::Role role);

private:
    // The role a WebSocket target ("/ws?token=...") grants, none for a wrong token.
    std::optional<WebMessages::Role> roleOf(const std::string& target) const;
    // data/web/<path> for "/<path>" ("/" is index.html); empty when the target is no plain
    // path inside the folder.
    std::string filePath(const std::string& target) const;
    // A file of the folder, 404 or 405; a WebSocket, or the guard's refusal of it. Every answer
    // carries the page's protections.
    WebTransport::Answer answer(const WebTransport::Request& request) override;
    WebTransport::Answer fileAnswer(const WebTransport::Request& request) const;
    WebTransport::Answer socketAnswer(const WebTransport::Request& request);
    void opened(const std::shared_ptr<WebSocketSession>& session) override;
    void received(WebSocketSession& session, const std::string& text) override;
    void woken() override;

    Listener& listener;
    std::string folder;
    std::string operatorToken;
    std::string watchToken;
    std::list<std::weak_ptr<WebSocketSession>> sessions;
    WebGuard guard;
    // Last: its sockets and pending handlers go first.
    WebTransport transport;
};
