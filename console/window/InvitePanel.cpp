#include "window/InvitePanel.hpp"

#include "qr/QrCode.hpp"
#include "qr/QrPictures.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>

namespace {

// Two codes side by side at most: a phone reads a code of 300 pixels from across a desk.
constexpr std::size_t shownCodes = 2;
constexpr float codeSide = 300.f;

} // namespace

void InvitePanel::setLinks(const sf::Font& font, const std::vector<std::string>& urls,
                           sf::FloatRect area)
{
    ground.setSize({area.width, area.height});
    ground.setPosition(area.left, area.top);
    ground.setFillColor(sf::Color(24, 28, 34));
    title = sf::Text("Scan to watch the game (W closes)", font, 22);
    title.setPosition(area.left + 20.f, area.top + 16.f);
    invitations.clear();
    invitations.reserve(std::min(urls.size(), shownCodes));
    for (std::size_t i = 0; i < urls.size() && i < shownCodes; ++i) {
        const QrCode code(urls[i]);
        const unsigned side = static_cast<unsigned>(code.getSize() + 2 * QrPictures::margin);
        sf::Image image;
        image.create(side, side, sf::Color::White);
        for (int row = 0; row < code.getSize(); ++row)
            for (int column = 0; column < code.getSize(); ++column)
                if (code.isDark(column, row))
                    image.setPixel(static_cast<unsigned>(column + QrPictures::margin),
                                   static_cast<unsigned>(row + QrPictures::margin),
                                   sf::Color::Black);
        Invitation& invitation = invitations.emplace_back();
        invitation.texture.loadFromImage(image);
        invitation.code.setTexture(invitation.texture);
        const float scale = codeSide / static_cast<float>(side);
        invitation.code.setScale(scale, scale);
        const sf::Vector2f position(area.left + 20.f + static_cast<float>(i) * (codeSide + 40.f),
                                    area.top + 70.f);
        invitation.code.setPosition(position);
        invitation.url = sf::Text(urls[i], font, 12);
        invitation.url.setPosition(position.x, position.y + codeSide + 8.f);
    }
}

bool InvitePanel::isEmpty() const
{
    return invitations.empty();
}

void InvitePanel::draw(sf::RenderTarget& target) const
{
    target.draw(ground);
    target.draw(title);
    for (const Invitation& invitation : invitations) {
        target.draw(invitation.code);
        target.draw(invitation.url);
    }
}
