#include "audio/Music.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

float volumeOf(const Music& music, Music::Track track)
{
    return music.getTrack(track).getVolume();
}

bool isPlaying(const Music& music, Music::Track track)
{
    return music.getTrack(track).getStatus() == sf::SoundSource::Playing;
}

void expectLayers(const Music& music, float layer1, float layer2, float layer3, float layer4)
{
    EXPECT_NEAR(volumeOf(music, Music::TrackLayer1), layer1, 0.01f);
    EXPECT_NEAR(volumeOf(music, Music::TrackLayer2), layer2, 0.01f);
    EXPECT_NEAR(volumeOf(music, Music::TrackLayer3), layer3, 0.01f);
    EXPECT_NEAR(volumeOf(music, Music::TrackLayer4), layer4, 0.01f);
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

TEST(MusicTest, MenuAndGameStatesPlayTheirTracksAtTheirVolumes)
{
    Music music;
    for (int track = Music::TrackLayer1; track <= Music::TrackAmbiance; ++track)
        EXPECT_FALSE(isPlaying(music, static_cast<Music::Track>(track)));

    music.setState(Music::MenuTheme);
    EXPECT_TRUE(isPlaying(music, Music::TrackMenu));
    EXPECT_FALSE(isPlaying(music, Music::TrackLayer1));

    music.setVolume(35.f);
    music.applyVolume();
    music.setState(Music::GameLayers);
    EXPECT_FALSE(isPlaying(music, Music::TrackMenu));
    for (int track = Music::TrackLayer1; track <= Music::TrackLayer4; ++track)
        EXPECT_TRUE(isPlaying(music, static_cast<Music::Track>(track)));
    expectLayers(music, 35.f, 0.f, 0.f, 0.f);
    EXPECT_TRUE(isPlaying(music, Music::TrackAmbiance));
    EXPECT_NEAR(volumeOf(music, Music::TrackAmbiance), 50.f, 0.01f);

    music.setState(Music::Silence);
    for (int track = Music::TrackLayer1; track <= Music::TrackAmbiance; ++track)
        EXPECT_FALSE(isPlaying(music, static_cast<Music::Track>(track)));
}

TEST(MusicTest, CrossFadeKeepsBothLayersSummingToVolumeForVolumeOverHundredSeconds)
{
    Music music;
    music.setVolume(75.f);
    music.setState(Music::GameLayers);
    CaptureStdout();
    music.playLayer2();
    for (int frame = 1; frame <= 5; ++frame) {
        music.update(0.125f);
        EXPECT_NEAR(volumeOf(music, Music::TrackLayer1) + volumeOf(music, Music::TrackLayer2), 75.f,
                    0.01f);
        EXPECT_NEAR(volumeOf(music, Music::TrackLayer2), frame * 12.5f, 0.01f);
    }
    music.update(0.125f);
    expectLayers(music, 0.f, 75.f, 0.f, 0.f);
    music.update(0.125f);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out.rfind("Layer 2 playing\n[MUSIQUE] playing layer2\n_volume=12.5\n", 0), 0u);
    EXPECT_EQ(count(out, "[MUSIQUE] playing layer2\n"), 6u);
    EXPECT_EQ(count(out, "_volume="), 6u);
    EXPECT_NE(out.find("_volume=75\n"), std::string::npos);
}

TEST(MusicTest, SilentOrLongFramesEndTheFadeAtOnce)
{
    Music music;
    music.setState(Music::GameLayers);
    music.playLayer2();
    music.update(1.f);
    expectLayers(music, 0.f, 100.f, 0.f, 0.f);
    music.stopMusic();
    music.update(1.5f);
    expectLayers(music, 0.f, 0.f, 0.f, 0.f);

    music.setVolume(0.f);
    music.setState(Music::GameLayers);
    CaptureStdout();
    music.playLayer3();
    music.update(0.001f);
    music.update(0.001f);
    const std::string out = GetCapturedStdout();
    expectLayers(music, 0.f, 0.f, 0.f, 0.f);
    EXPECT_EQ(count(out, "_volume="), 1u);
    EXPECT_EQ(count(out, "[MUSIQUE] playing layer3\n"), 1u);
}

