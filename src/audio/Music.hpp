#pragma once

#include "audio/Sound.hpp"
#include "common/SoundSlot.hpp"

#include <SFML/Audio/Music.hpp>

// The layered game music, the menu theme and the ambience bed, owned by Game. Four layers of
// one piece run side by side during a game; cross-fades move the audible one upwards.
// Its tracks are the slots of SoundSlot::Track.
class Music final : public Sound, public SoundSlot {
public:
    // What setState plays.
    enum State : int { MenuTheme = 0, GameLayers = 1, Silence = 2 };

    // Opens the six looping tracks; a track that does not open ends the process with status 1.
    Music();

    // The menu theme, the game layers with the ambience, or silence; any other state ends the
    // process.
    void setState(int state);
    void playLayer1();
    void playLayer2();
    void playLayer3();
    void playLayer4();
    // Fades the four layers out.
    void stopMusic();
    // Advances a running cross-fade or fade-out by dt seconds.
    void update(float dt);

    void setVolume(float newVolume) override;
    void previewVolume() override;
    void applyVolume() override;
    float getVolume() override;

    const sf::Music& getTrack(int index) const;

private:
    // Where a fade is heading: a layer, by its index among the four, or out.
    enum Transition : int {
        ToLayer1 = 0,
        ToLayer2 = 1,
        ToLayer3 = 2,
        ToLayer4 = 3,
        Settled = 4,
        FadeOut = 5
    };

    // Starts a fade towards a layer or out; only a game has layers to fade.
    void startTransition(int target, const char* name);

    sf::Music Layer1;
    sf::Music Layer2;
    sf::Music Layer3;
    sf::Music Layer4;
    sf::Music MenuMusic;
    sf::Music Ambiance;
    float fadeLevel;
    int musicState;
    int transition;
    float volume;
};
