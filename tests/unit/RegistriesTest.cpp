#include "core/Game.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A copy of the run-time folder the tests run in, with one data file missing: every other file
// is a link to the real one.
fs::path runtimeFolderWithout(const std::string& missing)
{
    const fs::path source = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / ("kestrivon-missing-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    for (const auto& entry : fs::recursive_directory_iterator(source / "data")) {
        const fs::path relative = fs::relative(entry.path(), source);
        if (entry.is_directory())
            fs::create_directories(folder / relative);
        else if (relative.generic_string() != "data/" + missing)
            fs::create_symlink(entry.path(), folder / relative);
    }
    return folder;
}

int exitStatusOfGameIn(const fs::path& folder)
{
    const std::string command = "cd '" + folder.string() + "' && timeout 20 '" +
                                (fs::path(KESTRIVON_BINARY_DIR) / "kestrivon").string() +
                                "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RegistriesTest, UnknownKeyGivesOneStableEmptyAsset)
{
    Game game;
    sf::Texture& texture = game.getTextures().get("nothing");
    EXPECT_EQ(texture.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(&game.getTextures().get("nothing"), &texture);

    sf::Font& font = game.getFonts().get("nothing");
    EXPECT_EQ(&game.getFonts().get("nothing"), &font);
    EXPECT_NE(&game.getFonts().get("other"), &font);
}

TEST(RegistriesTest, LoadedTexturesKeepTheirAddressesAndSizes)
{
    Game game;
    game.getTextures().load();
    sf::Texture& wall = game.getTextures().get("wall");
    game.getTextures().get("added later");
    EXPECT_EQ(&game.getTextures().get("wall"), &wall);
    EXPECT_EQ(wall.getSize(), sf::Vector2u(6000, 250));
    EXPECT_EQ(game.getTextures().get("geiger").getSize(), sf::Vector2u(980, 360));
}

TEST(RegistriesTest, EachMissingPictureOrFontEndsTheGameWithStatusOne)
{
    for (const char* missing : {"Texture/MenuBG.jpg", "Texture/MenuFG.png", "Texture/Wall.jpg",
                                "Texture/Geiger.png", "Font/Text.ttf", "Font/Title.ttf"}) {
        const fs::path folder = runtimeFolderWithout(missing);
        EXPECT_EQ(exitStatusOfGameIn(folder), 1) << missing;
        fs::remove_all(folder);
    }
}

}
