#include "core/Game.hpp"
#include "net/FrameReader.hpp"
#include "net/Protocol.hpp"

#include <cstddef>
#include <cstdint>
#include <iostream>

// Plays an input as the bytes a console sent in one frame: cut into frames as the connection
// does, each payload handed to the game's dispatch. One game lives for the whole run, as the
// real one does across messages.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The traces would only slow the run down; the fuzzer reports on its own channel.
    std::cout.rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Game* const game = new Game;
    FrameReader reader;
    reader.append(data, size);

    const std::uint8_t* payload = nullptr;
    std::size_t length = 0;
    while (reader.next(payload, length)) {
        // A level outside the catalogue ends the process on purpose.
        Protocol::ConsoleMessage message;
        const Protocol::DecodeResult decoded = Protocol::decode(payload, length, message);
        if (decoded.status == Protocol::DecodeStatus::Ok && decoded.code == Protocol::ConsoleCode::LoadMap) {
            const std::int32_t map = std::get<Protocol::LoadMap>(message).map;
            if (map < 0 || map > 6)
                continue;
        }
        game->getNetwork().dispatch(payload, length);
    }
    return 0;
}
