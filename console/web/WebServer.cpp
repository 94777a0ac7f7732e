#include "web/WebServer.hpp"

#include "web/WebHttpSession.hpp"
#include "web/WebSocketSession.hpp"

#include <boost/asio/ip/address.hpp>

namespace {

// The part after "?" of a target, split at "&", the value of one key.
std::string queryValue(const std::string& target, const std::string& key)
{
    std::size_t start = target.find('?');
    while (start != std::string::npos) {
        ++start;
        std::size_t end = target.find('&', start);
        std::string pair = target.substr(start, end == std::string::npos ? end : end - start);
        if (pair.compare(0, key.size() + 1, key + "=") == 0)
            return pair.substr(key.size() + 1);
        start = end;
    }
    return "";
}

// Compares in time that does not depend on where the texts differ.
bool sameToken(const std::string& given, const std::string& token)
{
    if (token.empty() || given.size() != token.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ token[i]);
    return difference == 0;
}

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

} // namespace

WebServer::WebServer(boost::asio::io_context& context, Listener& listener, std::string folder)
    : context(context), listener(listener), folder(std::move(folder)), acceptor(context),
      acceptPause(context), port(0)
{
}

WebServer::ListenResult WebServer::listen(const std::string& bindAddress, unsigned short port,
                                          std::string& problem)
{
    namespace ip = boost::asio::ip;
    boost::system::error_code error;
    ip::address address = ip::address_v4::any();
    if (!bindAddress.empty()) {
        // The game link has checked the address already; resolve a host name the same way.
        ip::tcp::resolver resolver(context);
        auto found = resolver.resolve(ip::tcp::v4(), bindAddress, "", error);
        if (error || found.empty()) {
            problem =
                "cannot listen on " + bindAddress + ": not an IPv4 address or a known host name";
            return ListenResult::Failed;
        }
        address = found.begin()->endpoint().address();
    }
    ip::tcp::endpoint endpoint(address, port);
    acceptor.open(endpoint.protocol(), error);
    if (!error)
        acceptor.set_option(ip::tcp::acceptor::reuse_address(true), error);
    if (!error)
        acceptor.bind(endpoint, error);
    if (!error)
        acceptor.listen(boost::asio::socket_base::max_listen_connections, error);
    if (error) {
        acceptor.close();
        std::string where = "port " + std::to_string(port);
        if (error == boost::asio::error::address_in_use) {
            problem = "web " + where + " is in use: is another console running?";
            return ListenResult::PortInUse;
        }
        problem = "cannot listen on web " + where + ": " + error.message();
        return ListenResult::Failed;
    }
    this->port = acceptor.local_endpoint(error).port();
    acceptNext();
    return ListenResult::Listening;
}

unsigned short WebServer::getPort() const
{
    return port;
}

void WebServer::setTokens(std::string operatorToken, std::string watchToken)
{
    this->operatorToken = std::move(operatorToken);
    this->watchToken = std::move(watchToken);
}

void WebServer::broadcast(const std::shared_ptr<const std::string>& forOperator,
                          const std::shared_ptr<const std::string>& forWatch)
{
    for (auto entry = sessions.begin(); entry != sessions.end();) {
        std::shared_ptr<WebSocketSession> session = entry->lock();
        if (!session) {
            entry = sessions.erase(entry);
            continue;
        }
        const auto& text =
            session->getRole() == WebMessages::Role::Operator ? forOperator : forWatch;
        if (text)
            session->send(text);
        ++entry;
    }
}

bool WebServer::hasSessions(WebMessages::Role role)
{
    for (const std::weak_ptr<WebSocketSession>& entry : sessions) {
        std::shared_ptr<WebSocketSession> session = entry.lock();
        if (session && session->getRole() == role)
            return true;
    }
    return false;
}

void WebServer::close()
{
    boost::system::error_code ignored;
    acceptor.close(ignored);
    acceptPause.cancel();
    for (const std::weak_ptr<WebSocketSession>& entry : sessions)
        if (std::shared_ptr<WebSocketSession> session = entry.lock())
            session->close();
    sessions.clear();
}

std::optional<WebMessages::Role> WebServer::roleOf(const std::string& target) const
{
    std::string token = queryValue(target, "token");
    if (sameToken(token, operatorToken))
        return WebMessages::Role::Operator;
    if (sameToken(token, watchToken))
        return WebMessages::Role::Watch;
    return std::nullopt;
}

bool WebServer::isSocketTarget(const std::string& target)
{
    return target.compare(0, target.find('?'), "/ws") == 0;
}

std::string WebServer::filePath(const std::string& target) const
{
    std::string path = target.substr(0, target.find('?'));
    if (path == "/")
        return folder + "/index.html";
    // Plain names only, none starting with a dot: no "..", no hidden files, no escapes.
    bool atNameStart = true;
    for (std::size_t i = 1; i < path.size(); ++i) {
        char c = path[i];
        if (c == '/' && !atNameStart) {
            atNameStart = true;
        } else if (isNameCharacter(c) && !(atNameStart && c == '.')) {
            atNameStart = false;
        } else {
            return "";
        }
    }
    if (path.empty() || path[0] != '/' || atNameStart)
        return "";
    return folder + path;
}

void WebServer::opened(const std::shared_ptr<WebSocketSession>& session)
{
    sessions.push_back(session);
    listener.opened(*session);
}

void WebServer::received(WebSocketSession& session, const std::string& text)
{
    listener.received(session, text);
}

void WebServer::acceptNext()
{
    acceptor.async_accept(
        [this](boost::system::error_code error, boost::asio::ip::tcp::socket socket) {
            if (error == boost::asio::error::operation_aborted || !acceptor.is_open())
                return;
            if (!error) {
                std::make_shared<WebHttpSession>(std::move(socket), *this)->start();
                acceptNext();
                return;
            }
            // Out of descriptors, say: try again a little later rather than spin on the error.
            acceptPause.expires_after(acceptRetry);
            acceptPause.async_wait([this](boost::system::error_code waited) {
                if (!waited)
                    acceptNext();
            });
        });
}
