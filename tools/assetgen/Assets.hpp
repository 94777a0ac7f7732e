#pragma once

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Each writer produces one kind of content under the data folder it is given. Every writer is
// deterministic: fixed seeds, no clock, so two runs give the same files.
void writeWallAtlas(const std::string& dataDir);
void writeGeigerStrip(const std::string& dataDir);
void writeMenuLayers(const std::string& dataDir);
void writeMusic(const std::string& dataDir);
void writeEffects(const std::string& dataDir);
void writeIcons(const std::string& dataDir);

// The path of a file of common/AssetList.hpp under the data folder.
std::string dataFile(const std::string& dataDir, std::string_view file);
// Ends the generator with status 1 unless every file of the asset list was written.
void checkEveryListedFile(const std::string& dataDir);

// Shared output helpers; both end the generator with status 1 when the file cannot be written.
void saveImage(const sf::Image& image, const std::string& path);
void saveSamples(const std::vector<std::int16_t>& samples, unsigned channels, unsigned rate,
                 const std::string& path);
