#pragma once

#include "common/AssetList.hpp"

#include <iterator>

// The names of the sound slots, as the asset list gives them: the effects in the bank's order
// and the music tracks in file order. The effect bank and the music take them as their own
// (Sfx::Bip, Music::TrackMenu); the generator names the files it writes with them.
struct SoundSlot {
    enum Effect : int {
#define KESTRIVON_EFFECT_SLOT(name, file) name,
        KESTRIVON_EFFECTS(KESTRIVON_EFFECT_SLOT)
#undef KESTRIVON_EFFECT_SLOT
    };
    static constexpr int EffectCount = static_cast<int>(std::size(assets::effectFiles));

    // The four layers, then the menu theme and the ambience.
    enum Track : int {
#define KESTRIVON_TRACK_SLOT(name, file) name,
        KESTRIVON_TRACKS(KESTRIVON_TRACK_SLOT)
#undef KESTRIVON_TRACK_SLOT
    };
    static constexpr int TrackCount = static_cast<int>(std::size(assets::trackFiles));
};
