#pragma once

#include <SFML/Graphics/Font.hpp>

#include <map>
#include <string>

class Game;

// Owns the game's fonts under a short key, with the same stable-reference rule as Textures.
class Fonts {
public:
    explicit Fonts(Game* game);

    // Loads the two fonts in table order; the first that fails ends the process with status 1.
    void load();
    // The font under key; an unknown key gets an empty font, kept for later calls.
    sf::Font& get(std::string key);

private:
    // Kept like every member's back-pointer; loading and lookups need nothing of the Game.
    [[maybe_unused]] Game* game;
    std::map<std::string, sf::Font> fonts;
};
