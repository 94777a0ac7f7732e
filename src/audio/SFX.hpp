#pragma once

#include "audio/Sound.hpp"
#include "common/SoundSlot.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <array>
#include <iterator>
#include <string>

// The bank of the game's sound effects, one for each slot of SoundSlot::Effect, decoded into
// memory at start-up, each played on a voice of its own. Copyable: a copy has its own volume and
// voices over the same samples.
class Sfx final : public Sound, public SoundSlot {
public:

    // Loads the effects in list order; the first that fails ends the process with status 1.
    Sfx();
    Sfx(const Sfx& other);
    Sfx& operator=(const Sfx& other);

    // One play operation per slot of the asset list, named after it (playDoorCrush). Each starts
    // its slot's voice; play() says which effects do more.
#define KESTRIVON_PLAY_OPERATION(name, file) void play##name() { play(name); }
    KESTRIVON_EFFECTS(KESTRIVON_PLAY_OPERATION)
#undef KESTRIVON_PLAY_OPERATION

    // Gives the voice a pitch of 1, 2, 3 or 4 drawn from rand.
    static void randomizePitch(sf::Sound& voice);

    void setVolume(float volume) override;
    void previewVolume() override;
    void applyVolume() override;
    float getVolume() override;

    // The voice of one effect, by its position in the load order.
    const sf::Sound& getVoice(int effect) const;

private:
    void play(Effect effect);

    float volume;
    std::array<std::string, EffectCount> paths;
    std::array<sf::SoundBuffer, EffectCount> buffers;
    std::array<sf::Sound, EffectCount> voices;
};
