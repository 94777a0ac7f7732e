#include "../tests/unit/support/RawPeer.hpp"
#include "core/Game.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iostream>
#include <streambuf>
#include <thread>

namespace {

constexpr int BurstSize = 10000;

// Counts the trace lines the game writes and throws them away: one line per request handled,
// so the benchmark knows when the burst is done without flooding its own output.
class LineCounter : public std::streambuf {
public:
    long lines = 0;

protected:
    int_type overflow(int_type c) override
    {
        if (c == '\n')
            ++lines;
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        lines += std::count(text, text + count, '\n');
        return count;
    }
};

// A console's burst of small requests: scans and object queries, each answered with a reply.
Protocol::Bytes requestBurst()
{
    Protocol::Bytes burst;
    for (int i = 0; i < BurstSize; ++i) {
        const Protocol::Bytes frame =
            i % 2 == 0 ? Protocol::encode(Protocol::SendMonsterPosition{})
                       : Protocol::encode(Protocol::SendObjectPosition{3 + i % 5});
        burst.insert(burst.end(), frame.begin(), frame.end());
    }
    return burst;
}

// The time for the game's polls to handle a burst of 10,000 requests that have all arrived,
// replies queued and sent included. "polls" says how many polls that took (one is the aim).
void NetworkDrainBurst(benchmark::State& state)
{
    Game game;
    RawPeer listener = RawPeer::listenOn(Protocol::Port);
    if (!listener.isConnected()) {
        state.SkipWithError("port 3000 is taken: run inside unshare --net");
        return;
    }
    game.getNetwork().getAddress() = "127.0.0.1";
    game.getNetwork().getStatus() = 1;
    game.getNetwork().poll();
    if (game.getNetwork().getStatus() != 2) {
        state.SkipWithError("the game did not connect");
        return;
    }
    RawPeer console = listener.accept();
    // Room for the whole burst on the game's side before it reads.
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_RCVBUF, 4 * 1024 * 1024);

    const Protocol::Bytes burst = requestBurst();
    const std::size_t replyBytes = BurstSize * 16;
    LineCounter counter;
    std::streambuf* const trace = std::cout.rdbuf(&counter);
    long polls = 0;

    for (auto _ : state) {
        state.PauseTiming();
        counter.lines = 0;
        // Written from another thread so that a burst larger than the socket buffers cannot
        // stall the benchmark; it has normally all arrived before the game polls.
        std::thread writer([&console, &burst] { console.send(burst); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state.ResumeTiming();

        for (int attempt = 0; counter.lines < BurstSize && attempt < 1000; ++attempt) {
            game.getNetwork().poll();
            ++polls;
        }

        state.PauseTiming();
        writer.join();
        std::size_t received = 0;
        for (int attempt = 0; received < replyBytes && attempt < 10000; ++attempt) {
            received += console.readAvailable().size();
            game.getNetwork().poll();
        }
        state.ResumeTiming();
    }

    std::cout.rdbuf(trace);
    state.counters["polls"] =
        benchmark::Counter(static_cast<double>(polls), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * BurstSize);
}

} // namespace

BENCHMARK(NetworkDrainBurst)->Unit(benchmark::kMillisecond)->Iterations(50);
