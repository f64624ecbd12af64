// File permissions that hold for the test's thread even when the tests run as root: the thread's
// effective capabilities lose the overrides of the permission bits while the object lives.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing_lib {

class PermissionChecks {
public:
    PermissionChecks()
    {
        if (geteuid() != 0) {
            m_inForce = true;
            return;
        }
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = { m_saved[0], m_saved[1] };
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER);
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
        m_inForce = m_dropped;
    }
    ~PermissionChecks()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionChecks(const PermissionChecks&) = delete;
    PermissionChecks& operator=(const PermissionChecks&) = delete;

    // False when the tests run as root and the overrides could not be given up.
    bool inForce() const { return m_inForce; }

private:
    __user_cap_header_struct m_header {};
    __user_cap_data_struct m_saved[2] {};
    bool m_dropped = false;
    bool m_inForce = false;
};

} // namespace testing_lib
