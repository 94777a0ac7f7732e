// The game's in-game frame (update and render of the playing state on the largest level)
// against a reference loop that draws the same 1280 textured wall lines and the same counter
// picture and nothing else. Both run in one process, in alternating rounds, so they see the
// same machine; the figure that matters is their ratio.

#include "actors/RayCaster.hpp"
#include "core/Game.hpp"

#include <SFML/Graphics/VertexArray.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Frame> double microsecondsPerFrame(int frames, Frame frame)
{
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i)
        frame();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / frames;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int framesPerRound = argc > 1 ? std::atoi(argv[1]) : 300;
    const int rounds = 7;

    // The level's traces are not part of a frame.
    std::ostringstream quiet;
    std::streambuf* console = std::cout.rdbuf(quiet.rdbuf());

    Game game;
    sf::RenderWindow& window = game.getWindow();
    window.create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
    game.init();
    game.getLevel().load("data/level/IrradiatedPowerplant.txt");
    game.getLevel().mapDoors({8, 10, 12, 14, 16, 18, 20, 22});
    game.setState(GameState::StartGame);
    game.update();

    // Both loops look along the same ray-cast lines: the player faces east from its start cell,
    // and the reference draws the lines cast once from there.
    const sf::Vector2i start = game.getPlayer().getTile();
    const sf::Vector2f eye(static_cast<float>(start.x) + 0.5f, static_cast<float>(start.y) + 0.5f);
    game.getPlayer().setPosition(eye);
    game.getPlayer().setAngle(0.f);
    const Level& level = game.getLevel();
    const Camera camera{eye, {1.f, 0.f}, {0.f, 1.f}, 1.5f, 0.7f};
    const AtlasLayout atlas{level.getAtlasWidth(), level.getTileSize()};
    sf::VertexArray walls(sf::Lines, 2 * ViewWidth);
    for (int column = 0; column < ViewWidth; ++column)
        castColumn(level.getGrid(), camera, atlas, column, &walls[2 * column]);
    const sf::Texture& wallTexture = game.getTextures().get("wall");
    sf::RenderStates wallStates(&wallTexture);
    sf::RectangleShape counter({326.f, 600.f});
    counter.setPosition(954.f, 150.f);
    counter.setTexture(&game.getTextures().get("geiger"));
    counter.setTextureRect({0, 0, 196, 360});

    std::vector<double> gameFrames;
    std::vector<double> referenceFrames;
    for (int round = 0; round < rounds; ++round) {
        gameFrames.push_back(microsecondsPerFrame(framesPerRound, [&] {
            game.update();
            game.render();
        }));
        referenceFrames.push_back(microsecondsPerFrame(framesPerRound, [&] {
            window.clear(sf::Color::Black);
            window.draw(walls, wallStates);
            window.draw(counter);
            window.display();
        }));
    }
    std::cout.rdbuf(console);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double gameUs = median(gameFrames);
    const double referenceUs = median(referenceFrames);
    std::cout << "frame_game_us=" << gameUs << " frame_reference_us=" << referenceUs
              << " frame_ratio=" << gameUs / referenceUs
              << " rss_mb=" << static_cast<double>(usage.ru_maxrss) / 1024.0 << "\n";
    return 0;
}
