#include "score/StatsButton.hpp"

#include "audio/SFX.hpp"
#include "score/InfoBox.hpp"
#include "common/Money.hpp"
#include "ui/WidgetInput.hpp"

namespace {
bool sameFigures(const ScoreEntry& a, const ScoreEntry& b)
{
    return a.getDoorOpen() == b.getDoorOpen() && a.getDoorClose() == b.getDoorClose() &&
           a.getScan() == b.getScan() && a.getDetection() == b.getDetection() &&
           a.getShock() == b.getShock() && a.getReboot() == b.getReboot() &&
           a.getStep() == b.getStep() && a.getLoot() == b.getLoot() &&
           a.getBills() == b.getBills() && a.getTotal() == b.getTotal() &&
           a.getName() == b.getName();
}
} // namespace

StatsButton::StatsButton(ScoreEntry* entry, Sfx* sfx, bool highlighted)
    : entry(entry), sfx(sfx), highlighted(highlighted), hoverState(HoverState::Idle),
      shape({RowWidth, RowHeight}), built(false)
{
    shape.setFillColor(PanelColor);
    initLabel(titleText, "");
    for (std::size_t i = 0; i < detailTexts.size(); ++i) {
        initLabel(detailTexts[i], "");
        detailTexts[i].setCharacterSize(statsPanel::LineSize);
        detailTexts[i].setPosition(statsPanel::FigureX, statsPanel::FirstLineY +
                                                            statsPanel::LineStep * static_cast<float>(i));
    }
}

bool StatsButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    titleText.setPosition(position.x + TextInset, position.y);
    return true;
}

void StatsButton::setFont(const sf::Font& font)
{
    titleText.setFont(font);
    for (sf::Text& detail : detailTexts)
        detail.setFont(font);
}

void StatsButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    // A press on the row does nothing: it stays hovered.
    if (hoverState == HoverState::Hovered && isLeftPress(event) && isInside(shape, pointer))
        return;
    hoverAndClick(hoverState, shape, event, pointer, *sfx);
}

void StatsButton::draw(sf::RenderTarget& target)
{
    refresh();
    if (highlighted || hoverState == HoverState::Hovered) {
        for (const sf::Text& detail : detailTexts)
            target.draw(detail);
    }
    target.draw(shape);
    target.draw(titleText);
}

std::string StatsButton::title(const ScoreEntry& entry)
{
    return entry.getName() + ", Total : " + formatMoney(entry.getTotal()) + "$";
}

void StatsButton::refresh()
{
    if (built && sameFigures(shown, *entry))
        return;
    shown = *entry;
    built = true;

    titleText.setString(title(shown));
    const int counters[] = {shown.getDoorOpen(), shown.getDoorClose(), shown.getScan(),
                            shown.getDetection(), shown.getShock(), shown.getReboot(),
                            shown.getStep(), shown.getLoot()};
    for (std::size_t i = 0; i < 8; ++i)
        detailTexts[i].setString(std::to_string(counters[i]));
    detailTexts[9].setString(formatMoney(shown.revenue()));
    detailTexts[10].setString(formatMoney(shown.getBills()));
}
