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

// A row's figures column, right of the panel's labels, drawn alone on a black picture: all of it,
// or one of its eleven lines (the tenth is the revenue).
class Details {
public:
    Details() : entry(), row(&entry, &ear.bank, true)
    {
        font.loadFromFile("data/Font/Text.ttf");
        picture.create(1280, 720);
        show(row, {130.f, 360.f});
    }

    void show(StatsButton& shown, sf::Vector2f at)
    {
        shown.setFont(font);
        shown.setPosition(at);
    }

    sf::Image of(Button& shown, int line = 0, int lines = 11)
    {
        picture.clear(sf::Color::Black);
        shown.draw(picture);
        picture.display();
        sf::Image details;
        details.create(170, 40 * static_cast<unsigned>(lines));
        details.copy(picture.getTexture().copyToImage(), 0, 0,
                     sf::IntRect(1000, 200 + 40 * line, 170, 40 * lines));
        return details;
    }

    static bool same(const sf::Image& a, const sf::Image& b)
    {
        return a.getSize() == b.getSize() &&
               std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                          b.getPixelsPtr());
    }

    Ear ear;
    ScoreEntry entry;
    StatsButton row;

private:
    sf::Font font;
    sf::RenderTexture picture;
};

// A plain row shows its figures only while hovered; the highlighted one always does.
TEST(StatsButtonTest, DetailsShowWhileHoveredAndAlwaysOnTheHighlightedRow)
{
    Details details;
    sf::Image black;
    black.create(170, 440, sf::Color::Black);
    EXPECT_FALSE(Details::same(details.of(details.row), black));
    StatsButton plain(&details.entry, &details.ear.bank, false);
    details.show(plain, {130.f, 300.f});
    for (const auto& [pointer, shown] :
         {std::pair{sf::Vector2i(140, 310), true}, std::pair{sf::Vector2i(140, 340), false}}) {
        plain.handleEvent(moved(pointer), pointer);
        EXPECT_EQ(!Details::same(details.of(plain), black), shown) << pointer.y;
    }
}

// The revenue line shows what the loot earned, whatever the bills took from the total.
TEST(StatsButtonTest, RevenueLineFollowsTheLootNotTheTotal)
{
    Details details;
    details.entry.setLoot(3);
    details.entry.setTotal(1415.94f);
    const sf::Image revenue = details.of(details.row, 9, 1);

    details.entry.setBills(200.f);
    details.entry.setTotal(1215.94f);
    EXPECT_TRUE(Details::same(revenue, details.of(details.row, 9, 1)));
    details.entry.setLoot(4);
    EXPECT_FALSE(Details::same(revenue, details.of(details.row, 9, 1)));
}

} // namespace
