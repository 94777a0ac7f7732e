#include "core/Game.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

namespace {

TEST(RegistriesTest, LoadedTexturesKeepTheirSizesAndUnknownKeysGiveOneEmptyAsset)
{
    Game game;
    game.getTextures().load();
    sf::Texture& wall = game.getTextures().get("wall");
    sf::Texture& nothing = game.getTextures().get("nothing");
    EXPECT_EQ(nothing.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(&game.getTextures().get("nothing"), &nothing);
    EXPECT_EQ(&game.getTextures().get("wall"), &wall);
    EXPECT_EQ(wall.getSize(), sf::Vector2u(6000, 250));
    EXPECT_EQ(game.getTextures().get("geiger").getSize(), sf::Vector2u(980, 360));

    sf::Font& font = game.getFonts().get("nothing");
    EXPECT_EQ(&game.getFonts().get("nothing"), &font);
    EXPECT_NE(&game.getFonts().get("other"), &font);
}

TEST(RegistriesTestDeathTest, EachMissingPictureOrFontEndsTheGameWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* missing : {"Texture/MenuBG.jpg", "Texture/MenuFG.png", "Texture/Wall.jpg",
                                "Texture/Geiger.png", "Font/Text.ttf", "Font/Title.ttf"}) {
        TempRunFolder folder;
        folder.linkDataExcept(missing);
        EXPECT_EXIT(
            {
                folder.enter();
                Game game;
                game.getTextures().load();
                game.getFonts().load();
            },
            testing::ExitedWithCode(1), missing);
    }
}

} // namespace
