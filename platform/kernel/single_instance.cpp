// Lock files for the single-instance mutex names.
#include "platform/kernel/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

std::string lockFilePath(std::string_view name)
{
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        struct stat st;
        if (stat(runtime, &st) == 0 && S_ISDIR(st.st_mode))
            folder = runtime;
    }
    if (folder.empty())
        return "/tmp/derazodo-" + std::string(name) + "-" + std::to_string(getuid()) + ".lock";
    return folder + "/derazodo-" + std::string(name) + ".lock";
}

// Returns the descriptor holding the lock, or -1 (busy when another process holds it).
int tryLock(std::string_view name, bool& busy)
{
    busy = false;
    int fd = open(lockFilePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        busy = errno == EWOULDBLOCK;
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool isSingleInstanceName(std::string_view name)
{
    return name == "DERAZODO_MAINWINDOW_CNAME" || name == "NOLTRAX_MAINWINDOW_CNAME";
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_busy(other.m_busy)
{
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_busy = other.m_busy;
    }
    return *this;
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

InstanceLock InstanceLock::acquire(std::string_view name)
{
    InstanceLock lock;
    lock.m_fd = tryLock(name, lock.m_busy);
    return lock;
}

bool InstanceLock::heldElsewhere(std::string_view name)
{
    bool busy;
    int fd = tryLock(name, busy);
    if (fd >= 0)
        close(fd);
    return busy;
}

} // namespace platform
