#include "core/DataPath.hpp"

#include <algorithm>

std::string dataPath(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}
