#include "core/Textures.hpp"

#include "common/AssetList.hpp"

#include <cstdlib>

Textures::Textures(Game* game) : game(game) {}

void Textures::load()
{
    for (const assets::Texture& texture : assets::textures) {
        // SFML names the file that failed on standard error; the game cannot run without it.
        if (!textures[texture.key].loadFromFile(assets::inDataFolder(texture.file), sf::IntRect()))
            std::exit(1);
    }
}

sf::Texture& Textures::get(const std::string& key)
{
    return textures[key];
}
