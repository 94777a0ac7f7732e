#pragma once

#include "web/WebTransport.hpp"

#include <boost/asio/ip/tcp.hpp>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// The web transport's HTTP and WebSocket streams, on Beast, behind classes that name none of its
// types. Beast's headers and composed operations are most of the cost of compiling the web room:
// they are compiled in WebStreams.cpp alone, with Asio's and Beast's own code, and not again at
// each change to the transport. Seen by WebTransport.cpp and WebStreams.cpp only.
namespace WebStreams {

using ErrorCode = boost::system::error_code;
using Socket = boost::asio::ip::tcp::socket;
using Done = std::function<void(ErrorCode)>;

class PageStream;

// One HTTP connection: reads one request at a time and writes the answer to it.
class HttpStream {
public:
    explicit HttpStream(Socket socket);
    ~HttpStream();

    // A header over maxHeader bytes or a body over maxBody is an error.
    void read(std::size_t maxHeader, std::size_t maxBody, Done done);
    // The request read last.
    WebTransport::Request request() const;
    // Answers the request read last, with the headers only for HEAD; keepAlive() then says
    // whether the connection takes another request.
    void respond(const WebTransport::Answer& answer, Done done);
    bool keepAlive() const;
    // Finishes sending, then closes; pending reads and writes end with an error.
    void close();
    // The connection as the WebSocket the request read last asked for, not yet accepted.
    std::unique_ptr<PageStream> upgrade();

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};

// One page's WebSocket: whole text messages of at most maxMessage bytes either way.
class PageStream {
public:
    ~PageStream();

    // Completes the upgrade that made the stream.
    void accept(std::size_t maxMessage, Done done);
    void read(Done done);
    // The message read last.
    std::string message();
    void write(const std::string& text, Done done);
    // Closes at once; pending reads and writes end with an error.
    void close();

private:
    friend class HttpStream;
    struct Parts;
    explicit PageStream(std::unique_ptr<Parts> parts);

    std::unique_ptr<Parts> parts;
};

} // namespace WebStreams
