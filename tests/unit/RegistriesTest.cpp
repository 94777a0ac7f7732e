#include "core/Game.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

namespace {

// A name never loaded gives an empty asset, the same one at every later lookup, loads between
// them included.
TEST(RegistriesTest, TexturesLoadAtTheirSizesAndAnUnknownNameGivesOneEmptyAssetThatStays)
{
    Game game;
    const sf::Texture& noTexture = game.getTextures().get("nothing");
    const sf::Font& noFont = game.getFonts().get("nothing");
    game.getTextures().load();
    game.getFonts().load();
    EXPECT_EQ(game.getTextures().get("wall").getSize(), sf::Vector2u(6000, 250));
    EXPECT_EQ(game.getTextures().get("geiger").getSize(), sf::Vector2u(980, 360));
    EXPECT_EQ(noTexture.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(noFont.getInfo().family, "");
    EXPECT_EQ(&game.getTextures().get("nothing"), &noTexture);
    EXPECT_EQ(&game.getFonts().get("nothing"), &noFont);
}

TEST(RegistriesTestDeathTest, EachMissingPictureOrFontEndsTheGameWithStatusOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* missing : {"Texture/MenuBG.jpg", "Texture/Wall.jpg", "Font/Title.ttf"}) {
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
