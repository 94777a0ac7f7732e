// The game's in-game frame (update and render of the playing state on the largest level)
// against a reference loop that draws the same 1280 textured wall lines and the same counter
// picture and nothing else. Both run in one process, in alternating rounds, so they see the
// same machine; the figure that matters is their ratio.

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

}

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

    const sf::Texture& wallTexture = game.getTextures().get("wall");
    sf::VertexArray walls(sf::Lines, 2 * 1280);
    for (unsigned x = 0; x < 1280; ++x) {
        const float top = 160.f + static_cast<float>(x % 97);
        const sf::Color shade(200, 200, 200);
        walls[2 * x] = sf::Vertex({static_cast<float>(x), top}, shade, {static_cast<float>(x % 250), 1.f});
        walls[2 * x + 1] = sf::Vertex({static_cast<float>(x), 720.f - top}, shade,
                                      {static_cast<float>(x % 250), 249.f});
    }
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
