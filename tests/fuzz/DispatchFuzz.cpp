#include "core/Game.hpp"
#include "common/FrameReader.hpp"
#include "common/Protocol.hpp"
#include "common/LevelFile.hpp"

#include <cstddef>
#include <cstdint>

// Plays an input as the bytes a console sent in one frame: cut into frames as the connection
// does, each payload handed to the game's dispatch. One game lives for the whole run, as the
// real one does across messages.
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
        const bool decoded =
            Protocol::decode(payload, length, message).status == Protocol::DecodeStatus::Ok;
        const Protocol::LoadMap* load = std::get_if<Protocol::LoadMap>(&message);
        if (decoded && load && (load->map < 0 || load->map >= LevelCount))
            continue;
        game->getNetwork().dispatch(payload, length);
    }
    return 0;
}
