// Reading a whole data file named as the game names it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file's bytes, or nothing when it is not a regular file, cannot be read or is larger than
// `maxBytes`.
std::optional<std::vector<uint8_t>> readGameFile(std::string_view gamePath, size_t maxBytes);
// The same for a host path (UTF-8, '/').
std::optional<std::vector<uint8_t>> readHostFile(const std::string& hostFile, size_t maxBytes);

} // namespace platform
