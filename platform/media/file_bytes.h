// Reading a whole data file named as the game names it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform::media {

// The file's bytes, or nothing when it cannot be read or exceeds the size a sound file may have.
std::optional<std::vector<uint8_t>> readGameFile(std::string_view gamePath);

} // namespace platform::media
