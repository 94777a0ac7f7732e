#include "web/WebConsole.hpp"

#include "support/RawPeer.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include <thread>

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using Json = nlohmann::json;
using Role = WebMessages::Role;

// A page's WebSocket, driven with a deadline on each step so a fault fails the test instead
// of hanging it.
class PageClient {
public:
    // The HTTP status of the handshake: 101 when the socket is open. A buffer size > 0 shrinks
    // the kernel's buffers both ways, as a slow link would.
    unsigned connect(unsigned short port, const std::string& target, int buffer = 0)
    {
        asio::ip::tcp::socket& tcp = beast::get_lowest_layer(socket);
        tcp.open(asio::ip::tcp::v4());
        if (buffer > 0)
            tcp.set_option(asio::socket_base::receive_buffer_size(buffer));
        tcp.connect({asio::ip::make_address("127.0.0.1"), port});
        beast::websocket::response_type response;
        socket.async_handshake(response, "127.0.0.1", target, [](beast::error_code) {});
        finish();
        if (buffer > 0)
            RawPeer::setBufferOfConnectionsTo(tcp.local_endpoint().port(), SO_SNDBUF, buffer);
        return response.result_int();
    }

    // The next message of that type (any type for ""), skipping the others; null when the
    // socket closed or nothing came in time.
    Json next(const std::string& type = "")
    {
        for (;;) {
            beast::error_code error;
            socket.async_read(buffer,
                              [&error](beast::error_code result, std::size_t) { error = result; });
            if (!finish())
                return nullptr;
            if (error) {
                closed = true;
                return nullptr;
            }
            Json message = Json::parse(beast::buffers_to_string(buffer.data()));
            buffer.consume(buffer.size());
            if (type.empty() || message["type"] == type)
                return message;
        }
    }

    // True once a read found the socket closed by the server.
    bool closed = false;

    void write(const std::string& text)
    {
        socket.async_write(asio::buffer(text), [](beast::error_code, std::size_t) {});
        finish();
    }

private:
    bool finish()
    {
        context.restart();
        context.run_for(std::chrono::seconds(5));
        if (context.stopped())
            return true;
        beast::get_lowest_layer(socket).close();
        return false;
    }

    asio::io_context context;
    beast::websocket::stream<asio::ip::tcp::socket> socket{context};
    beast::flat_buffer buffer;
};

// The console with its web front end on a thread of its own, serving a page folder of the
// test's making (data/, beside a file it must not serve) on a free port.
class ConsoleWebServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("data/index.html", "<title>plant</title>");
        folder.write("data/.hidden", "hidden");
        folder.write("secret.txt", "secret");
        std::filesystem::create_symlink("../secret.txt", folder.path() / "data/link.txt");
        std::string problem;
        ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
        serve(false);
    }

    // A web front end in place of the one before; in solo mode the console plays the operator.
    void serve(bool solo)
    {
        TearDown();
        WebConsole::Settings settings;
        settings.bindAddress = "127.0.0.1";
        settings.solo = solo;
        settings.folder = (folder.path() / "data").string();
        web = std::make_unique<WebConsole>(console, settings);
        std::string problem;
        ASSERT_EQ(web->listen(problem), WebServer::ListenResult::Listening) << problem;
        server = std::thread([this] { web->run(); });
    }

    void TearDown() override
    {
        if (server.joinable()) {
            web->stop();
            server.join();
        }
    }

    std::string socketTarget(Role role) const { return "/ws?token=" + web->getToken(role); }

    // Status and body of one GET, or 0 when the server closed without an answer; its header is
    // padded to headerSize bytes when given.
    std::pair<unsigned, std::string> get(const std::string& target, std::size_t headerSize = 0)
    {
        asio::io_context context;
        asio::ip::tcp::socket socket(context);
        socket.connect({asio::ip::make_address("127.0.0.1"), web->getPort()});
        std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: ";
        request += std::string(std::max(headerSize, request.size() + 4) - request.size() - 4, 'x');
        beast::error_code error;
        asio::write(socket, asio::buffer(request + "\r\n\r\n"), error);
        beast::flat_buffer buffer;
        http::response<http::string_body> response;
        http::read(socket, buffer, response, error);
        return {error ? 0u : response.result_int(), response.body()};
    }

    TempRunFolder folder;
    Operator console{LevelCatalogue("data/level"), Operator::Settings()};
    std::unique_ptr<WebConsole> web;
    std::thread server;
};

