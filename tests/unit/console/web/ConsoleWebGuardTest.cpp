#include "web/WebGuard.hpp"
#include "web/WebServer.hpp"

#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/streambuf.hpp>
#include <boost/asio/write.hpp>

#include <fstream>
#include <list>
#include <thread>

namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

const std::string key = "0123456789abcdef0123456789abcdef";

class IgnoringListener : public WebServer::Listener {
    void opened(WebSocketSession&) override {}
    void received(WebSocketSession&, const std::string&) override {}
    void woken() override {}
};

// The web server on a thread of its own; requests go to it over real sockets, each from the
// loopback address it names, and the pages that opened stay open until the test ends.
class ConsoleWebGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(folder.path() / "index.html") << "<p>page</p>";
        server.setTokens(key, std::string(32, 'f'));
        std::string problem;
        ASSERT_EQ(server.listen("127.0.0.1", 0, problem), WebServer::ListenResult::Listening);
        thread = std::thread([this] { server.run(); });
    }

    void TearDown() override
    {
        server.stop();
        thread.join();
    }

    // The answer's head ("HTTP/1.1 101 ...\r\n...") to a request from `from`.
    std::string ask(const std::string& from, const std::string& request)
    {
        tcp::socket& socket = sockets.emplace_back(context);
        socket.open(tcp::v4());
        socket.bind({asio::ip::make_address(from), 0});
        socket.connect({asio::ip::make_address("127.0.0.1"), server.getPort()});
        asio::write(socket, asio::buffer(request));
        asio::streambuf head;
        asio::read_until(socket, head, "\r\n\r\n");
        return std::string(asio::buffers_begin(head.data()), asio::buffers_end(head.data()));
    }

    // The status of a page's WebSocket handshake; Origin is left out when empty.
    int open(const std::string& from, const std::string& token, const std::string& origin = "",
             std::string host = "")
    {
        if (host.empty())
            host = "127.0.0.1:" + std::to_string(server.getPort());
        std::string head =
            ask(from, "GET /ws?token=" + token + " HTTP/1.1\r\nHost: " + host +
                          "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                          "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                          "Sec-WebSocket-Version: 13\r\n" +
                          (origin.empty() ? "" : "Origin: " + origin + "\r\n") + "\r\n");
        return std::stoi(head.substr(head.find(' ') + 1, 3));
    }

    TempRunFolder folder;
    IgnoringListener listener;
    WebServer server{listener, folder.path().string()};
    std::thread thread;
    asio::io_context context;
    std::list<tcp::socket> sockets;
};

TEST_F(ConsoleWebGuardTest, OnlyTheConsolesOwnPageMayOpenItsSocket)
{
    const std::string port = std::to_string(server.getPort());
    EXPECT_EQ(open("127.0.0.1", key, "http://127.0.0.1:" + port), 101);
    EXPECT_EQ(open("127.0.0.1", key), 101) << "a program sends no Origin and needs only its key";
    EXPECT_EQ(open("127.0.0.1", key, "http://evil.example"), 403);
    EXPECT_EQ(open("127.0.0.1", key, "http://127.0.0.1:" + port + ".evil.example"), 403);
    // A site whose name its own server pointed at the console's address.
    EXPECT_EQ(open("127.0.0.1", key, "http://evil.example:" + port, "evil.example:" + port), 403);
    EXPECT_EQ(open("127.0.0.1", key, "http://localhost:" + port, "localhost:" + port), 101);
}

TEST_F(ConsoleWebGuardTest, AnAddressThatGuessesKeysIsRefusedEvenTheRightOne)
{
    for (int guess = 0; guess < 5; ++guess)
        EXPECT_EQ(open("127.0.0.9", std::string(32, '0' + guess)), 403) << guess;
    EXPECT_EQ(open("127.0.0.9", key), 429);
    EXPECT_EQ(open("127.0.0.8", key), 101);
}

// The lockout lasts a minute after the last wrong key; strikes a minute old no longer count.
TEST_F(ConsoleWebGuardTest, ALockoutEndsAMinuteAfterTheLastWrongKey)
{
    WebGuard guard;
    WebTransport::Request request;
    request.address = "10.0.0.9";
    const auto status = [&](bool keyKnown, int second) {
        const auto answer = guard.refusal(request, keyKnown, {}, WebGuard::Clock::time_point() +
                                                                     std::chrono::seconds(second));
        return answer ? answer->status : 101u;
    };
    for (int second : {0, 1, 2, 3, 64, 65, 66, 67, 68})
        EXPECT_EQ(status(false, second), 403u) << second;
    EXPECT_EQ(status(true, 68 + 59), 429u);
    EXPECT_EQ(status(true, 68 + 60), 101u);
}

TEST_F(ConsoleWebGuardTest, PagesAreCappedPerAddressAndInAll)
{
    for (int page = 0; page < 24; ++page)
        ASSERT_EQ(open("127.0.0.2", key), 101) << page;
    EXPECT_EQ(open("127.0.0.2", key), 429);
    for (int page = 24; page < 64; ++page)
        ASSERT_EQ(open("127.0.0." + std::to_string(3 + page / 24), key), 101) << page;
    EXPECT_EQ(open("127.0.0.7", key), 503);
}

TEST_F(ConsoleWebGuardTest, ThePageIsServedWithItsProtections)
{
    std::string head = ask("127.0.0.1", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    for (const char* field :
         {"Content-Security-Policy: default-src 'self'; connect-src 'self';",
          "frame-ancestors 'none'", "X-Content-Type-Options: nosniff",
          "Referrer-Policy: no-referrer", "X-Frame-Options: DENY", "Cache-Control: no-store"})
        EXPECT_NE(head.find(field), std::string::npos) << field << " in\n" << head;
}

} // namespace
