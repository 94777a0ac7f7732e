#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>
#include <vector>

// The window's invitation, over the plan: the web console's watch links, each with its QR code,
// so that friends at the desk follow the game on their phones. Pictures are made once, when the
// links are given.
class InvitePanel {
public:
    // The links ("watch", "http://...") and the canvas rectangle the panel fills.
    void setLinks(const sf::Font& font, const std::vector<std::string>& urls, sf::FloatRect area);
    bool isEmpty() const;
    void draw(sf::RenderTarget& target) const;

private:
    // The sprite draws the texture beside it: the list is reserved before it is filled, so
    // neither moves.
    struct Invitation {
        sf::Texture texture;
        sf::Sprite code;
        sf::Text url;
    };

    sf::RectangleShape ground;
    sf::Text title;
    std::vector<Invitation> invitations;
};
