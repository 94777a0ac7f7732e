#include "web/WebConsole.hpp"

#include "qr/QrPictures.hpp"
#include "web/WebSocketSession.hpp"

#include <memory>
#include <random>
#include <utility>

namespace {

std::string freshToken()
{
    static const char digits[] = "0123456789abcdef";
    std::random_device source;
    std::string token;
    while (token.size() < WebConsole::tokenHexDigits) {
        std::uint32_t word = source();
        for (int digit = 0; digit < 8; ++digit, word >>= 4)
            token += digits[word & 15u];
    }
    return token;
}

} // namespace

WebConsole::WebConsole(Operator& console, const Settings& settings, Update update)
    : console(console), settings(settings), update(std::move(update)), watchedConnection(-1),
      operatorToken(settings.solo ? std::string() : freshToken()), watchToken(freshToken()),
      eventCount(0), publishedRevision(console.getRevision()), server(*this, settings.folder)
{
    if (!this->update)
        this->update = [&console]() -> const std::vector<std::string>& { return console.update(); };
    server.setTokens(operatorToken, watchToken);
}

WebServer::ListenResult WebConsole::listen(std::string& problem)
{
    return server.listen(settings.bindAddress, settings.port, problem);
}

std::vector<WebConsole::Link> WebConsole::getLinks() const
{
    std::vector<Link> links;
    for (const std::string& address : console.getLink().getHostAddresses()) {
        std::string site = "http://" + address + ":" + std::to_string(getPort()) + "/#";
        if (!operatorToken.empty())
            links.push_back({"operator", site + "op=" + operatorToken});
        links.push_back({"watch", site + "watch=" + watchToken});
    }
    return links;
}

std::vector<std::string> WebConsole::getWatchLinks() const
{
    std::vector<std::string> urls;
    for (const Link& link : getLinks())
        if (link.role == "watch")
            urls.push_back(link.url);
    return urls;
}

unsigned short WebConsole::getPort() const
{
    return server.getPort();
}

const std::string& WebConsole::getToken(WebMessages::Role role) const
{
    return role == WebMessages::Role::Operator ? operatorToken : watchToken;
}

void WebConsole::run()
{
    poll();
    server.run();
}

void WebConsole::stop()
{
    server.stop();
}

std::string WebConsole::act(const std::string& text, WebMessages::Role role)
{
    WebActionReading reading = readWebAction(text);
    std::string problem = reading.problem;
    if (reading.valid && role == WebMessages::Role::Watch)
        problem = WebMessages::watchRefusal;
    else if (reading.valid)
        problem = console.act(reading.action);
    publishState();
    return problem.empty() ? std::string() : WebMessages::error(reading.name, problem);
}

void WebConsole::serveBeside(const std::vector<std::string>& lines)
{
    show(lines);
    server.serveWaiting();
}

void WebConsole::poll()
{
    const std::vector<std::string>& lines = update();
    show(lines);
    awaitNext(!lines.empty());
}

void WebConsole::show(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        auto text = std::make_shared<const std::string>(WebMessages::event(++eventCount, line));
        server.broadcast(text, text);
    }
    publishState();
}

void WebConsole::awaitNext(bool reported)
{
    using Watch = WebTransport::Watch;
    WebTransport& transport = server.getTransport();
    const GameLink& link = console.getLink();
    if (!transport.isWatching(Watch::Listener))
        transport.watch(Watch::Listener, link.getListenerDescriptor());
    // After reports the game is watched afresh: a join or a drop may give the new game the
    // descriptor number of the one before.
    if (reported || link.getConnectionDescriptor() != watchedConnection) {
        watchedConnection = link.getConnectionDescriptor();
        transport.watch(Watch::Connection, watchedConnection);
    }
    transport.awaitNext(pollPeriod);
}

void WebConsole::publishState()
{
    if (console.getRevision() == publishedRevision)
        return;
    publishedRevision = console.getRevision();
    std::shared_ptr<const std::string> texts[2];
    const WebMessages::Role roles[2] = {WebMessages::Role::Operator, WebMessages::Role::Watch};
    for (int i = 0; i < 2; ++i)
        if (server.hasSessions(roles[i]))
            texts[i] = std::make_shared<const std::string>(WebMessages::state(console, roles[i]));
    server.broadcast(texts[0], texts[1]);
}

void WebConsole::opened(WebSocketSession& session)
{
    session.send(
        std::make_shared<const std::string>(WebMessages::state(console, session.getRole())));
    if (session.getRole() != WebMessages::Role::Operator)
        return;
    // The operator's page may hand the watch links on: drawn once, when the first page opens.
    if (!invitation) {
        std::vector<WebMessages::Invitation> invitations;
        for (const std::string& url : getWatchLinks())
            invitations.push_back({url, QrPictures::svg(QrCode(url))});
        invitation = std::make_shared<const std::string>(WebMessages::invite(invitations));
    }
    session.send(invitation);
}

void WebConsole::received(WebSocketSession& session, const std::string& text)
{
    std::string reply = act(text, session.getRole());
    if (!reply.empty())
        session.send(std::make_shared<const std::string>(reply));
}

void WebConsole::woken()
{
    poll();
}
