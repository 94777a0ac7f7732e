#include "web/WebHttpSession.hpp"

#include "web/WebServer.hpp"
#include "web/WebSocketSession.hpp"

#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <boost/beast/websocket/rfc6455.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace http = boost::beast::http;

namespace {

// A connection that sends nothing for this long is closed.
constexpr std::chrono::seconds requestTimeout(30);

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

} // namespace

WebHttpSession::WebHttpSession(boost::asio::ip::tcp::socket socket, WebServer& server)
    : stream(std::move(socket)), server(server)
{
}

void WebHttpSession::start()
{
    readRequest();
}

void WebHttpSession::readRequest()
{
    parser.emplace();
    parser->header_limit(maxHeader);
    parser->body_limit(maxBody);
    stream.expires_after(requestTimeout);
    http::async_read(stream, buffer, *parser,
                     [self = shared_from_this()](boost::beast::error_code error, std::size_t) {
                         // Oversized headers, a broken request or a timeout: just close.
                         if (error) {
                             self->stream.close();
                             return;
                         }
                         self->handle();
                     });
}

void WebHttpSession::handle()
{
    const http::request<http::string_body>& request = parser->get();
    std::string target(request.target());
    if (WebServer::isSocketTarget(target)) {
        std::optional<WebMessages::Role> role = server.roleOf(target);
        if (!boost::beast::websocket::is_upgrade(request) || !role) {
            respond(http::status::forbidden, "forbidden\n", "text/plain");
            return;
        }
        stream.expires_never();
        std::make_shared<WebSocketSession>(stream.release_socket(), server, *role)
            ->accept(parser->release());
        return;
    }
    if (request.method() != http::verb::get && request.method() != http::verb::head) {
        respond(http::status::method_not_allowed, "method not allowed\n", "text/plain");
        return;
    }
    std::string path = server.filePath(target);
    std::error_code missing;
    std::ifstream file;
    if (!path.empty() && std::filesystem::is_regular_file(path, missing))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        respond(http::status::not_found, "not found\n", "text/plain");
        return;
    }
    std::string body((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    respond(http::status::ok, std::move(body), contentType(path));
}

void WebHttpSession::respond(http::status status, std::string body, const char* type)
{
    const http::request<http::string_body>& request = parser->get();
    response = {};
    response.version(request.version());
    response.result(status);
    response.set(http::field::content_type, type);
    response.set(http::field::cache_control, "no-store");
    response.keep_alive(request.keep_alive() && status != http::status::forbidden);
    response.body() = request.method() == http::verb::head ? std::string() : std::move(body);
    response.prepare_payload();
    http::async_write(stream, response,
                      [self = shared_from_this()](boost::beast::error_code error, std::size_t) {
                          if (error || !self->response.keep_alive()) {
                              boost::beast::error_code ignored;
                              self->stream.socket().shutdown(
                                  boost::asio::ip::tcp::socket::shutdown_send, ignored);
                              self->stream.close();
                              return;
                          }
                          self->readRequest();
                      });
}
