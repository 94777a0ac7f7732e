#include "core/Fonts.hpp"

#include "core/DataPath.hpp"

#include <cstdlib>
#include <utility>

namespace {
const std::pair<const char*, const char*> fontFiles[] = {
    {"corps", "data\\Font\\Text.ttf"},
    {"title", "data\\Font\\Title.ttf"},
};
}

Fonts::Fonts(Game* game) : game(game) {}

void Fonts::load()
{
    for (const auto& [key, file] : fontFiles) {
        if (!fonts[key].loadFromFile(dataPath(file)))
            std::exit(1);
    }
}

sf::Font& Fonts::get(std::string key)
{
    return fonts[key];
}
