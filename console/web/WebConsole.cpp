#include "web/WebConsole.hpp"

#include "web/WebSocketSession.hpp"

#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <random>
#include <unistd.h>
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

// Watches a copy of descriptor, so that the link may close its own whenever it likes.
void watchCopy(boost::asio::posix::stream_descriptor& watch, int descriptor)
{
    int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return;
    boost::system::error_code error;
    watch.assign(copy, error);
    if (error)
        ::close(copy);
}

} // namespace

WebConsole::WebConsole(Operator& console, const Settings& settings, Update update)
    : console(console), settings(settings), update(std::move(update)),
      server(context, *this, settings.folder), timer(context), listenerWatch(context),
      connectionWatch(context), watchedConnection(-1),
      operatorToken(settings.solo ? std::string() : freshToken()), watchToken(freshToken()),
      eventCount(0), publishedRevision(console.getRevision())
{
    if (!this->update)
        this->update = [&console]() -> const std::vector<std::string>& { return console.update(); };
    server.setTokens(operatorToken, watchToken);
}

WebServer::ListenResult WebConsole::listen(std::string& problem)
{
    return server.listen(settings.bindAddress, settings.port, problem);
}

std::vector<std::string> WebConsole::getLinks() const
{
    std::vector<std::string> links;
    for (const std::string& address : console.getLink().getHostAddresses()) {
        std::string site = "http://" + address + ":" + std::to_string(getPort()) + "/#";
        if (!operatorToken.empty())
            links.push_back("operator: " + site + "op=" + operatorToken);
        links.push_back("watch: " + site + "watch=" + watchToken);
    }
    return links;
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
    boost::asio::signal_set signals(context, SIGINT, SIGTERM);
    signals.async_wait([this](const boost::system::error_code& error, int) {
        if (!error)
            context.stop();
    });
    poll();
    context.run();
    server.close();
}

void WebConsole::stop()
{
    context.stop();
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

void WebConsole::poll()
{
    const std::vector<std::string>& lines = update();
    for (const std::string& line : lines) {
        auto text = std::make_shared<const std::string>(WebMessages::event(++eventCount, line));
        server.broadcast(text, text);
    }
    publishState();
    awaitNext(!lines.empty());
}

void WebConsole::awaitNext(bool reported)
{
    auto woken = [this](const boost::system::error_code& error) {
        if (!error)
            poll();
    };
    // Whatever woke this poll, the other waits start over: one of each is ever pending.
    timer.expires_after(pollPeriod);
    timer.async_wait(woken);
    boost::system::error_code ignored;
    const GameLink& link = console.getLink();
    if (!listenerWatch.is_open() && link.getListenerDescriptor() >= 0)
        watchCopy(listenerWatch, link.getListenerDescriptor());
    // After reports the game is watched afresh: a join or a drop may give the new game the
    // descriptor number of the one before.
    if (reported || link.getConnectionDescriptor() != watchedConnection) {
        connectionWatch.close(ignored);
        watchedConnection = link.getConnectionDescriptor();
        if (watchedConnection >= 0)
            watchCopy(connectionWatch, watchedConnection);
    }
    for (boost::asio::posix::stream_descriptor* watch : {&listenerWatch, &connectionWatch}) {
        if (!watch->is_open())
            continue;
        watch->cancel(ignored);
        watch->async_wait(boost::asio::posix::stream_descriptor::wait_read, woken);
    }
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
}

void WebConsole::received(WebSocketSession& session, const std::string& text)
{
    std::string reply = act(text, session.getRole());
    if (!reply.empty())
        session.send(std::make_shared<const std::string>(reply));
}
