#include "support/CapturedOutput.hpp"

#include "audio/Music.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Volumes = std::array<float, Music::TrackCount>;

// Every track's volume, with -1 for a track that is not playing.
void expectHeard(const Music& music, const Volumes& expected)
{
    for (int track = 0; track < Music::TrackCount; ++track) {
        const sf::Music& stream = music.getTrack(track);
        const bool playing = stream.getStatus() == sf::SoundSource::Playing;
        EXPECT_NEAR(playing ? stream.getVolume() : -1.f, expected[track], 0.01f) << track;
    }
}

// Each fade moves 100 volume units a second from where the layers stand; a frame longer than the
// fade ends it, and the ambience plays on.
TEST(MusicTest, FadesMoveTheAudibleLayerFromWhereTheLayersStand)
{
    Music music;
    music.setState(Music::GameLayers);
    const struct {
        void (Music::*start)();
        float dt;
        Volumes after;
    } frames[] = {
        {&Music::playLayer2, 0.25f, {75, 25, 0, 0, -1, 50}},
        {&Music::playLayer3, 0.25f, {75, 75, 25, 0, -1, 50}},
        {nullptr, 0.75f, {0, 0, 100, 0, -1, 50}},
        {&Music::playLayer1, 0.25f, {25, 0, 100, 0, -1, 50}},
        {nullptr, 0.75f, {100, 0, 0, 0, -1, 50}},
        {&Music::playLayer4, 1.f, {0, 0, 0, 100, -1, 50}},
        {&Music::playLayer2, 5.f, {0, 100, 0, 0, -1, 50}},
        {&Music::playLayer3, 0.5f, {0, 50, 50, 0, -1, 50}},
        {&Music::stopMusic, 0.2f, {0, 30, 30, 0, -1, 50}},
        {nullptr, 0.8f, {0, 0, 0, 0, -1, 50}},
    };
    CapturedOutput quiet;
    for (const auto& frame : frames) {
        if (frame.start)
            (music.*frame.start)();
        music.update(frame.dt);
        expectHeard(music, frame.after);
    }
}

// Tracks in order: the four layers, the menu theme, the ambience. Each state plays its tracks at
// the slider's volume. In a cross-fade the layer below gives up what the target takes until the
// target has the whole volume; each frame of a fade leaves a trace line, and a fade-out names no
// layer.
TEST(MusicTest, StatesPlayTheirTracksAndACrossFadeSumsToTheVolumeTracingEachFrameUntilSettled)
{
    Music music;
    expectHeard(music, {-1, -1, -1, -1, -1, -1});
    music.setVolume(35.f);
    music.applyVolume();
    const std::pair<int, Volumes> states[] = {
        {Music::MenuTheme, {-1, -1, -1, -1, 35, -1}},
        {Music::GameLayers, {35, 0, 0, 0, -1, 50}},
        {Music::Silence, {-1, -1, -1, -1, -1, -1}},
    };
    for (const auto& [state, volumes] : states) {
        SCOPED_TRACE(state);
        music.setState(state);
        expectHeard(music, volumes);
    }

    music.setVolume(50.f);
    music.setState(Music::GameLayers);
    CapturedOutput out;
    music.playLayer2();
    music.update(0.25f);
    expectHeard(music, {25, 25, 0, 0, -1, 50});
    music.update(0.25f);
    expectHeard(music, {0, 50, 0, 0, -1, 50});
    music.update(0.1f);
    music.stopMusic();
    music.update(0.2f);
    expectHeard(music, {0, 30, 0, 0, -1, 50});
    EXPECT_EQ(out.take(), "Layer 2 playing\n[MUSIQUE] playing layer2\n_volume=25\n"
                          "[MUSIQUE] playing layer2\n_volume=50\nNo musixc\n_volume=20\n");
}

// On the menu the layers do not fade, and dragging the slider is heard on the theme alone; the
// release reaches the layers, and the ambience keeps its own volume.
TEST(MusicTest, OnTheMenuFadesOnlyComplainAndTheSliderAppliesToTheLayersOnRelease)
{
    Music music;
    music.setState(Music::MenuTheme);
    CapturedOutput out;
    music.playLayer4();
    music.stopMusic();
    music.update(0.5f);
    EXPECT_EQ(out.take(), "Layer 4 playing\nYou should call playLayer4 only in the game state.\n"
                          "No musixc\nYou should call stopMusic only in the game state.\n");
    music.setVolume(40.f);
    music.previewVolume();
    expectHeard(music, {-1, -1, -1, -1, 40, -1});
    EXPECT_NEAR(music.getTrack(Music::TrackLayer4).getVolume(), 100.f, 0.01f);
    music.applyVolume();
    EXPECT_NEAR(music.getTrack(Music::TrackLayer4).getVolume(), 40.f, 0.01f);
    EXPECT_NEAR(music.getTrack(Music::TrackAmbiance).getVolume(), 100.f, 0.01f);
}

} // namespace
