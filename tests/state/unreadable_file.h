// A file made unreadable for the test's thread while the object lives.
#pragma once

#include "tests/state/state_test_support.h"

#include <filesystem>
#include <string>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_state {

// Makes a file unreadable for this thread while it lives. Root reads any file, so a root test
// takes the file access rights of an ordinary user (which drops the override) meanwhile.
class UnreadableFile {
public:
    UnreadableFile(const DataFolder& folder, const std::string& name)
        : m_path(folder.host(name))
    {
        chmod(folder.path().c_str(), 0755);
        for (std::string part = std::filesystem::path(m_path).parent_path(); part.size() > folder.path().size();
             part = std::filesystem::path(part).parent_path())
            chmod(part.c_str(), 0755);
        chmod(m_path.c_str(), 0);
        if (geteuid() == 0) {
            setfsuid(65534);
            m_dropped = true;
        }
    }
    ~UnreadableFile()
    {
        if (m_dropped)
            setfsuid(0);
        chmod(m_path.c_str(), 0644);
    }

private:
    std::string m_path;
    bool m_dropped = false;
};

} // namespace testing_state
