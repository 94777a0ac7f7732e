#include "web/WebTransport.hpp"

#include "web/WebSocketSession.hpp"
#include "web/WebStreams.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/posix/stream_descriptor.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>

#include <csignal>
#include <deque>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using WebStreams::ErrorCode;

namespace {

// A connection that sends nothing for this long is closed.
constexpr std::chrono::seconds requestTimeout(30);

// One page's WebSocket: reads its messages one at a time for the handler and writes what it is
// sent in order.
class SocketSession final : public WebSocketSession,
                            public std::enable_shared_from_this<SocketSession> {
public:
    SocketSession(std::unique_ptr<WebStreams::PageStream> stream, WebTransport::Handler& handler,
                  WebMessages::Role role, std::string address)
        : stream(std::move(stream)), handler(handler), role(role), address(std::move(address)),
          unsent(0), open(false)
    {
    }

    // Completes the upgrade the request asked for, then reads.
    void accept()
    {
        stream->accept(maxMessage, [self = shared_from_this()](ErrorCode error) {
            if (error)
                return;
            self->open = true;
            self->handler.opened(self);
            self->readNext();
        });
    }

    void send(const std::shared_ptr<const std::string>& text) override
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

    WebMessages::Role getRole() const override { return role; }

    const std::string& getAddress() const override { return address; }

    void close() override
    {
        // The queue stays until the session goes: a pending write may still hold its front.
        open = false;
        stream->close();
    }

private:
    void readNext()
    {
        stream->read([self = shared_from_this()](ErrorCode error) {
            // Over 64 KiB, a closed page or a broken frame: this socket is done.
            if (error) {
                self->close();
                return;
            }
            if (!self->open)
                return;
            self->handler.received(*self, self->stream->message());
            if (self->open)
                self->readNext();
        });
    }

    void writeNext()
    {
        stream->write(*outgoing.front(), [self = shared_from_this()](ErrorCode error) {
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

    std::unique_ptr<WebStreams::PageStream> stream;
    WebTransport::Handler& handler;
    WebMessages::Role role;
    std::string address;
    std::deque<std::shared_ptr<const std::string>> outgoing;
    std::size_t unsent;
    bool open;
};

// One HTTP connection: asks the handler how to answer each request, and hands a request it is
// told to upgrade over to a SocketSession. Lives as long as an operation on it is pending.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(tcp::socket socket, WebTransport::Handler& handler)
        : deadline(socket.get_executor()), stream(std::move(socket)), handler(handler)
    {
    }

    void readRequest()
    {
        deadline.expires_after(requestTimeout);
        deadline.async_wait([session = weak_from_this()](ErrorCode error) {
            if (std::shared_ptr<HttpSession> self = session.lock(); self && !error)
                self->stream.close();
        });
        stream.read(WebTransport::maxHeader, WebTransport::maxBody,
                    [self = shared_from_this()](ErrorCode error) {
                        // Oversized headers, a broken request or a timeout: just close.
                        if (error) {
                            self->close();
                            return;
                        }
                        self->handle();
                    });
    }

private:
    void handle()
    {
        const WebTransport::Request request = stream.request();
        WebTransport::Answer answer = handler.answer(request);
        if (answer.socket) {
            deadline.cancel();
            std::make_shared<SocketSession>(stream.upgrade(), handler, *answer.socket,
                                            request.address)
                ->accept();
            return;
        }
        stream.respond(answer, [self = shared_from_this()](ErrorCode error) {
            if (error || !self->stream.keepAlive()) {
                self->close();
                return;
            }
            self->readRequest();
        });
    }

    void close()
    {
        stream.close();
        deadline.cancel();
    }

    asio::steady_timer deadline;
    WebStreams::HttpStream stream;
    WebTransport::Handler& handler;
};

} // namespace

struct WebTransport::Impl {
    explicit Impl(Handler& handler)
        : handler(handler), acceptor(context), acceptPause(context), timer(context),
          listenerWatch(context), connectionWatch(context), port(0)
    {
    }

    asio::posix::stream_descriptor& watchOf(Watch which)
    {
        return which == Watch::Listener ? listenerWatch : connectionWatch;
    }

    void acceptNext()
    {
        acceptor.async_accept([this](ErrorCode error, tcp::socket socket) {
            if (error == asio::error::operation_aborted || !acceptor.is_open())
                return;
            if (!error) {
                std::make_shared<HttpSession>(std::move(socket), handler)->readRequest();
                acceptNext();
                return;
            }
            // Out of descriptors, say: try again a little later rather than spin on the error.
            acceptPause.expires_after(acceptRetry);
            acceptPause.async_wait([this](ErrorCode waited) {
                if (!waited)
                    acceptNext();
            });
        });
    }

    // First: the sessions its queue still holds at the end must not outlive it.
    asio::io_context context;
    Handler& handler;
    tcp::acceptor acceptor;
    asio::steady_timer acceptPause;
    asio::steady_timer timer;
    asio::posix::stream_descriptor listenerWatch;
    asio::posix::stream_descriptor connectionWatch;
    unsigned short port;
};

WebTransport::WebTransport(Handler& handler) : impl(std::make_unique<Impl>(handler)) {}

WebTransport::~WebTransport() = default;

WebTransport::ListenResult WebTransport::listen(const std::string& bindAddress, unsigned short port,
                                                std::string& problem)
{
    ErrorCode error;
    asio::ip::address address = asio::ip::address_v4::any();
    if (!bindAddress.empty()) {
        // The game link has checked the address already; resolve a host name the same way.
        tcp::resolver resolver(impl->context);
        auto found = resolver.resolve(tcp::v4(), bindAddress, "", error);
        if (error || found.empty()) {
            problem =
                "cannot listen on " + bindAddress + ": not an IPv4 address or a known host name";
            return ListenResult::Failed;
        }
        address = found.begin()->endpoint().address();
    }
    tcp::endpoint endpoint(address, port);
    tcp::acceptor& acceptor = impl->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error)
        acceptor.set_option(tcp::acceptor::reuse_address(true), error);
    if (!error)
        acceptor.bind(endpoint, error);
    if (!error)
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (error) {
        ErrorCode ignored;
        acceptor.close(ignored);
        std::string where = "port " + std::to_string(port);
        if (error == asio::error::address_in_use) {
            problem = "web " + where + " is in use: is another console running?";
            return ListenResult::PortInUse;
        }
        problem = "cannot listen on web " + where + ": " + error.message();
        return ListenResult::Failed;
    }
    impl->port = acceptor.local_endpoint(error).port();
    impl->acceptNext();
    return ListenResult::Listening;
}

unsigned short WebTransport::getPort() const
{
    return impl->port;
}

void WebTransport::run()
{
    asio::signal_set signals(impl->context, SIGINT, SIGTERM);
    signals.async_wait([this](const ErrorCode& error, int) {
        if (!error)
            stop();
    });
    impl->context.run();
    ErrorCode ignored;
    impl->acceptor.close(ignored);
    impl->acceptPause.cancel();
}

void WebTransport::stop()
{
    impl->context.stop();
}

void WebTransport::runReady()
{
    if (impl->context.stopped())
        impl->context.restart();
    impl->context.poll();
}

void WebTransport::awaitNext(std::chrono::milliseconds period)
{
    auto woken = [impl = impl.get()](const ErrorCode& error) {
        if (!error)
            impl->handler.woken();
    };
    // Whatever woke the handler, the other waits start over: one of each is ever pending.
    impl->timer.expires_after(period);
    impl->timer.async_wait(woken);
    ErrorCode ignored;
    for (asio::posix::stream_descriptor* watch : {&impl->listenerWatch, &impl->connectionWatch}) {
        if (!watch->is_open())
            continue;
        watch->cancel(ignored);
        watch->async_wait(asio::posix::stream_descriptor::wait_read, woken);
    }
}

void WebTransport::watch(Watch which, int descriptor)
{
    asio::posix::stream_descriptor& watch = impl->watchOf(which);
    ErrorCode error;
    watch.close(error);
    if (descriptor < 0)
        return;
    int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return;
    watch.assign(copy, error);
    if (error)
        ::close(copy);
}

bool WebTransport::isWatching(Watch which) const
{
    return impl->watchOf(which).is_open();
}
