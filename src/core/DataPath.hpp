#pragma once

#include <string>

// Asset paths are written with backslashes in the game's tables; on this platform they name
// the same files with slashes.
std::string dataPath(std::string path);
