#include "audio/Music.hpp"

#include <cstdlib>

Music::Music() : fadeLevel(0.f), musicState(2), transition(4), volume(100.f)
{
    sf::Music* tracks[] = {&Layer1, &Layer2, &Layer3, &Layer4, &MenuMusic, &Ambiance};
    const char* files[] = {"data/music/Layer1.wav", "data/music/Layer2.wav",
                           "data/music/Layer3.wav", "data/music/Layer4.wav",
                           "data/music/MenuMusic.wav", "data/music/Ambiance.wav"};
    for (int i = 0; i < 6; ++i) {
        if (!tracks[i]->openFromFile(files[i]))
            std::exit(1);
    }
    for (sf::Music* track : tracks)
        track->setLoop(true);
}

void Music::setState(int state) { musicState = state; }
void Music::playLayer1() {}
void Music::playLayer2() {}
void Music::playLayer3() {}
void Music::playLayer4() {}
void Music::stopMusic() {}
void Music::update(float) {}
void Music::setVolume(float newVolume) { volume = newVolume; }
void Music::previewVolume() {}
void Music::applyVolume() {}
float Music::getVolume() { return volume; }
