#include "window/MapView.hpp"

#include "common/Cell.hpp"
#include "operator/Operator.hpp"

#include <algorithm>
#include <cmath>

const sf::Color MapView::wallColor(112, 116, 128);
const sf::Color MapView::floorColor(34, 38, 46);
const sf::Color MapView::openDoorColor(52, 180, 84);
const sf::Color MapView::closedDoorColor(206, 52, 52);
const sf::Color MapView::objectColor(236, 200, 56);
const sf::Color MapView::takenColor(96, 96, 96);
const sf::Color MapView::exitColor(64, 128, 232);
const sf::Color MapView::spawnColor(156, 92, 210);
const sf::Color MapView::monsterColor(255, 120, 32);

MapView::MapView(const sf::Font& font) : font(font), cellSize(0.f), quads(sf::Quads) {}

void MapView::setArea(const sf::FloatRect& box)
{
    area = box;
}

void MapView::refresh(const Operator& console)
{
    quads.clear();
    labels.clear();
    const LevelPlan& plan = console.getPlan();
    if (!plan.isAvailable() || plan.getWidth() <= 0 || plan.getHeight() <= 0)
        return;

    // The largest whole-pixel cell that fits, centred in the area.
    cellSize = std::floor(std::min(area.width / plan.getWidth(), area.height / plan.getHeight()));
    cellSize = std::max(1.f, std::min(cellSize, 48.f));
    origin = sf::Vector2f(area.left + std::floor((area.width - cellSize * plan.getWidth()) / 2.f),
                          area.top + std::floor((area.height - cellSize * plan.getHeight()) / 2.f));

    const DoorBoard& doors = console.getDoors();
    const std::set<int>& taken = console.getMatch().getTaken();
    const std::optional<sf::Vector2i>& monster = console.getMatch().getMonster();
    float inset = std::floor(cellSize * 0.2f);
    for (int y = 0; y < plan.getHeight(); ++y) {
        for (int x = 0; x < plan.getWidth(); ++x) {
            sf::FloatRect box = getCellRect(x, y);
            sf::FloatRect inner(box.left + inset, box.top + inset, box.width - 2 * inset,
                                box.height - 2 * inset);
            int value = plan.getCell(x, y);
            addQuad(box, LevelPlan::drawsAsWall(value) ? wallColor : floorColor);
            if (value == Cell::FileDoor) {
                int door = plan.doorAt(x, y);
                sf::Color color = door > Cell::DoorPairs ? wallColor
                                  : doors.isOpen(door)   ? openDoorColor
                                                         : closedDoorColor;
                addQuad(box, color);
                addLabel(std::to_string(door), box, sf::Color::White);
            } else if (Cell::isObject(value)) {
                bool gone = taken.count(value) != 0;
                addQuad(inner, gone ? takenColor : objectColor);
                // The monster's mark covers the object it stands on; its digit would show through.
                if (!monster || *monster != sf::Vector2i(x, y))
                    addLabel(std::to_string(value), box,
                             gone ? sf::Color(60, 60, 60) : sf::Color::Black);
            } else if (value == Cell::ExitCandidate) {
                addQuad(inner, exitColor);
                addLabel("?", box, sf::Color::White);
            }
        }
    }

    float dot = std::max(2.f, std::floor(cellSize * 0.25f));
    for (const sf::Vector2i& spawn : plan.getSpawnPoints()) {
        sf::FloatRect box = getCellRect(spawn.x, spawn.y);
        addQuad(sf::FloatRect(box.left + 2, box.top + 2, dot, dot), spawnColor);
    }

    if (monster) {
        sf::FloatRect box = getCellRect(monster->x, monster->y);
        addQuad(sf::FloatRect(box.left + inset / 2, box.top + inset / 2, box.width - inset,
                              box.height - inset),
                monsterColor);
        addLabel("M" + std::to_string(console.getMatch().getMonsterAge()), box, sf::Color::Black);
    }
}

void MapView::draw(sf::RenderTarget& target) const
{
    target.draw(quads);
    for (const sf::Text& label : labels)
        target.draw(label);
}

int MapView::doorAt(const sf::Vector2f& point, const Operator& console) const
{
    if (cellSize <= 0.f)
        return 0;
    int x = static_cast<int>(std::floor((point.x - origin.x) / cellSize));
    int y = static_cast<int>(std::floor((point.y - origin.y) / cellSize));
    const LevelPlan& plan = console.getPlan();
    if (x < 0 || y < 0 || x >= plan.getWidth() || y >= plan.getHeight())
        return 0;
    return plan.doorAt(x, y);
}

sf::FloatRect MapView::getCellRect(int x, int y) const
{
    return sf::FloatRect(origin.x + x * cellSize, origin.y + y * cellSize, cellSize, cellSize);
}

void MapView::addQuad(const sf::FloatRect& box, const sf::Color& color)
{
    quads.append(sf::Vertex(sf::Vector2f(box.left, box.top), color));
    quads.append(sf::Vertex(sf::Vector2f(box.left + box.width, box.top), color));
    quads.append(sf::Vertex(sf::Vector2f(box.left + box.width, box.top + box.height), color));
    quads.append(sf::Vertex(sf::Vector2f(box.left, box.top + box.height), color));
}

void MapView::addLabel(const std::string& text, const sf::FloatRect& box, const sf::Color& color)
{
    if (box.height < 10.f)
        return;
    // Longer labels shrink to stay inside their cell (a glyph is about 0.6 of the size wide).
    float fitting = box.width * 0.9f / (0.6f * static_cast<float>(text.size()));
    unsigned size = static_cast<unsigned>(std::max(8.f, std::min(box.height * 0.55f, fitting)));
    sf::Text label(text, font, size);
    label.setFillColor(color);
    sf::FloatRect bounds = label.getLocalBounds();
    label.setPosition(std::round(box.left + (box.width - bounds.width) / 2.f - bounds.left),
                      std::round(box.top + (box.height - bounds.height) / 2.f - bounds.top));
    labels.push_back(label);
}
