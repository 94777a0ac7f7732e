#pragma once

#include "console/Operator.hpp"
#include "console/SoloOperator.hpp"
#include "console/WebAction.hpp"
#include "console/WebServer.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The operator's front end for web pages: one thread runs the game link's polls and the pages'
// sockets. Each page's action is checked as the window checks its buttons and applied to the
// operator; every event line and every change of state goes out to every page.
class WebConsole : private WebServer::Listener {
public:
    // How often the game link is read: well inside the time a page should take to show a report.
    static constexpr std::chrono::milliseconds pollPeriod{10};
    static constexpr int tokenHexDigits = 32;

    struct Settings {
        // Empty: every interface.
        std::string bindAddress;
        // 0: any free port.
        unsigned short port = 0;
        // Plays the operator's part itself: pages can only watch.
        bool solo = false;
        bool hard = false;
        unsigned seed = 0;
        std::string folder = "data/web";
    };

    WebConsole(Operator& console, const Settings& settings);

    WebServer::ListenResult listen(std::string& problem);
    // "operator: http://ADDR:PORT/#op=<token>" and "watch: ..." for each address the game can
    // reach the console on (solo mode: the watch links only).
    std::vector<std::string> getLinks() const;
    unsigned short getPort() const;
    // Empty for the operator in solo mode.
    const std::string& getToken(WebMessages::Role role) const;

    // Serves and polls until SIGINT, SIGTERM or stop().
    void run();
    // Safe from any thread.
    void stop();

    // Applies one page's message as that role: the error reply, or empty when it was applied.
    std::string act(const std::string& text, WebMessages::Role role);

private:
    void poll();
    void publishState();
    // Why the operator cannot take this action now, empty when it can.
    std::string refusal(const WebAction& action) const;
    bool apply(const WebAction& action);
    void opened(WebSocketSession& session) override;
    void received(WebSocketSession& session, const std::string& text) override;

    // First: the sessions its queue still holds at the end must not outlive it.
    boost::asio::io_context context;
    Operator& console;
    Settings settings;
    std::optional<SoloOperator> solo;
    WebServer server;
    boost::asio::steady_timer timer;
    std::string operatorToken;
    std::string watchToken;
    unsigned long long eventCount;
    unsigned publishedRevision;
};
