#pragma once

#include <SFML/Graphics/Texture.hpp>

#include <map>
#include <string>

class Game;

// Owns every texture of the game under a short key. Entries are never erased, and the map is
// node-based, so a reference handed out by get stays valid until the Game is destroyed.
class Textures {
public:
    explicit Textures(Game* game);

    // Loads the four textures in table order; the first that fails ends the process with status 1.
    void load();
    // The texture under key; an unknown key gets an empty texture, kept for later calls.
    sf::Texture& get(const std::string& key);

private:
    // Kept like every member's back-pointer; loading and lookups need nothing of the Game.
    [[maybe_unused]] Game* game;
    std::map<std::string, sf::Texture> textures;
};
