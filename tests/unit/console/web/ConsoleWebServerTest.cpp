#include "web/WebConsole.hpp"
#include "web/WebSocketSession.hpp"

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
    // The HTTP status of the handshake: 101 when the socket is open.
    unsigned connect(unsigned short port, const std::string& target)
    {
        asio::ip::tcp::endpoint server(asio::ip::make_address("127.0.0.1"), port);
        beast::get_lowest_layer(socket).connect(server);
        beast::websocket::response_type response;
        socket.async_handshake(response, "127.0.0.1", target, [](beast::error_code) {});
        finish();
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
    bool isClosed() const { return closed; }

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
    bool closed = false;
};

// The console with its web front end on a thread of its own, serving a page folder of the
// test's making (data/, beside a file it must not serve) on a free port.
class ConsoleWebServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("data/index.html", "<title>plant</title>");
        folder.write("secret.txt", "secret");
        std::string problem;
        ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
        WebConsole::Settings settings;
        settings.bindAddress = "127.0.0.1";
        settings.folder = (folder.path() / "data").string();
        web = std::make_unique<WebConsole>(console, settings);
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

    // Status and body of one GET, or 0 when the server closed without an answer.
    std::pair<unsigned, std::string> get(const std::string& target, std::size_t padding = 0)
    {
        asio::io_context context;
        asio::ip::tcp::socket socket(context);
        socket.connect({asio::ip::make_address("127.0.0.1"), web->getPort()});
        http::request<http::empty_body> request(http::verb::get, target, 11);
        request.set(http::field::host, "127.0.0.1");
        request.set("X-Padding", std::string(padding, 'x'));
        beast::error_code error;
        http::write(socket, request, error);
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

TEST_F(ConsoleWebServerTest, FilesComeOnlyFromThePageFolderAndSocketsNeedAToken)
{
    EXPECT_EQ(get("/"), std::make_pair(200u, std::string("<title>plant</title>")));
    EXPECT_EQ(get("/index.html?v=2").first, 200u);
    for (const char* outside : {"/../secret.txt", "/%2e%2e/secret.txt", "/.hidden",
                                "/data/../../secret.txt", "/missing.js", "//etc/passwd"})
        EXPECT_EQ(get(outside).first, 404u) << outside;
    // Headers over 8 KiB close the connection without an answer.
    EXPECT_EQ(get("/", 9000).first, 0u);

    for (const std::string& target : {std::string("/ws"), "/ws?token=" + std::string(32, '0')})
        EXPECT_EQ(PageClient().connect(web->getPort(), target), 403u) << target;
}

TEST_F(ConsoleWebServerTest, EveryPageGetsEveryEventInOrderThroughAFloodButAnOversizedOneIsClosed)
{
    // Page 0 sends too much; the twenty others act or watch.
    constexpr int pageCount = 21;
    constexpr int moves = 3000;
    std::vector<std::unique_ptr<PageClient>> pages;
    for (int i = 0; i < pageCount; ++i) {
        pages.push_back(std::make_unique<PageClient>());
        const Role role = i % 2 == 0 ? Role::Operator : Role::Watch;
        ASSERT_EQ(pages.back()->connect(web->getPort(), socketTarget(role)), 101u);
        // A socket opens with the state as its link's role sees it.
        ASSERT_EQ(pages.back()->next("state")["role"],
                  role == Role::Operator ? "operator" : "watch");
    }
    pages[0]->write(std::string(WebSocketSession::maxMessage + 1, ' '));
    pages[2]->write(R"({"action":"power"})");
    const Json error = pages[2]->next("error");
    EXPECT_EQ(error["action"], "power");
    EXPECT_EQ(error["message"], "no game is on");
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    for (int i = 0; i < moves; ++i)
        game.sendFrame(RawPeer::ints({1}));

    for (std::size_t i = 1; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        Json event = pages[i]->next("event");
        ASSERT_EQ(event["line"], "joined 127.0.0.1");
        unsigned long long seq = event["seq"];
        for (int step = 1; step <= moves; ++step) {
            event = pages[i]->next("event");
            ASSERT_EQ(event["seq"], ++seq);
            ASSERT_EQ(event["line"], "moved " + std::to_string(step));
        }
        // The state after the reports lets the operator's pages start the joined game.
        EXPECT_EQ(pages[i]->next("state")["refusals"]["start"],
                  i % 2 == 0 ? "" : "a watch link cannot act");
    }
    pages[0]->next("none");
    EXPECT_TRUE(pages[0]->isClosed());
}

} // namespace
