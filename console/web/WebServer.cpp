#include "web/WebServer.hpp"

#include "web/WebSocketSession.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

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

bool isSocketTarget(const std::string& target)
{
    return target.compare(0, target.find('?'), "/ws") == 0;
}

const char* contentType(const std::string& path)
{
    static const std::pair<const char*, const char*> types[] = {
        {".html", "text/html; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".svg", "image/svg+xml"},
        {".png", "image/png"},
        {".ico", "image/x-icon"},
        {".json", "application/json"},
        {".webmanifest", "application/manifest+json"}};
    for (const auto& type : types) {
        std::string extension = type.first;
        if (path.size() > extension.size() &&
            path.compare(path.size() - extension.size(), extension.size(), extension) == 0)
            return type.second;
    }
    return "application/octet-stream";
}

WebTransport::Answer plainAnswer(unsigned status, std::string body)
{
    WebTransport::Answer answer;
    answer.status = status;
    answer.type = "text/plain";
    answer.body = std::move(body);
    return answer;
}

} // namespace

WebServer::WebServer(Listener& listener, std::string folder)
    : listener(listener), folder(std::move(folder)), transport(*this)
{
}

WebServer::ListenResult WebServer::listen(const std::string& bindAddress, unsigned short port,
                                          std::string& problem)
{
    return transport.listen(bindAddress, port, problem);
}

unsigned short WebServer::getPort() const
{
    return transport.getPort();
}

void WebServer::setTokens(std::string operatorToken, std::string watchToken)
{
    this->operatorToken = std::move(operatorToken);
    this->watchToken = std::move(watchToken);
}

WebTransport& WebServer::getTransport()
{
    return transport;
}

void WebServer::run()
{
    transport.run();
    for (const std::weak_ptr<WebSocketSession>& entry : sessions)
        if (std::shared_ptr<WebSocketSession> session = entry.lock())
            session->close();
    sessions.clear();
}

void WebServer::stop()
{
    transport.stop();
}

void WebServer::serveWaiting()
{
    transport.runReady();
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

std::optional<WebMessages::Role> WebServer::roleOf(const std::string& target) const
{
    std::string token = queryValue(target, "token");
    if (sameToken(token, operatorToken))
        return WebMessages::Role::Operator;
    if (sameToken(token, watchToken))
        return WebMessages::Role::Watch;
    return std::nullopt;
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

WebTransport::Answer WebServer::answer(const WebTransport::Request& request)
{
    WebTransport::Answer reply =
        isSocketTarget(request.target) ? socketAnswer(request) : fileAnswer(request);
    // The page loads its own files and opens its own WebSocket, and nothing else; no other
    // site may frame it, guess its types, learn its address (the keys are in it) or keep it.
    reply.headers = {
        {"Content-Security-Policy",
         "default-src 'self'; connect-src 'self'; img-src 'self' data: blob:; object-src 'none'; "
         "base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
        {"X-Frame-Options", "DENY"}};
    return reply;
}

WebTransport::Answer WebServer::socketAnswer(const WebTransport::Request& request)
{
    std::optional<WebMessages::Role> role = roleOf(request.target);
    if (!request.upgrade) {
        WebTransport::Answer refusal = plainAnswer(403, "forbidden\n");
        refusal.close = true;
        return refusal;
    }
    WebGuard::Pages pages;
    for (const std::weak_ptr<WebSocketSession>& entry : sessions) {
        if (std::shared_ptr<WebSocketSession> session = entry.lock()) {
            ++pages.open;
            pages.fromAddress += session->getAddress() == request.address;
        }
    }
    if (std::optional<WebTransport::Answer> refusal =
            guard.refusal(request, role.has_value(), pages, WebGuard::Clock::now()))
        return *refusal;
    WebTransport::Answer upgrade;
    upgrade.socket = role;
    return upgrade;
}

WebTransport::Answer WebServer::fileAnswer(const WebTransport::Request& request) const
{
    if (!request.reads)
        return plainAnswer(405, "method not allowed\n");
    std::string path = filePath(request.target);
    std::error_code missing;
    std::ifstream file;
    // What a link in the folder leads to must be in the folder too.
    const std::string real = std::filesystem::canonical(path, missing).string();
    const std::string inside = std::filesystem::canonical(folder, missing).string() + "/";
    if (!path.empty() && !missing && real.compare(0, inside.size(), inside) == 0 &&
        std::filesystem::is_regular_file(real, missing))
        file.open(real, std::ios::binary);
    if (!file.is_open())
        return plainAnswer(404, "not found\n");
    WebTransport::Answer found;
    found.type = contentType(path);
    found.body.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return found;
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

void WebServer::woken()
{
    listener.woken();
}