TEST(MusicTest, NewFadeRestartsFromTheLayerItLeaves)
{
    Music music;
    music.setState(Music::GameLayers);
    music.playLayer2();
    music.update(0.25f);
    expectLayers(music, 75.f, 25.f, 0.f, 0.f);

    music.playLayer3();
    music.update(0.25f);
    expectLayers(music, 75.f, 75.f, 25.f, 0.f);
    music.update(0.75f);
    expectLayers(music, 0.f, 0.f, 100.f, 0.f);

    music.playLayer1();
    music.update(0.25f);
    expectLayers(music, 25.f, 0.f, 100.f, 0.f);
    music.update(0.75f);
    expectLayers(music, 100.f, 0.f, 0.f, 0.f);
}

TEST(MusicTest, FadeOutLowersEachLayerFromItsOwnVolume)
{
    Music music;
    music.setState(Music::GameLayers);
    music.playLayer2();
    music.update(1.f);
    music.playLayer3();
    music.update(0.5f);
    CaptureStdout();
    music.stopMusic();
    music.update(0.2f);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out, "No musixc\n_volume=20\n");
    expectLayers(music, 0.f, 30.f, 30.f, 0.f);
    music.update(0.8f);
    expectLayers(music, 0.f, 0.f, 0.f, 0.f);
    EXPECT_NEAR(volumeOf(music, Music::TrackAmbiance), 50.f, 0.01f);
    EXPECT_TRUE(isPlaying(music, Music::TrackAmbiance));
}

TEST(MusicTest, FadesOutsideTheGameOnlyComplain)
{
    Music music;
    music.setState(Music::MenuTheme);
    CaptureStdout();
    music.playLayer1();
    music.playLayer2();
    music.playLayer3();
    music.playLayer4();
    music.stopMusic();
    music.update(0.5f);
    EXPECT_EQ(GetCapturedStdout(),
              "Layer 1 playing\nYou should call playLayer1 only in the game state.\n"
              "Layer 2 playing\nYou should call playLayer2 only in the game state.\n"
              "Layer 3 playing\nYou should call playLayer3 only in the game state.\n"
              "Layer 4 playing\nYou should call playLayer4 only in the game state.\n"
              "No musixc\nYou should call stopMusic only in the game state.\n");
    expectLayers(music, 100.f, 100.f, 100.f, 100.f);
}

TEST(MusicTest, SliderPreviewsOnTheMenuThemeAndAppliesToTheLayersOnRelease)
{
    Music music;
    music.setState(Music::MenuTheme);
    EXPECT_FLOAT_EQ(music.getVolume(), 100.f);
    music.setVolume(40.f);
    music.previewVolume();
    EXPECT_NEAR(volumeOf(music, Music::TrackMenu), 40.f, 0.01f);
    expectLayers(music, 100.f, 100.f, 100.f, 100.f);

    music.setVolume(20.f);
    music.previewVolume();
    music.applyVolume();
    EXPECT_FLOAT_EQ(music.getVolume(), 20.f);
    EXPECT_NEAR(volumeOf(music, Music::TrackMenu), 20.f, 0.01f);
    expectLayers(music, 20.f, 20.f, 20.f, 20.f);
    EXPECT_NEAR(volumeOf(music, Music::TrackAmbiance), 100.f, 0.01f);

    music.setState(Music::GameLayers);
    expectLayers(music, 20.f, 0.f, 0.f, 0.f);
    EXPECT_NEAR(volumeOf(music, Music::TrackAmbiance), 50.f, 0.01f);
}

TEST(MusicTestDeathTest, UnknownMusicStateEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Music music;
            music.setState(3);
        },
        testing::ExitedWithCode(1), "");
}

}
