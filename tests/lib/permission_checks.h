// File permissions that hold for the test's thread even when the tests run as root: while the
// object lives the thread's effective capabilities lack the overrides of the permission bits.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing_lib {

class PermissionChecks {
public:
    PermissionChecks()
    {
        if (geteuid() != 0 || syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = { m_saved[0], m_saved[1] };
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER);
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionChecks()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionChecks(const PermissionChecks&) = delete;
    PermissionChecks& operator=(const PermissionChecks&) = delete;

    bool inForce() const { return geteuid() != 0 || m_dropped; }

private:
    __user_cap_header_struct m_header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct m_saved[2] {};
    bool m_dropped = false;
};

} // namespace testing_lib
