#pragma once

#include "operator/Operator.hpp"
#include "web/WebAction.hpp"
#include "web/WebServer.hpp"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The operator's front end for web pages: one thread runs the game link and the pages' sockets,
// and reads the game as soon as it has sent something. Each page's action goes to the operator,
// whose rules take or refuse it; every event line and every change of state goes out to every
// page.
class WebConsole : private WebServer::Listener {
public:
    // The game link is also polled this often when nothing arrives: to finish sends the game was
    // slow to take, and for the solo player's timed power-on.
    static constexpr std::chrono::milliseconds pollPeriod{50};
    static constexpr int tokenHexDigits = 32;

    struct Settings {
        // Empty: every interface.
        std::string bindAddress;
        // 0: any free port.
        unsigned short port = 0;
        // The operator's part is played by the console itself: pages can only watch.
        bool solo = false;
        std::string folder = "data/web";
    };

    // What handles the game's reports: by default the operator's own update; in solo mode the
    // solo player's, which acts on them.
    using Update = std::function<const std::vector<std::string>&()>;

    WebConsole(Operator& console, const Settings& settings, Update update = nullptr);

    // A page's address: "operator", "http://ADDR:PORT/#op=<token>".
    struct Link {
        std::string role;
        std::string url;
    };

    WebServer::ListenResult listen(std::string& problem);
    // The operator's and the watch link for each address the game can reach the console on
    // (solo mode: the watch links only).
    std::vector<Link> getLinks() const;
    // The watch links alone, for friends: the ones the page's and the window's invitations show.
    std::vector<std::string> getWatchLinks() const;
    unsigned short getPort() const;
    // Empty for the operator in solo mode.
    const std::string& getToken(WebMessages::Role role) const;

    // Serves and polls until SIGINT, SIGTERM or stop().
    void run();
    // Beside another front end that reads the game (the window): sends the pages the report
    // lines it read and any change of state, then serves what the pages asked meanwhile,
    // without waiting.
    void serveBeside(const std::vector<std::string>& lines);
    // Safe from any thread.
    void stop();

    // Applies one page's message as that role: the error reply, or empty when it was applied.
    std::string act(const std::string& text, WebMessages::Role role);

private:
    void poll();
    // Sends every page the lines and, when it changed, the state.
    void show(const std::vector<std::string>& lines);
    // Wakes poll() at the next report, connection or the period, whichever comes first.
    void awaitNext(bool reported);
    void publishState();
    void opened(WebSocketSession& session) override;
    void received(WebSocketSession& session, const std::string& text) override;
    void woken() override;

    Operator& console;
    Settings settings;
    Update update;
    // The game's connection that the transport watches a copy of.
    int watchedConnection;
    std::string operatorToken;
    std::string watchToken;
    unsigned long long eventCount;
    unsigned publishedRevision;
    // The watch links with their QR codes, for operators' pages; made at the first one's opening.
    std::shared_ptr<const std::string> invitation;
    // Last: the sessions its transport still holds at the end go before the rest.
    WebServer server;
};
