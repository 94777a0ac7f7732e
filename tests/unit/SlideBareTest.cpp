#include "support/Events.hpp"

#include "audio/Sound.hpp"
#include "ui/SlideBare.hpp"

#include <gtest/gtest.h>

namespace {

using namespace events;

// Stands in for the music or the effect bank and remembers what the slider asked of it.
class VolumeProbe final : public Sound {
public:
    float volume = 100.f;
    int previews = 0;
    int applies = 0;
    void setVolume(float newVolume) override { volume = newVolume; }
    void previewVolume() override { ++previews; }
    void applyVolume() override { ++applies; }
    float getVolume() override { return volume; }
};

// A slider on a page's first row; at full volume its knob stands at x = 730.
struct Slider {
    VolumeProbe music;
    Sfx sfx;
    SlideBare slider{"Musique Volume", &music, &sfx};
    Slider() { slider.setPosition({130.f, 300.f}); }

    void send(const sf::Event& event, int x, int y = 320) { slider.handleEvent(event, {x, y}); }
    void moveTo(int x, int y = 320) { send(moved({x, y}), x, y); }
};

TEST(SlideBareTest, DraggingPreviewsWholeVolumesAndReleaseAppliesTheLastInRange)
{
    Slider s;
    s.moveTo(730);
    s.send(press({730, 320}), 730);
    // The track runs from x = 431 to 730; the last value inside it stays, and only moves inside
    // it are previewed.
    const std::pair<int, float> dragged[] = {{580, 50.f}, {431, 0.f},   {430, 0.f},
                                             {432, 0.f},  {730, 100.f}, {731, 100.f},
                                             {700, 90.f}, {900, 90.f},  {300, 90.f}};
    for (const auto& [x, volume] : dragged) {
        s.moveTo(x, 700);
        EXPECT_EQ(s.music.volume, volume) << "x = " << x;
    }
    EXPECT_EQ(s.music.previews, 5);
    EXPECT_EQ(s.music.applies, 0);
    s.send(release({300, 700}), 300, 700);
    EXPECT_EQ(s.music.applies, 1);

    // Released: moving no longer drags.
    s.moveTo(500);
    s.send(release({500, 320}), 500);
    EXPECT_EQ(s.music.volume, 90.f);
    EXPECT_EQ(s.music.applies, 1);
}

TEST(SlideBareTest, OnlyAPressOnTheKnobWhereTheVolumeStandsStartsADrag)
{
    Slider s;
    s.music.volume = 50.f;
    SlideBare half("SFX Volume", &s.music, &s.sfx);
    half.setPosition({130.f, 300.f});
    for (int x : {730, 500, 719, 580}) {
        half.handleEvent(moved({x, 320}), {x, 320});
        half.handleEvent(press({x, 320}), {x, 320});
        half.handleEvent(moved({610, 320}), {610, 320});
        EXPECT_EQ(s.music.volume, x == 580 ? 60.f : 50.f) << "x = " << x;
    }
}

} // namespace
