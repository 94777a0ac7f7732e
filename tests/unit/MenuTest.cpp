#include "LevelInPlay.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace {

using namespace events;

// A game whose menu is built as at start-up, driven with the pointer given to each event.
// Rows start at y = 300, 60 pixels apart; key boxes span x = 380 to 630 (378 to 632 with their
// outline, which the pointer test counts).
class MenuTest : public testing::Test, protected LevelInPlay {
protected:
    MenuTest() : menu(game.getMenu())
    {
        game.getTextures().load();
        game.getFonts().load();
        menu.build();
    }

    void clickAt(int x, int y) { click(menu, {x, y}); }

    Menu& menu;
};

// Rows lead to their pages; the statistics page's panel takes no row, so Back is the sixth.
TEST_F(MenuTest, RowsLeadToTheirPagesQuitEndsTheGameAndTheSlidersSetTheVolumes)
{
    // The page, the row's y and the page the row leads to.
    const std::tuple<int, int, int> rows[] = {
        {Page::Main, 305, Page::Join},   {Page::Main, 365, Page::Settings},
        {Page::Main, 425, Page::Stats},  {Page::Main, 545, Page::Main},
        {Page::Stats, 645, Page::Stats}, {Page::Controls, 545, Page::Settings},
        {Page::Stats, 605, Page::Main}};
    for (const auto& [page, y, next] : rows) {
        menu.setPage(page);
        clickAt(140, y);
        EXPECT_EQ(menu.getPage(), next) << "page " << page << ", y = " << y;
    }
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    clickAt(629, 519);
    EXPECT_EQ(game.getState(), GameState::Quit);

    // The press that opens the controls page does not reach it: the third key box lies under the
    // same pointer and must not be listening.
    menu.setPage(Page::Settings);
    clickAt(400, 435);
    ASSERT_EQ(menu.getPage(), Page::Controls);
    menu.handleEvent(keyPressed(sf::Keyboard::K), {400, 435});
    EXPECT_EQ(game.getPlayer().getKey("right"), sf::Keyboard::D);

    // The settings sliders set the volume the game's music and effects play at once released; at
    // full volume a knob stands at x = 730, dragged to 580 it reads 50.
    for (int y : {320, 380}) {
        menu.setPage(Page::Settings);
        clickAt(730, y);
        menu.handleEvent(moved({580, y}), {580, y});
        menu.handleEvent(release({580, y}), {580, y});
    }
    EXPECT_NEAR(game.getMusic().getTrack(Music::TrackLayer1).getVolume(), 50.f, 0.01f);
    EXPECT_NEAR(game.getSfx().getVoice(Sfx::Steps).getVolume(), 50.f, 0.01f);
}

// Each row of the controls page rebinds the key the player acts with, and the old key stops.
// Bound from the last row up, the one key does only the earliest action it holds at each step: up
// comes before left, left before right and right before interacting (the object the turn to the
// right faces stays).
TEST_F(MenuTest, ControlsRowsRebindTheKeysAndAKeyBoundTwiceDoesTheEarlierAction)
{
    loadRows("1 1 1 1\n1 0 0 1\n1 3 1 1\n1 1 1 1\n");
    const std::tuple<int, const char*, sf::Keyboard::Key, int> rows[] = {
        {485, "action", sf::Keyboard::E, MoveState::Still},
        {425, "right", sf::Keyboard::D, MoveState::TurningRight},
        {365, "left", sf::Keyboard::A, MoveState::TurningLeft},
        {305, "up", sf::Keyboard::W, MoveState::Stepping}};
    for (const auto& [y, action, old, state] : rows) {
        SCOPED_TRACE(action);
        menu.setPage(Page::Controls);
        clickAt(400, y);
        menu.handleEvent(keyPressed(sf::Keyboard::K), {400, y});
        EXPECT_EQ(player().getKey(action), sf::Keyboard::K);
        place({1, 1});
        printedBy([&] { press(old); });
        EXPECT_EQ(moveState(), MoveState::Still);
        printedBy([&] { press(sf::Keyboard::K); });
        EXPECT_EQ(moveState(), state);
    }
    EXPECT_EQ(cell(1, 2), 3);
}

// The address box keeps 15 characters, the name box 8. The name box is the end-of-game page's
// first row and Submit its third: an empty name is refused and nothing is written; a named result
// is ranked, saved in the working folder and the statistics page opens.
TEST_F(MenuTest, TextBoxesKeepTheirLengthAndTheEndOfGamePageSubmitsANamedResult)
{
    const TempRunFolder folder;
    folder.enter();
    game.getScore().currentEntry().setTotal(99999.f);
    menu.setPage(Page::EndOfGame);
    menu.handleEvent(moved({140, 375}), {140, 375});
    EXPECT_TRUE(playing(Sfx::MenuHover));

    clickAt(140, 425);
    EXPECT_TRUE(playing(Sfx::Invalid));
    EXPECT_EQ(menu.getPage(), Page::EndOfGame);
    EXPECT_EQ(folder.read("data/Score.txt"), "");

    for (const auto& [page, typed] :
         {std::pair{Page::Join, "192.168.100.1234"}, std::pair{Page::EndOfGame, "ACEOFSPADES"}}) {
        menu.setPage(page);
        clickAt(400, 305);
        for (char letter : std::string(typed))
            menu.handleEvent(textEntered(static_cast<sf::Uint32>(letter)), {400, 305});
    }
    EXPECT_EQ(game.getNetwork().getAddress(), "192.168.100.123");
    menu.handleEvent(keyPressed(sf::Keyboard::Return), {400, 305});
    clickAt(140, 425);
    EXPECT_EQ(menu.getPage(), Page::Stats);
    EXPECT_EQ(folder.read("data/Score.txt").rfind("ACEOFSPA\n", 0), 0u);
}

} // namespace
