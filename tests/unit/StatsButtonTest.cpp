#include "support/Events.hpp"
#include "support/HeardEffects.hpp"

#include "score/StatsButton.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using namespace events;

TEST(StatsButtonTest, TitleHoldsTheNameAndTheTotalWithTwoDecimals)
{
    for (const auto& [name, total, title] : {std::tuple{"ACE", 1215.94f, "ACE, Total : 1215.94$"},
                                             std::tuple{"", 0.f, ", Total : 0.00$"},
                                             std::tuple{"BOB", -50.f, "BOB, Total : -50.00$"}}) {
        ScoreEntry row;
        row.setName(name);
        row.setTotal(total);
        EXPECT_EQ(StatsButton::title(row), title);
    }
}

// A row's figures column, right of the panel's labels, drawn alone on a black picture: the pixels
// of all of it, or of one of its eleven lines (the tenth is the revenue).
class Details {
public:
    using Pixels = std::vector<sf::Uint32>;

    Details() : row(&entry, &ear.bank, true)
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

    Pixels of(Button& shown, unsigned line = 0, unsigned lines = 11)
    {
        picture.clear(sf::Color::Black);
        shown.draw(picture);
        picture.display();
        const sf::Image image = picture.getTexture().copyToImage();
        Pixels pixels;
        for (unsigned y = 200 + 40 * line; y < 200 + 40 * (line + lines); ++y) {
            for (unsigned x = 1000; x < 1170; ++x)
                pixels.push_back(image.getPixel(x, y).toInteger());
        }
        return pixels;
    }

    Ear ear;
    ScoreEntry entry;
    StatsButton row;

private:
    sf::Font font;
    sf::RenderTexture picture;
};

// A plain row shows its figures only while hovered; the highlighted one always does.
TEST(StatsButtonTest, DetailsShowWhileHoveredAndAlwaysOnTheHighlightedRowWithTheLootsRevenue)
{
    Details details;
    const Details::Pixels black(170 * 440, sf::Color::Black.toInteger());
    EXPECT_NE(details.of(details.row), black);
    StatsButton plain(&details.entry, &details.ear.bank, false);
    details.show(plain, {130.f, 300.f});
    for (const auto& [pointer, shown] :
         {std::pair{sf::Vector2i(140, 310), true}, std::pair{sf::Vector2i(140, 340), false}}) {
        plain.handleEvent(moved(pointer), pointer);
        EXPECT_EQ(details.of(plain) != black, shown) << pointer.y;
    }

    // The revenue line shows what the loot earned, whatever the bills took from the total.
    details.entry.setLoot(3);
    details.entry.setTotal(1415.94f);
    const Details::Pixels revenue = details.of(details.row, 9, 1);

    details.entry.setBills(200.f);
    details.entry.setTotal(1215.94f);
    EXPECT_EQ(details.of(details.row, 9, 1), revenue);
    details.entry.setLoot(4);
    EXPECT_NE(details.of(details.row, 9, 1), revenue);
}

} // namespace
