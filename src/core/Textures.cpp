#include "core/Textures.hpp"

#include "core/DataPath.hpp"

#include <cstdlib>
#include <utility>

namespace {
const std::pair<const char*, const char*> textureFiles[] = {
    {"menuBG", "data\\Texture\\MenuBG.jpg"},
    {"menuFG", "data\\Texture\\MenuFG.png"},
    {"wall", "data\\Texture\\Wall.jpg"},
    {"geiger", "data\\Texture\\Geiger.png"},
};
}

Textures::Textures(Game* game) : game(game) {}

void Textures::load()
{
    for (const auto& [key, file] : textureFiles) {
        // SFML names the file that failed on standard error; the game cannot run without it.
        if (!textures[key].loadFromFile(dataPath(file), sf::IntRect()))
            std::exit(1);
    }
}

sf::Texture& Textures::get(const std::string& key)
{
    return textures[key];
}
