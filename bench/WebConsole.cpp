#include "../tests/unit/support/RawPeer.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// The web console as it runs: the real kestrivon-console --web from the build folder (on
// 127.0.0.1 ports 3000 and 8080, so inside `unshare --net`), a raw game and twenty pages.
// Prints web_p99_ms (from a game report to its event on every page, 99th percentile) and
// web_idle_cpu (the console's CPU share in percent while all of them are connected and idle).

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
using Clock = std::chrono::steady_clock;

// Where the console listens for the game.
constexpr unsigned short gamePort = 3000;
constexpr int pageCount = 20;
constexpr int reports = 250;
// Apart enough that each report is read on a poll of its own.
constexpr std::chrono::milliseconds reportGap(23);
constexpr std::chrono::seconds idleSpan(10);
const char* const consoleOutput = "web-bench-console.log";

struct Page {
    explicit Page(asio::io_context& context) : socket(context) {}
    beast::websocket::stream<asio::ip::tcp::socket> socket;
    beast::flat_buffer buffer;
};

// The console's user and system time so far, in clock ticks.
long cpuTicks(pid_t console)
{
    std::ifstream stat("/proc/" + std::to_string(console) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    // Fields 14 and 15 of the file; the text read starts at field 3.
    for (int index = 3; index <= 15 && fields >> field; ++index)
        if (index >= 14)
            ticks += std::stol(field);
    return ticks;
}

// Starts the console and returns its watch token, empty when it did not come up.
std::string startConsole(pid_t& console)
{
    std::remove(consoleOutput);
    console = fork();
    if (console == 0) {
        std::freopen(consoleOutput, "w", stdout);
        execl("./kestrivon-console", "kestrivon-console", "--web", "--bind", "127.0.0.1", "--seed",
              "1", static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int tries = 0; tries < 100; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream output(consoleOutput);
        std::string line;
        while (std::getline(output, line))
            if (line.rfind("watch: ", 0) == 0)
                return line.substr(line.find("#watch=") + 7);
    }
    return "";
}

// Reads until the page's next event and notes when it came.
void awaitEvent(Page& page, std::vector<double>& delays, Clock::time_point sent)
{
    page.socket.async_read(page.buffer, [&page, &delays, sent](beast::error_code error,
                                                               std::size_t) {
        if (error)
            return;
        std::string text = beast::buffers_to_string(page.buffer.data());
        page.buffer.consume(page.buffer.size());
        if (text.find("\"type\":\"event\"") == std::string::npos) {
            awaitEvent(page, delays, sent);
            return;
        }
        delays.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
    });
}

int measure(pid_t console, const std::string& token)
{
    RawPeer game = RawPeer::connectTo(gamePort);
    asio::io_context context;
    std::vector<std::unique_ptr<Page>> pages;
    asio::ip::tcp::endpoint site(asio::ip::make_address("127.0.0.1"), 8080);
    for (int i = 0; i < pageCount; ++i) {
        pages.push_back(std::make_unique<Page>(context));
        pages.back()->socket.next_layer().connect(site);
        pages.back()->socket.handshake("127.0.0.1", "/ws?token=" + token);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    std::vector<double> delays;
    std::vector<std::uint8_t> moved = RawPeer::frame(RawPeer::ints({1}));
    for (int report = 0; report < reports; ++report) {
        Clock::time_point sent = Clock::now();
        game.send(moved);
        for (auto& page : pages)
            awaitEvent(*page, delays, sent);
        context.restart();
        context.run_for(std::chrono::seconds(5));
        std::this_thread::sleep_for(reportGap);
    }
    if (delays.size() != static_cast<std::size_t>(pageCount * reports)) {
        std::cerr << "web bench: " << delays.size() << " of " << pageCount * reports
                  << " events arrived\n";
        return 1;
    }
    std::sort(delays.begin(), delays.end());
    double p99 = delays[delays.size() * 99 / 100];

    // Idle: the pages' last states read away first.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    long before = cpuTicks(console);
    std::this_thread::sleep_for(idleSpan);
    long spent = cpuTicks(console) - before;
    double share = 100.0 * static_cast<double>(spent) / static_cast<double>(sysconf(_SC_CLK_TCK)) /
                   static_cast<double>(idleSpan.count());
    std::printf("web_p99_ms=%.2f web_idle_cpu=%.2f web_p50_ms=%.2f\n", p99, share,
                delays[delays.size() / 2]);
    return 0;
}

} // namespace

int main()
{
    pid_t console = -1;
    std::string token = startConsole(console);
    int status = 1;
    if (token.empty())
        std::cerr << "web bench: the console did not print its links\n";
    else
        status = measure(console, token);
    kill(console, SIGTERM);
    waitpid(console, nullptr, 0);
    return status;
}
