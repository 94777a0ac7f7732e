#include "operator/Operator.hpp"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace {

// The console's worst frame while a game floods it: one update that reads its whole budget of
// 64 KiB as 8192 step reports, each logged and counted. Listens on 127.0.0.1:3000, so run it
// where no console is listening (inside `unshare --net`).
void BM_ConsoleFloodUpdate(benchmark::State& state)
{
    Operator console(LevelCatalogue("data/level"), Operator::Settings());
    std::string problem;
    if (console.listen("127.0.0.1", problem) != GameLink::ListenResult::Listening) {
        state.SkipWithError(problem.c_str());
        return;
    }
    int game = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(Protocol::Port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(game, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        state.SkipWithError("cannot connect to the console");
        close(game);
        return;
    }
    while (!console.getLink().isConnected())
        console.update();

    const std::size_t moves = GameLink::readBudget / 8;
    const std::uint8_t moved[8] = {0, 0, 0, 4, 0, 0, 0, 1};
    std::vector<std::uint8_t> flood;
    for (std::size_t i = 0; i < moves; ++i)
        flood.insert(flood.end(), moved, moved + 8);

    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t sent = 0; sent < flood.size();)
            sent +=
                static_cast<std::size_t>(send(game, flood.data() + sent, flood.size() - sent, 0));
        state.ResumeTiming();
        std::size_t handled = 0;
        while (handled < moves)
            handled += console.update().size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * moves));
    close(game);
}
BENCHMARK(BM_ConsoleFloodUpdate)->Unit(benchmark::kMillisecond);

} // namespace
