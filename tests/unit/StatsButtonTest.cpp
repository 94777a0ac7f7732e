#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "score/StatsButton.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace events;

TEST(StatsButtonTest, TitleHoldsTheNameAndTheTotalWithTwoDecimals)
{
    const struct {
        const char* name;
        float total;
        const char* title;
    } entries[] = {{"ACE", 1215.94f, "ACE, Total : 1215.94$"},
                   {"", 0.f, ", Total : 0.00$"},
                   {"BOB", -50.f, "BOB, Total : -50.00$"}};
    for (const auto& entry : entries) {
        ScoreEntry row;
        row.setName(entry.name);
        row.setTotal(entry.total);
        EXPECT_EQ(StatsButton::title(row), entry.title);
    }
}

// The area right of the panel's labels where a row's details go, drawn on a black picture.
class Details {
public:
    Details()
    {
        font.loadFromFile("data/Font/Text.ttf");
        picture.create(1280, 720);
        black.create(170, 440, sf::Color::Black);
    }

    void show(StatsButton& row, sf::Vector2f position)
    {
        row.setFont(font);
        row.setPosition(position);
    }

    // The figures' column, or one line of it (the eleventh is the bills).
    sf::Image of(Button& row, int line = 0, int lines = 11)
    {
        picture.clear(sf::Color::Black);
        row.draw(picture);
        picture.display();
        sf::Image details;
        details.create(170, 40 * static_cast<unsigned>(lines));
        details.copy(picture.getTexture().copyToImage(), 0, 0,
                     sf::IntRect(1000, 200 + 40 * line, 170, 40 * lines));
        return details;
    }

    bool blank(Button& row) { return same(of(row), black); }

    static bool same(const sf::Image& a, const sf::Image& b)
    {
        return a.getSize() == b.getSize() &&
               std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                          b.getPixelsPtr());
    }

private:
    sf::Font font;
    sf::RenderTexture picture;
    sf::Image black;
};

TEST(StatsButtonTest, DetailsShowWhileHoveredAndAlwaysOnTheHighlightedRowFollowingItsEntry)
{
    Details details;
    Ear ear;
    ScoreEntry entry;
    entry.setStep(57);
    entry.setLoot(3);
    StatsButton row(&entry, &ear.bank, false);
    details.show(row, {130.f, 300.f});

    EXPECT_TRUE(details.blank(row));
    row.handleEvent(moved({140, 310}), {140, 310});
    EXPECT_TRUE(ear.heard(Sfx::MenuHover));
    EXPECT_FALSE(details.blank(row));
    row.handleEvent(press({140, 310}), {140, 310});
    EXPECT_FALSE(details.blank(row));
    row.handleEvent(moved({140, 340}), {140, 340});
    EXPECT_TRUE(details.blank(row));

    StatsButton result(&entry, &ear.bank, true);
    details.show(result, {130.f, 360.f});
    const sf::Image before = details.of(result);
    EXPECT_FALSE(details.blank(result));
    entry.setBills(200.f);
    entry.setDoorOpen(4);
    EXPECT_FALSE(Details::same(before, details.of(result)));
}

// The revenue line shows what the loot earned, whatever the bills took from the total.
TEST(StatsButtonTest, RevenueLineFollowsTheLootNotTheTotal)
{
    Details details;
    Ear ear;
    ScoreEntry entry;
    entry.setLoot(3);
    entry.setTotal(1415.94f);
    StatsButton result(&entry, &ear.bank, true);
    details.show(result, {130.f, 360.f});
    const sf::Image revenue = details.of(result, 9, 1);

    entry.setBills(200.f);
    entry.setTotal(1215.94f);
    EXPECT_TRUE(Details::same(revenue, details.of(result, 9, 1)));
    entry.setLoot(4);
    EXPECT_FALSE(Details::same(revenue, details.of(result, 9, 1)));
}

} // namespace
