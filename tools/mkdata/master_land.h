// The names of "land.dat"'s terrain and building types, for pictures that label them.
#pragma once

#include <string>
#include <vector>

namespace mkdata::master {

// UTF-8, in the file's order (the terrain index).
std::vector<std::string> terrainNames();

} // namespace mkdata::master
