// A fresh program folder per test, since the tests run in parallel.
#pragma once

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace testing_lib {

class TempProgramFolder {
public:
    // name_part lets a test put, say, a dot in the folder name.
    explicit TempProgramFolder(const std::string& name_part = "lib")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / ("derazodo-" + name_part + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot make a temporary folder";
        m_path = pattern;
        platform::setProgramFolder(m_path + "/");
    }
    ~TempProgramFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // The host path of a file inside the folder.
    std::string host(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace testing_lib
