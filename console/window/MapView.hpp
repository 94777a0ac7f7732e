#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <vector>

class Operator;

// The top-down plan of the level in the operator's window: walls and floor from the level
// file, the doors with their number and state, the objects (grey once taken), the exit
// candidates, the monster's spawn points and the monster's cell from the last scan with its age
// in steps. Rebuilt only when the operator's state changes; drawing just replays it.
class MapView {
public:
    static const sf::Color wallColor;
    static const sf::Color floorColor;
    static const sf::Color openDoorColor;
    static const sf::Color closedDoorColor;
    static const sf::Color objectColor;
    static const sf::Color takenColor;
    static const sf::Color exitColor;
    static const sf::Color spawnColor;
    static const sf::Color monsterColor;

    explicit MapView(const sf::Font& font);

    void setArea(const sf::FloatRect& area);
    void refresh(const Operator& console);
    void draw(sf::RenderTarget& target) const;
    // The door number drawn under a point, 0 when there is none.
    int doorAt(const sf::Vector2f& point, const Operator& console) const;
    // Where cell (x, y) is drawn.
    sf::FloatRect getCellRect(int x, int y) const;

private:
    void addQuad(const sf::FloatRect& box, const sf::Color& color);
    void addLabel(const std::string& text, const sf::FloatRect& box, const sf::Color& color);

    const sf::Font& font;
    sf::FloatRect area;
    sf::Vector2f origin;
    float cellSize;
    sf::VertexArray quads;
    std::vector<sf::Text> labels;
};
