#include "support/Events.hpp"

#include "audio/Music.hpp"
#include "ui/SlideBare.hpp"

#include <gtest/gtest.h>

namespace {

using namespace events;

// A music slider on a page's first row; at full volume its knob stands at x = 730. Dragging is
// heard on the menu theme, the release reaches the game's layers.
TEST(SlideBareTest, DraggingTheKnobPreviewsWholeVolumesAndReleaseAppliesTheLastInRange)
{
    Music music;
    Sfx sfx;
    SlideBare slider("Musique Volume", &music, &sfx);
    slider.setPosition({130.f, 300.f});
    const sf::Music& applied = music.getTrack(Music::TrackLayer1);
    click(slider, {730, 320});
    // The track runs from x = 431 to 730; the last value inside it stays.
    const std::pair<int, float> dragged[] = {{580, 50.f}, {431, 0.f},   {430, 0.f},
                                             {432, 0.f},  {730, 100.f}, {731, 100.f},
                                             {700, 90.f}, {900, 90.f},  {300, 90.f}};
    for (const auto& [x, volume] : dragged) {
        slider.handleEvent(moved({x, 700}), {x, 700});
        EXPECT_EQ(music.getVolume(), volume) << "x = " << x;
        EXPECT_NEAR(music.getTrack(Music::TrackMenu).getVolume(), volume, 0.01f) << "x = " << x;
    }
    EXPECT_NEAR(applied.getVolume(), 100.f, 0.01f);
    slider.handleEvent(release({300, 700}), {300, 700});
    EXPECT_NEAR(applied.getVolume(), 90.f, 0.01f);

    // Released: moving no longer drags, and only a press on the knob where the volume now stands
    // starts a new drag.
    slider.handleEvent(moved({500, 320}), {500, 320});
    EXPECT_EQ(music.getVolume(), 90.f);
    for (int x : {730, 500, 719, 700}) {
        click(slider, {x, 320});
        slider.handleEvent(moved({610, 320}), {610, 320});
        EXPECT_EQ(music.getVolume(), x == 700 ? 60.f : 90.f) << "x = " << x;
    }
}

} // namespace
