// Whole-file reads with a size cap, for the readers of pictures and sounds.
#include "platform/kernel/file_bytes.h"
#include "platform/kernel/host.h"

#include <fstream>

namespace platform {

std::optional<std::vector<uint8_t>> readGameFile(std::string_view gamePath, size_t maxBytes)
{
    std::ifstream in(hostPath(gamePath), std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    std::streamoff size = in.tellg();
    if (size < 0 || uint64_t(size) > maxBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

} // namespace platform
