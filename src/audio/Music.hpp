#pragma once

#include "audio/Sound.hpp"

#include <SFML/Audio/Music.hpp>

// The layered game music, the menu theme and the ambience bed, owned by Game. Four layers of
// one piece run side by side during a game; cross-fades move the audible one upwards.
class Music final : public Sound {
public:
    static constexpr int TrackCount = 6;

    // Opens the six looping tracks; a track that does not open ends the process with status 1.
    Music();

    // 0 menu theme, 1 game layers and ambience, 2 silence; anything else ends the process.
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

    // The tracks in file order: the four layers, then the menu theme and the ambience.
    const sf::Music& getTrack(int index) const;

private:
    // Starts a fade towards a layer (0 to 3) or the fade-out (5); only a game has layers to fade.
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
