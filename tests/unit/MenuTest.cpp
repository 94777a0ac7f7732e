#include "MenuEvents.hpp"

#include "core/Game.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

namespace {

using namespace menuEvents;

// A game whose menu is built as at start-up, driven with the pointer given to each event.
class MenuTest : public testing::Test {
protected:
    MenuTest() : menu(game.getMenu())
    {
        game.getTextures().load();
        game.getFonts().load();
        menu.build();
    }

    void clickAt(int x, int y)
    {
        menu.handleEvent(moved(x, y), {x, y});
        menu.handleEvent(press(), {x, y});
    }

    bool heard(Effect effect) { return playing(game.getSfx(), effect); }

    Game game;
    Menu& menu;
    StillAudio still;
};

TEST_F(MenuTest, MainPageRowsLeadToTheirPagesAndQuit)
{
    const struct {
        int y;
        int page;
    } rows[] = {{305, Page::Join}, {365, Page::Settings}, {425, Page::Stats}};
    for (const auto& row : rows) {
        menu.setPage(Page::Main);
        clickAt(140, row.y);
        EXPECT_EQ(menu.getPage(), row.page) << "y = " << row.y;
    }

    menu.setPage(Page::Main);
    clickAt(140, 545);
    EXPECT_EQ(menu.getPage(), Page::Main);
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    clickAt(629, 519);
    EXPECT_EQ(game.getState(), GameState::Quit);
    EXPECT_EQ(menu.getPage(), Page::Main);
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

TEST_F(MenuTest, StatisticsPanelTakesNoRowOnTheStatisticsPage)
{
    menu.setPage(Page::Stats);
    menu.handleEvent(moved(140, 305), {140, 305});
    EXPECT_TRUE(heard(MenuHover));

    clickAt(140, 645);
    EXPECT_EQ(menu.getPage(), Page::Stats);
    clickAt(140, 605);
    EXPECT_EQ(menu.getPage(), Page::Main);
}

TEST_F(MenuTest, EndOfGamePageHasTheNameBoxTheResultAndSubmitInThatOrder)
{
    menu.setPage(Page::EndOfGame);
    menu.handleEvent(moved(140, 375), {140, 375});
    EXPECT_TRUE(heard(MenuHover));

    clickAt(400, 305);
    for (char letter : std::string("ACE"))
        menu.handleEvent(textEntered(static_cast<sf::Uint32>(letter)), {400, 305});
    EXPECT_EQ(game.getScore().currentEntry().getName(), "ACE");

    game.getScore().currentEntry().getName().clear();
    clickAt(140, 425);
    EXPECT_TRUE(heard(Invalid));
    EXPECT_EQ(menu.getPage(), Page::EndOfGame);
}

TEST_F(MenuTest, APageNumberWithoutAPageShowsOnlyTheBackdrop)
{
    Game unbuilt;
    unbuilt.getMenu().handleEvent(press(), {140, 305});

    menu.setPage(9);
    clickAt(140, 305);
    sf::RenderTexture picture;
    ASSERT_TRUE(picture.create(1280, 720));
    menu.draw(picture);
    EXPECT_EQ(menu.getPage(), 9);
}

}
