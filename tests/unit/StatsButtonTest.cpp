#include "MenuEvents.hpp"

#include "score/StatsButton.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

namespace {

using namespace menuEvents;

TEST(StatsButtonTest, TitleHoldsTheNameAndTheTotalWithTwoDecimals)
{
    ScoreEntry ace;
    ace.setName("ACE");
    ace.setTotal(1215.94f);
    EXPECT_EQ(StatsButton::title(ace), "ACE, Total : 1215.94$");

    EXPECT_EQ(StatsButton::title(ScoreEntry()), ", Total : 0.00$");

    ScoreEntry loss;
    loss.setName("BOB");
    loss.setTotal(-50.f);
    EXPECT_EQ(StatsButton::title(loss), "BOB, Total : -50.00$");
}

// Draws the row on a black window-sized picture and returns the area where the details go,
// right of the panel's labels.
class DetailCamera {
public:
    DetailCamera()
    {
        font.loadFromFile("data/Font/Text.ttf");
        picture.create(1280, 720);
    }

    sf::Image shoot(Button& row)
    {
        picture.clear(sf::Color::Black);
        row.draw(picture);
        picture.display();
        sf::Image details;
        details.create(170, 440);
        details.copy(picture.getTexture().copyToImage(), 0, 0, sf::IntRect(1000, 200, 170, 440));
        return details;
    }

    static bool blank(const sf::Image& image)
    {
        for (unsigned y = 0; y < image.getSize().y; ++y) {
            for (unsigned x = 0; x < image.getSize().x; ++x) {
                if (image.getPixel(x, y) != sf::Color::Black)
                    return false;
            }
        }
        return true;
    }

    sf::Font font;

private:
    sf::RenderTexture picture;
};

bool samePictures(const sf::Image& a, const sf::Image& b)
{
    const auto size = a.getSize().x * a.getSize().y * 4;
    return std::equal(a.getPixelsPtr(), a.getPixelsPtr() + size, b.getPixelsPtr());
}

TEST(StatsButtonTest, DetailsShowWhileHoveredAndAlwaysWhenHighlighted)
{
    DetailCamera camera;
    Ear ear;
    ScoreEntry entry;
    entry.setStep(57);
    entry.setLoot(3);
    StatsButton row(&entry, &ear.bank, false);
    row.setFont(camera.font);
    row.setPosition({130.f, 300.f});

    EXPECT_TRUE(DetailCamera::blank(camera.shoot(row)));
    row.handleEvent(moved(140, 310), {140, 310});
    EXPECT_TRUE(ear.heard(MenuHover));
    EXPECT_FALSE(DetailCamera::blank(camera.shoot(row)));
    row.handleEvent(press(), {140, 310});
    EXPECT_FALSE(DetailCamera::blank(camera.shoot(row)));
    row.handleEvent(moved(140, 340), {140, 340});
    EXPECT_TRUE(DetailCamera::blank(camera.shoot(row)));

    StatsButton result(&entry, &ear.bank, true);
    result.setFont(camera.font);
    result.setPosition({130.f, 360.f});
    EXPECT_FALSE(DetailCamera::blank(camera.shoot(result)));
}

TEST(StatsButtonTest, HighlightedRowFollowsTheEntryAsItChanges)
{
    DetailCamera camera;
    Ear ear;
    ScoreEntry entry;
    StatsButton result(&entry, &ear.bank, true);
    result.setFont(camera.font);
    result.setPosition({130.f, 360.f});
    const sf::Image before = camera.shoot(result);

    entry.setBills(200.f);
    entry.setDoorOpen(4);
    EXPECT_FALSE(samePictures(before, camera.shoot(result)));
}

}
