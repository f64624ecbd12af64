// The lock file that carries the single-instance mutex names across processes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

bool isSingleInstanceName(std::string_view name);

// Holds an exclusive flock on the name's file in $XDG_RUNTIME_DIR (else /tmp) while it lives;
// the system drops it when the process ends, however it ends.
class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    ~InstanceLock();

    // Takes the lock if no other process holds it; otherwise the result does not hold it.
    // When the lock file cannot be made at all, the program runs as if alone.
    static InstanceLock acquire(std::string_view name);
    // True when another process holds the name's lock.
    static bool heldElsewhere(std::string_view name);

    bool held() const { return m_fd >= 0; }
    // The lock was refused because another process holds it.
    bool busy() const { return m_busy; }

private:
    int m_fd = -1;
    bool m_busy = false;
};

} // namespace platform
