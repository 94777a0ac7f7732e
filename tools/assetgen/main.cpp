#include "Assets.hpp"
#include "common/AssetList.hpp"

#include <SFML/Audio/SoundBuffer.hpp>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <iterator>
#include <thread>

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

std::string dataFile(const std::string& dataDir, std::string_view file)
{
    return dataDir + "/" + std::string(file);
}

void checkEveryListedFile(const std::string& dataDir)
{
    std::vector<std::string_view> listed;
    for (const assets::Texture& texture : assets::textures)
        listed.push_back(texture.file);
    listed.insert(listed.end(), std::begin(assets::trackFiles), std::end(assets::trackFiles));
    listed.insert(listed.end(), std::begin(assets::effectFiles), std::end(assets::effectFiles));
    for (const assets::Icon& icon : assets::icons) {
        listed.push_back(icon.game);
        listed.push_back(icon.console);
    }
    for (std::string_view file : listed) {
        if (!std::filesystem::exists(dataFile(dataDir, file))) {
            std::cerr << "assetgen: nothing wrote the listed file " << file << "\n";
            std::exit(1);
        }
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: assetgen DATA_FOLDER\n";
        return 2;
    }
    const std::string dataDir = argv[1];
    // The writers share nothing but the folders they write into: each runs on a thread of its
    // own, so the music, the longest, does not hold up the rest of a first build's data.
    std::vector<std::thread> writers;
    for (void (*writer)(const std::string&) :
         {writeMusic, writeMenuLayers, writeEffects, writeWallAtlas, writeGeigerStrip, writeIcons})
        writers.emplace_back(writer, std::cref(dataDir));
    for (std::thread& writer : writers)
        writer.join();
    checkEveryListedFile(dataDir);
    return 0;
}