TEST_F(ConsoleWebServerTest, FilesComeOnlyFromThePageFolderSocketsNeedATokenSoloHasNoOperator)
{
    EXPECT_EQ(get("/"), std::make_pair(200u, std::string("<title>plant</title>")));
    EXPECT_EQ(get("/index.html?v=2").first, 200u);
    for (const char* outside : {"/../secret.txt", "/%2e%2e/secret.txt", "/.hidden", "//index.html",
                                "/missing.js", "/link.txt"})
        EXPECT_EQ(get(outside).first, 404u) << outside;
    // Headers of 8 KiB are read; longer ones close the connection without an answer (the
    // parser leaves the request line, some 30 bytes, out of its count).
    EXPECT_EQ(get("/", 8192).first, 200u);
    EXPECT_EQ(get("/", 8192 + 64).first, 0u);

    // In solo mode the console plays the operator: no token makes one, a watch link cannot act.
    for (bool solo : {true, false}) {
        ASSERT_NO_FATAL_FAILURE(serve(solo));
        for (const std::string& target :
             {std::string("/ws"), std::string("/ws?token="), "/ws?token=" + std::string(32, '0')})
            EXPECT_EQ(PageClient().connect(web->getPort(), target), 403u) << target;
    }
    // An operator's page is handed the watch link (its code drawn); a watch page is not.
    PageClient page, operatorPage;
    ASSERT_EQ(page.connect(web->getPort(), socketTarget(Role::Watch)), 101u);
    ASSERT_EQ(operatorPage.connect(web->getPort(), socketTarget(Role::Operator)), 101u);
    const Json invite = operatorPage.next("invite");
    EXPECT_EQ(invite["links"][0]["url"], "http://127.0.0.1:" + std::to_string(web->getPort()) +
                                             "/#watch=" + web->getToken(Role::Watch));
    EXPECT_EQ(invite["links"].size(), 1u);
    EXPECT_EQ(page.next()["type"], "state");
    page.write(R"({"action":"select","level":3})");
    EXPECT_EQ(page.next()["message"], "a watch link cannot act");
}

TEST_F(ConsoleWebServerTest, EveryPageGetsEveryEventInOrderOnlyOperatorsActAnOversizedOneIsClosed)
{
    // Page 0 sends too much; the twenty others act or watch.
    constexpr int pageCount = 21, moves = 3000;
    std::vector<std::unique_ptr<PageClient>> pages;
    for (int i = 0; i < pageCount; ++i) {
        pages.push_back(std::make_unique<PageClient>());
        const Role role = i % 2 == 0 ? Role::Operator : Role::Watch;
        ASSERT_EQ(pages.back()->connect(web->getPort(), socketTarget(role)), 101u);
        // A socket opens with the state as its link's role sees it.
        ASSERT_EQ(pages.back()->next("state")["role"],
                  role == Role::Operator ? "operator" : "watch");
    }
    // A message of 64 KiB is read; one byte more closes its page.
    pages[0]->write(std::string(65537, ' '));
    const std::string power = R"({"action":"power"})";
    pages[2]->write(power + std::string(65536 - power.size(), ' '));
    EXPECT_EQ(pages[2]->next("error"),
              Json({{"type", "error"}, {"action", "power"}, {"message", "no game is on"}}));
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    for (int i = 0; i < moves; ++i)
        game.sendFrame(RawPeer::ints({1}));

    for (std::size_t i = 1; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        // The run's events count from 1, the join first, with no gap.
        for (int step = 0; step <= moves; ++step) {
            const Json event = pages[i]->next("event");
            ASSERT_EQ(event["seq"], step + 1);
            ASSERT_EQ(event["line"], step ? "moved " + std::to_string(step) : "joined 127.0.0.1");
        }
        // The state after the reports lets the operator's pages start the joined game.
        EXPECT_EQ(pages[i]->next("state")["refusals"]["start"],
                  i % 2 == 0 ? "" : "a watch link cannot act");
    }
    pages[0]->next("none");
    EXPECT_TRUE(pages[0]->closed);
}

TEST_F(ConsoleWebServerTest, APageThatStopsReadingIsDroppedOnceAMebibyteWaitsForIt)
{
    PageClient reader, stalled;
    ASSERT_EQ(reader.connect(web->getPort(), socketTarget(Role::Watch)), 101u);
    ASSERT_EQ(stalled.connect(web->getPort(), socketTarget(Role::Watch), 4096), 101u);
    // Some 2 MB of events and states.
    constexpr int moves = 20000;
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    ASSERT_EQ(reader.next("event")["line"], "joined 127.0.0.1");
    for (int step = 1; step <= moves; ++step) {
        // In bursts the reading page keeps up with.
        for (int i = 0; step % 1000 == 1 && i < 1000; ++i)
            game.sendFrame(RawPeer::ints({1}));
        ASSERT_EQ(reader.next("event")["line"], "moved " + std::to_string(step));
    }
    stalled.next("none");
    EXPECT_TRUE(stalled.closed);
}

} // namespace
