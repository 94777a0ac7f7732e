#include "MenuEvents.hpp"

#include "audio/Sound.hpp"
#include "ui/SlideBare.hpp"

#include <gtest/gtest.h>

namespace {

using namespace menuEvents;

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

struct MusicSlider {
    VolumeProbe music;
    Sfx sfx;
    SlideBare slider{"Musique Volume", &music, &sfx};
    MusicSlider() { slider.setPosition({130.f, 300.f}); }

    void moveTo(int x, int y = 320) { slider.handleEvent(moved(x, y), {x, y}); }
    // At full volume the knob stands at x = 730.
    void grab()
    {
        moveTo(730);
        slider.handleEvent(press(), {730, 320});
    }
};

TEST(SlideBareTest, DraggingSetsTheVolumeInWholeThirdsOfAPixelAndPreviewsIt)
{
    MusicSlider s;
    s.grab();
    const std::pair<int, float> dragged[] = {{580, 50.f}, {431, 0.f}, {432, 0.f}, {730, 100.f}};
    for (const auto& [x, volume] : dragged) {
        s.moveTo(x);
        EXPECT_EQ(s.music.volume, volume) << "x = " << x;
    }
    EXPECT_EQ(s.music.previews, 4);
    EXPECT_EQ(s.music.applies, 0);
}

TEST(SlideBareTest, ReleaseFarAwayEndsTheDragKeepingTheLastValueInRange)
{
    MusicSlider s;
    s.grab();
    s.moveTo(700);
    s.moveTo(900, 700);
    s.slider.handleEvent(release(), {900, 700});
    EXPECT_EQ(s.music.volume, 90.f);
    EXPECT_EQ(s.music.applies, 1);

    s.moveTo(500);
    s.slider.handleEvent(release(), {500, 320});
    EXPECT_EQ(s.music.volume, 90.f);
    EXPECT_EQ(s.music.applies, 1);
}

TEST(SlideBareTest, OnlyAPressOnTheKnobStartsADrag)
{
    MusicSlider s;
    s.moveTo(500);
    s.slider.handleEvent(press(), {500, 320});
    s.moveTo(520);
    s.moveTo(719);
    s.slider.handleEvent(press(), {719, 320});
    s.moveTo(600);
    EXPECT_EQ(s.music.volume, 100.f);
    EXPECT_EQ(s.music.previews, 0);
}

TEST(SlideBareTest, KnobStartsAtTheTargetsVolume)
{
    VolumeProbe effects;
    effects.volume = 50.f;
    Sfx sfx;
    SlideBare slider("SFX Volume", &effects, &sfx);
    slider.setPosition({130.f, 360.f});

    slider.handleEvent(moved(580, 380), {580, 380});
    slider.handleEvent(press(), {580, 380});
    slider.handleEvent(moved(610, 380), {610, 380});
    EXPECT_EQ(effects.volume, 60.f);
}

}
