#include "core/Letterbox.hpp"

#include "actors/RayCaster.hpp"

#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cmath>

sf::FloatRect letterboxViewport(sf::Vector2u windowSize)
{
    const float windowWidth = static_cast<float>(windowSize.x);
    const float windowHeight = static_cast<float>(windowSize.y);
    const float scale = std::min(windowWidth / ViewWidth, windowHeight / ViewHeight);
    const float width = ViewWidth * scale / windowWidth;
    const float height = ViewHeight * scale / windowHeight;
    return {(1.f - width) / 2.f, (1.f - height) / 2.f, width, height};
}

sf::View letterboxView(sf::Vector2u windowSize)
{
    sf::View view(sf::FloatRect(0.f, 0.f, ViewWidth, ViewHeight));
    view.setViewport(letterboxViewport(windowSize));
    return view;
}

void fitPicture(sf::RenderTarget& target)
{
    target.setView(letterboxView(target.getSize()));
}

void openGameWindow(sf::RenderWindow& window, bool fullScreen)
{
    const sf::Uint32 style =
        fullScreen ? sf::Style::Fullscreen | sf::Style::Close : sf::Style::Close;
    window.create(sf::VideoMode(ViewWidth, ViewHeight, 32), "Kestrivon", style);
}

sf::Vector2i pictureCoordinates(const sf::RenderTarget& target, sf::Vector2i pixel)
{
    const sf::Vector2f point = target.mapPixelToCoords(pixel);
    return {static_cast<int>(std::floor(point.x)), static_cast<int>(std::floor(point.y))};
}

sf::Vector2i pointerInPicture(const sf::RenderWindow& window)
{
    return pictureCoordinates(window, sf::Mouse::getPosition(window));
}
