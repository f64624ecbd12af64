// Whole-file reads for the media area, with a size cap.
#include "platform/media/file_bytes.h"
#include "platform/kernel/host.h"

#include <fstream>

namespace platform::media {

std::optional<std::vector<uint8_t>> readGameFile(std::string_view gamePath)
{
    constexpr std::streamoff kMaxBytes = 512LL << 20;
    std::ifstream in(platform::hostPath(gamePath), std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

} // namespace platform::media
