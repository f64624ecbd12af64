// Whole-file reads with a size cap, for the readers of pictures and sounds.
#include "platform/kernel/file_bytes.h"
#include "platform/kernel/host.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::vector<uint8_t>> readHostFile(const std::string& hostFile, size_t maxBytes)
{
    // Only a regular file, and opening does not wait: a named pipe or a device in a file's place
    // would block or never end.
    int fd = open(hostFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) > maxBytes
        || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(size_t(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += size_t(got);
    }
    close(fd);
    if (done != bytes.size())
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<uint8_t>> readGameFile(std::string_view gamePath, size_t maxBytes)
{
    return readHostFile(hostPath(gamePath), maxBytes);
}

} // namespace platform
