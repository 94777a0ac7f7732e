#include "core/Game.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

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
        // The run-time folder again, its files linked, but for the one missing.
        const fs::path source = fs::current_path();
        const fs::path folder =
            fs::temp_directory_path() / ("kestrivon-missing-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        for (const auto& entry : fs::recursive_directory_iterator(source / "data")) {
            const fs::path relative = fs::relative(entry.path(), source);
            if (entry.is_directory())
                fs::create_directories(folder / relative);
            else if (relative.generic_string() != std::string("data/") + missing)
                fs::create_symlink(entry.path(), folder / relative);
        }
        EXPECT_EXIT(
            {
                fs::current_path(folder);
                Game game;
                game.getTextures().load();
                game.getFonts().load();
            },
            testing::ExitedWithCode(1), missing);
        fs::remove_all(folder);
    }
}

} // namespace
