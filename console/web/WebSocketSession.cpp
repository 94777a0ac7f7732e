#include "web/WebSocketSession.hpp"

#include "web/WebServer.hpp"

#include <boost/beast/core/buffers_to_string.hpp>
#include <boost/beast/websocket/stream.hpp>

namespace websocket = boost::beast::websocket;

WebSocketSession::WebSocketSession(boost::asio::ip::tcp::socket socket, WebServer& server,
                                   WebMessages::Role role)
    : socket(std::move(socket)), server(server), role(role), unsent(0), open(false)
{
}

void WebSocketSession::accept(boost::beast::http::request<boost::beast::http::string_body> request)
{
    socket.set_option(websocket::stream_base::timeout::suggested(boost::beast::role_type::server));
    socket.read_message_max(maxMessage);
    socket.text(true);
    socket.async_accept(request, [self = shared_from_this()](boost::beast::error_code error) {
        if (error)
            return;
        self->open = true;
        self->server.opened(self);
        self->readNext();
    });
}

void WebSocketSession::send(const std::shared_ptr<const std::string>& text)
{
    if (!open)
        return;
    unsent += text->size();
    if (unsent > maxUnsent) {
        close();
        return;
    }
    outgoing.push_back(text);
    if (outgoing.size() == 1)
        writeNext();
}

WebMessages::Role WebSocketSession::getRole() const
{
    return role;
}

void WebSocketSession::close()
{
    // The queue stays until the session goes: a pending write may still hold its front.
    open = false;
    boost::beast::get_lowest_layer(socket).close();
}

void WebSocketSession::readNext()
{
    socket.async_read(buffer,
                      [self = shared_from_this()](boost::beast::error_code error, std::size_t) {
                          // Over 64 KiB, a closed page or a broken frame: this socket is done.
                          if (error) {
                              self->close();
                              return;
                          }
                          if (!self->open)
                              return;
                          std::string text = boost::beast::buffers_to_string(self->buffer.data());
                          self->buffer.consume(self->buffer.size());
                          self->server.received(*self, text);
                          if (self->open)
                              self->readNext();
                      });
}

void WebSocketSession::writeNext()
{
    const std::string& text = *outgoing.front();
    socket.async_write(boost::asio::buffer(text),
                       [self = shared_from_this()](boost::beast::error_code error, std::size_t) {
                           if (error || !self->open) {
                               self->close();
                               return;
                           }
                           self->unsent -= self->outgoing.front()->size();
                           self->outgoing.pop_front();
                           if (!self->outgoing.empty())
                               self->writeNext();
                       });
}
