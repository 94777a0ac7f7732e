#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

// The game draws one picture of ViewWidth by ViewHeight pixels. A window of another size (full
// screen in whatever mode the display offers) shows that picture scaled to fit, centred between
// black bars, and pointer positions are mapped back into the picture's pixels.

// The part of a window of windowSize the picture fills, as fractions of the window.
sf::FloatRect letterboxViewport(sf::Vector2u windowSize);
// The view showing the whole picture in its letterbox.
sf::View letterboxView(sf::Vector2u windowSize);
// Fits the picture to the target as it is now; called after the window is (re)created.
void fitPicture(sf::RenderTarget& target);
// Opens the game's window, or opens it again in the other style: a mode of the picture's size, the
// game's title, windowed or full screen. A display without that mode gives the full screen
// another size, which fitPicture letterboxes.
void openGameWindow(sf::RenderWindow& window, bool fullScreen);
// The picture's pixel under a pixel of the target.
sf::Vector2i pictureCoordinates(const sf::RenderTarget& target, sf::Vector2i pixel);
// The pointer in the picture's pixels, read from the window.
sf::Vector2i pointerInPicture(const sf::RenderWindow& window);
