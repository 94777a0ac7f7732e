#include "Assets.hpp"

#include <SFML/Audio/SoundBuffer.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>

void saveImage(const sf::Image& image, const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!image.saveToFile(path)) {
        std::cerr << "assetgen: cannot write " << path << "\n";
        std::exit(1);
    }
}

void saveSamples(const std::vector<std::int16_t>& samples, unsigned channels, unsigned rate,
                 const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    sf::SoundBuffer buffer;
    if (!buffer.loadFromSamples(samples.data(), samples.size(), channels, rate) ||
        !buffer.saveToFile(path)) {
        std::cerr << "assetgen: cannot write " << path << "\n";
        std::exit(1);
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: assetgen DATA_FOLDER\n";
        return 2;
    }
    const std::string dataDir = argv[1];
    writeWallAtlas(dataDir);
    writeGeigerStrip(dataDir);
    writeMenuLayers(dataDir);
    writeMusic(dataDir);
    writeEffects(dataDir);
    writeIcons(dataDir);
    return 0;
}
