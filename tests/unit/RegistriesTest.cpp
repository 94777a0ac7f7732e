#include "core/Game.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

namespace {

TEST(RegistriesTest, TexturesLoadAtTheSizesTheViewAndTheGeigerAreCutBy)
{
    Game game;
    game.getTextures().load();
    EXPECT_EQ(game.getTextures().get("wall").getSize(), sf::Vector2u(6000, 250));
    EXPECT_EQ(game.getTextures().get("geiger").getSize(), sf::Vector2u(980, 360));
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
