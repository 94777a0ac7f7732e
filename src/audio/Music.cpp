#include "audio/Music.hpp"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

Music::Music() : fadeLevel(0.f), musicState(Silence), transition(Settled), volume(MaxVolume)
{
    sf::Music* tracks[] = {&Layer1, &Layer2, &Layer3, &Layer4, &MenuMusic, &Ambiance};
    // The audio library names the file on standard error; the game adds nothing of its own.
    for (int i = 0; i < TrackCount; ++i) {
        if (!tracks[i]->openFromFile(assets::inDataFolder(assets::trackFiles[i])))
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
    case MenuTheme:
        MenuMusic.play();
        break;
    case GameLayers:
        Layer1.setVolume(volume);
        Layer2.setVolume(0.f);
        Layer3.setVolume(0.f);
        Layer4.setVolume(0.f);
        for (sf::Music* layer : {&Layer1, &Layer2, &Layer3, &Layer4})
            layer->play();
        Ambiance.setVolume(50.f);
        Ambiance.play();
        break;
    case Silence:
        break;
    default:
        std::cout << "Unsupported game state" << std::endl;
        std::exit(1);
    }
}

void Music::startTransition(int target, const char* name)
{
    if (musicState == GameLayers) {
        fadeLevel = 0.f;
        transition = target;
    } else {
        std::cout << "You should call " << name << " only in the game state." << std::endl;
    }
}

void Music::playLayer1()
{
    std::cout << "Layer 1 playing" << std::endl;
    startTransition(ToLayer1, "playLayer1");
}

void Music::playLayer2()
{
    std::cout << "Layer 2 playing" << std::endl;
    startTransition(ToLayer2, "playLayer2");
}

void Music::playLayer3()
{
    std::cout << "Layer 3 playing" << std::endl;
    startTransition(ToLayer3, "playLayer3");
}

void Music::playLayer4()
{
    std::cout << "Layer 4 playing" << std::endl;
    startTransition(ToLayer4, "playLayer4");
}

void Music::stopMusic()
{
    std::cout << "No musixc" << std::endl;
    startTransition(FadeOut, "stopMusic");
}

void Music::update(float dt)
{
    if (transition == Settled)
        return;

    // A fade from silence to full volume takes one second, whatever the music volume.
    const float step = dt * MaxVolume;
    sf::Music* layers[] = {&Layer1, &Layer2, &Layer3, &Layer4};
    if (transition != FadeOut)
        std::cout << "[MUSIQUE] playing layer" << transition + 1 << "\n";
    fadeLevel = std::min(fadeLevel + step, MaxVolume);

    if (volume > fadeLevel) {
        if (transition == FadeOut) {
            for (sf::Music* layer : layers)
                layer->setVolume(std::max(layer->getVolume() - step, 0.f));
        } else {
            // The layer below gives up what the target takes, so the two always sum to volume;
            // the fade towards layer 1 has nothing below it and only raises layer 1.
            if (transition > ToLayer1)
                layers[transition - 1]->setVolume(volume - fadeLevel);
            layers[transition]->setVolume(fadeLevel);
        }
    } else {
        for (int i = 0; i < static_cast<int>(std::size(layers)); ++i)
            layers[i]->setVolume(i == transition ? volume : 0.f);
        transition = Settled;
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
