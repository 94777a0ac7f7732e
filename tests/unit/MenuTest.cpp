#include "support/CapturedOutput.hpp"
#include "support/Events.hpp"
#include "support/HeardEffects.hpp"
#include "support/TempRunFolder.hpp"

#include "core/Game.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace events;

// A game whose menu is built as at start-up, driven with the pointer given to each event.
// Rows start at y = 300, 60 pixels apart; key boxes span x = 380 to 630.
class MenuTest : public testing::Test {
protected:
    MenuTest() : menu(game.getMenu())
    {
        game.getTextures().load();
        game.getFonts().load();
        menu.build();
    }

    void clickAt(int x, int y) { click(menu, {x, y}); }
    bool heard(Sfx::Effect effect) { return playing(game.getSfx(), effect); }

    Game game;
    Menu& menu;
    StillAudio still;
};

// Rows lead to their pages; the statistics page's panel takes no row, so Back is the sixth.
TEST_F(MenuTest, RowsLeadToTheirPagesAndQuitEndsTheGame)
{
    const struct {
        int page;
        int y;
        int next;
    } rows[] = {{Page::Main, 305, Page::Join},   {Page::Main, 365, Page::Settings},
                {Page::Main, 425, Page::Stats},  {Page::Main, 545, Page::Main},
                {Page::Stats, 645, Page::Stats}, {Page::Stats, 605, Page::Main}};
    for (const auto& row : rows) {
        menu.setPage(row.page);
        clickAt(140, row.y);
        EXPECT_EQ(menu.getPage(), row.next) << "page " << row.page << ", y = " << row.y;
    }
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    clickAt(629, 519);
    EXPECT_EQ(game.getState(), GameState::Quit);
}

TEST_F(MenuTest, ThePressThatSwitchesPagesDoesNotReachTheNewPage)
{
    menu.setPage(Page::Settings);
    clickAt(400, 435);
    ASSERT_EQ(menu.getPage(), Page::Controls);
    // The controls page's third key box lies under the same pointer; it must not be listening.
    menu.handleEvent(keyPressed(sf::Keyboard::K), {400, 435});
    EXPECT_EQ(game.getPlayer().getKey("right"), sf::Keyboard::D);
}

// Each row of the controls page rebinds the key the player acts with, and the old key stops.
TEST_F(MenuTest, ControlsRowsChangeTheKeysThePlayerMovesWith)
{
    {
        CapturedOutput quiet;
        game.getLevel().load("data/level/Tutorial.txt");
        // Past the frozen start of the level.
        game.getPlayer().update(10.f);
        game.getPlayer().update(10.f);
    }
    const struct {
        int y;
        const char* action;
        sf::Keyboard::Key old;
        int moveState;
    } rows[] = {{305, "up", sf::Keyboard::W, MoveState::Stepping},
                {365, "left", sf::Keyboard::A, MoveState::TurningLeft},
                {425, "right", sf::Keyboard::D, MoveState::TurningRight},
                {485, "action", sf::Keyboard::E, MoveState::Still}};
    Player& player = game.getPlayer();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        menu.setPage(Page::Controls);
        clickAt(400, row.y);
        menu.handleEvent(keyPressed(sf::Keyboard::K), {400, row.y});
        EXPECT_EQ(player.getKey(row.action), sf::Keyboard::K);

        int afterOldKey = 0;
        int afterNewKey = 0;
        {
            CapturedOutput quiet;
            player.handleEvent(keyPressed(row.old));
            afterOldKey = *player.getMoveState();
            player.handleEvent(keyPressed(sf::Keyboard::K));
            afterNewKey = *player.getMoveState();
            player.update(10.f);
        }
        EXPECT_EQ(afterOldKey, MoveState::Still);
        EXPECT_EQ(afterNewKey, row.moveState);
        player.getKey(row.action) = row.old;
    }
}

// The settings sliders set the volume the game's music and effects play at once released.
TEST_F(MenuTest, SettingsSlidersSetTheMusicAndEffectVolumes)
{
    Music& music = game.getMusic();
    Sfx& sfx = game.getSfx();
    const struct {
        int y;
        std::function<float()> playedVolume;
    } sliders[] = {
        {320, [&] { return music.getTrack(Music::TrackLayer1).getVolume(); }},
        {380, [&] { return sfx.getVoice(Sfx::Steps).getVolume(); }},
    };
    for (const auto& slider : sliders) {
        SCOPED_TRACE(slider.y);
        menu.setPage(Page::Settings);
        // At full volume the knob stands at x = 730; dragged to 580 it reads 50.
        clickAt(730, slider.y);
        menu.handleEvent(moved({580, slider.y}), {580, slider.y});
        menu.handleEvent(release({580, slider.y}), {580, slider.y});
        EXPECT_NEAR(slider.playedVolume(), 50.f, 0.01f);
    }
    music.setState(Music::GameLayers);
    EXPECT_NEAR(music.getTrack(Music::TrackLayer1).getVolume(), 50.f, 0.01f);
    music.setState(Music::Silence);
}

TEST_F(MenuTest, EndOfGamePageHasTheNameBoxThenTheResultThenSubmit)
{
    menu.setPage(Page::EndOfGame);
    menu.handleEvent(moved({140, 375}), {140, 375});
    EXPECT_TRUE(heard(Sfx::MenuHover));

    clickAt(400, 305);
    for (char letter : std::string("ACE"))
        menu.handleEvent(textEntered(static_cast<sf::Uint32>(letter)), {400, 305});
    EXPECT_EQ(game.getScore().currentEntry().getName(), "ACE");

    // Submit, on the third row, saves the table in the working folder and opens the statistics.
    menu.handleEvent(keyPressed(sf::Keyboard::Return), {400, 305});
    game.getScore().currentEntry().setTotal(99999.f);
    const TempRunFolder folder;
    folder.enter();
    clickAt(140, 425);
    EXPECT_EQ(menu.getPage(), Page::Stats);
    EXPECT_EQ(folder.read("data/Score.txt").rfind("ACE\n", 0), 0u);
}

// Nothing to assert: each case fails by crashing.
TEST_F(MenuTest, DoesNotCrashWithoutAPageToShow)
{
    Game unbuilt;
    unbuilt.getMenu().handleEvent(press({140, 305}), {140, 305});
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(1280, 720));
    for (int page : {-1, 9}) {
        menu.setPage(page);
        clickAt(140, 305);
        menu.draw(picture);
    }
}

} // namespace
