#include "score/InfoBox.hpp"

#include <iterator>

namespace {
const char* const labels[] = {
    "Door open...:", "Door close..:", "Scan........:", "Detection...:",
    "Shock.......:", "Reboot......:", "Step........:", "Loot........:",
    "-----------------------", "Revenue.....:", "Bills.......:",
};
static_assert(std::size(labels) == statsPanel::LineCount, "one label for every line of the panel");
}

InfoBox::InfoBox() : shape({410.f, 565.f})
{
    shape.setPosition(760.f, 100.f);
    shape.setOutlineThickness(1.f);
    shape.setOutlineColor(LabelColor);
    shape.setFillColor(sf::Color(0, 0, 0, 220));

    text.setString("Advanced Stats");
    text.setCharacterSize(40);
    text.setFillColor(LabelColor);
    text.setPosition(statsPanel::LabelX, 130.f);

    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i].setString(labels[i]);
        lines[i].setCharacterSize(statsPanel::LineSize);
        lines[i].setFillColor(LabelColor);
        lines[i].setPosition(statsPanel::LabelX,
                             statsPanel::FirstLineY + statsPanel::LineStep * static_cast<float>(i));
    }
}

// The panel stays where it was built, whatever row the page offers.
bool InfoBox::setPosition(const sf::Vector2f&) { return false; }

void InfoBox::setFont(const sf::Font& font)
{
    text.setFont(font);
    for (sf::Text& line : lines)
        line.setFont(font);
}

void InfoBox::handleEvent(const sf::Event&, sf::Vector2i) {}

void InfoBox::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(text);
    for (const sf::Text& line : lines)
        target.draw(line);
}
