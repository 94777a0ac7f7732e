#include "audio/Music.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>

Music::Music() : fadeLevel(0.f), musicState(2), transition(4), volume(100.f)
{
    const char* files[] = {"data/music/Layer1.wav", "data/music/Layer2.wav",
                           "data/music/Layer3.wav", "data/music/Layer4.wav",
                           "data/music/MenuMusic.wav", "data/music/Ambiance.wav"};
    sf::Music* tracks[] = {&Layer1, &Layer2, &Layer3, &Layer4, &MenuMusic, &Ambiance};
    // The audio library names the file on standard error; the game adds nothing of its own.
    for (int i = 0; i < TrackCount; ++i) {
        if (!tracks[i]->openFromFile(files[i]))
            std::exit(1);
    }
    for (sf::Music* track : tracks)
        track->setLoop(true);
}

void Music::setState(int state)
{
    musicState = state;
    // A stopped stream restarts from its beginning, so the layers start together at 0.
    for (sf::Music* track : {&Layer1, &Layer2, &Layer3, &Layer4, &MenuMusic, &Ambiance})
        track->stop();

    switch (state) {
    case 0:
        MenuMusic.play();
        break;
    case 1:
        Layer1.setVolume(volume);
        Layer2.setVolume(0.f);
        Layer3.setVolume(0.f);
        Layer4.setVolume(0.f);
        for (sf::Music* layer : {&Layer1, &Layer2, &Layer3, &Layer4})
            layer->play();
        Ambiance.setVolume(50.f);
        Ambiance.play();
        break;
    case 2:
        break;
    default:
        std::cout << "Unsupported game state" << std::endl;
        std::exit(1);
    }
}

void Music::startTransition(int target, const char* name)
{
    if (musicState == 1) {
        fadeLevel = 0.f;
        transition = target;
    } else {
        std::cout << "You should call " << name << " only in the game state." << std::endl;
    }
}

void Music::playLayer1()
{
    std::cout << "Layer 1 playing" << std::endl;
    startTransition(0, "playLayer1");
}

void Music::playLayer2()
{
    std::cout << "Layer 2 playing" << std::endl;
    startTransition(1, "playLayer2");
}

void Music::playLayer3()
{
    std::cout << "Layer 3 playing" << std::endl;
    startTransition(2, "playLayer3");
}

void Music::playLayer4()
{
    std::cout << "Layer 4 playing" << std::endl;
    startTransition(3, "playLayer4");
}

void Music::stopMusic()
{
    std::cout << "No musixc" << std::endl;
    startTransition(5, "stopMusic");
}

void Music::update(float dt)
{
    if (transition == 4)
        return;

    // The fade runs at 100 volume units per second, whatever the music volume.
    const float step = dt * 100.f;
    sf::Music* layers[] = {&Layer1, &Layer2, &Layer3, &Layer4};
    if (transition != 5)
        std::cout << "[MUSIQUE] playing layer" << transition + 1 << "\n";
    fadeLevel = std::min(fadeLevel + step, 100.f);

    if (volume > fadeLevel) {
        if (transition == 5) {
            for (sf::Music* layer : layers)
                layer->setVolume(std::max(layer->getVolume() - step, 0.f));
        } else {
            // The layer below gives up what the target takes, so the two always sum to volume;
            // the fade towards layer 1 has nothing below it and only raises layer 1.
            if (transition > 0)
                layers[transition - 1]->setVolume(volume - fadeLevel);
            layers[transition]->setVolume(fadeLevel);
        }
    } else {
        for (int i = 0; i < 4; ++i)
            layers[i]->setVolume(i == transition ? volume : 0.f);
        transition = 4;
    }
    std::cout << "_volume=" << fadeLevel << std::endl;
}

void Music::setVolume(float newVolume)
{
    volume = newVolume;
}

void Music::previewVolume()
{
    MenuMusic.setVolume(volume);
}

void Music::applyVolume()
{
    for (sf::Music* track : {&MenuMusic, &Layer1, &Layer2, &Layer3, &Layer4})
        track->setVolume(volume);
}

float Music::getVolume()
{
    return volume;
}

const sf::Music& Music::getTrack(int index) const
{
    const sf::Music* tracks[] = {&Layer1, &Layer2, &Layer3, &Layer4, &MenuMusic, &Ambiance};
    return *tracks[index];
}
