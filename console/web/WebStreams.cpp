#include "web/WebStreams.hpp"

#include <boost/beast/core/buffers_to_string.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>
#include <boost/beast/websocket/rfc6455.hpp>
#include <boost/beast/websocket/stream.hpp>

#include <optional>
#include <utility>

namespace http = boost::beast::http;
namespace websocket = boost::beast::websocket;

namespace WebStreams {

namespace {

// Beast's completions carry the bytes moved, which no caller needs.
auto withoutSize(Done done)
{
    return [done = std::move(done)](ErrorCode error, std::size_t) { done(error); };
}

} // namespace

struct HttpStream::Parts {
    explicit Parts(Socket socket) : socket(std::move(socket)) {}

    Socket socket;
    boost::beast::flat_buffer buffer;
    std::optional<http::request_parser<http::string_body>> parser;
    http::response<http::string_body> response;
};

struct PageStream::Parts {
    // Without permessage-deflate, which the console never offers to a page.
    websocket::stream<Socket, false> socket;
    http::request<http::string_body> request;
    boost::beast::flat_buffer buffer;
};

HttpStream::HttpStream(Socket socket) : parts(std::make_unique<Parts>(std::move(socket))) {}

HttpStream::~HttpStream() = default;

void HttpStream::read(std::size_t maxHeader, std::size_t maxBody, Done done)
{
    parts->parser.emplace();
    parts->parser->header_limit(maxHeader);
    parts->parser->body_limit(maxBody);
    http::async_read(parts->socket, parts->buffer, *parts->parser, withoutSize(std::move(done)));
}

WebTransport::Request HttpStream::request() const
{
    const http::request<http::string_body>& read = parts->parser->get();
    WebTransport::Request request;
    request.reads = read.method() == http::verb::get || read.method() == http::verb::head;
    request.upgrade = websocket::is_upgrade(read);
    request.target = std::string(read.target());
    request.host = std::string(read[http::field::host]);
    if (read.find(http::field::origin) != read.end())
        request.origin = std::string(read[http::field::origin]);
    ErrorCode error;
    const auto peer = parts->socket.remote_endpoint(error);
    if (!error)
        request.address = peer.address().to_string();
    return request;
}

void HttpStream::respond(const WebTransport::Answer& answer, Done done)
{
    const http::request<http::string_body>& request = parts->parser->get();
    http::response<http::string_body>& response = parts->response;
    response = {};
    response.version(request.version());
    response.result(answer.status);
    response.set(http::field::content_type, answer.type);
    response.set(http::field::cache_control, "no-store");
    for (const auto& [name, value] : answer.headers)
        response.set(name, value);
    response.keep_alive(request.keep_alive() && !answer.close);
    if (request.method() != http::verb::head)
        response.body() = answer.body;
    response.prepare_payload();
    http::async_write(parts->socket, response, withoutSize(std::move(done)));
}

bool HttpStream::keepAlive() const
{
    return parts->response.keep_alive();
}

void HttpStream::close()
{
    ErrorCode ignored;
    parts->socket.shutdown(Socket::shutdown_send, ignored);
    parts->socket.close(ignored);
}

std::unique_ptr<PageStream> HttpStream::upgrade()
{
    auto page = std::make_unique<PageStream::Parts>(PageStream::Parts{
        websocket::stream<Socket, false>(std::move(parts->socket)), parts->parser->release(), {}});
    return std::unique_ptr<PageStream>(new PageStream(std::move(page)));
}

PageStream::PageStream(std::unique_ptr<Parts> parts) : parts(std::move(parts)) {}

PageStream::~PageStream() = default;

void PageStream::accept(std::size_t maxMessage, Done done)
{
    parts->socket.set_option(
        websocket::stream_base::timeout::suggested(boost::beast::role_type::server));
    parts->socket.read_message_max(maxMessage);
    parts->socket.text(true);
    parts->socket.async_accept(parts->request, std::move(done));
}

void PageStream::read(Done done)
{
    parts->socket.async_read(parts->buffer, withoutSize(std::move(done)));
}

std::string PageStream::message()
{
    std::string text = boost::beast::buffers_to_string(parts->buffer.data());
    parts->buffer.consume(parts->buffer.size());
    return text;
}

void PageStream::write(const std::string& text, Done done)
{
    parts->socket.async_write(boost::asio::buffer(text), withoutSize(std::move(done)));
}

void PageStream::close()
{
    ErrorCode ignored;
    parts->socket.next_layer().close(ignored);
}

} // namespace WebStreams
