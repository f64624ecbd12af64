// A fresh program folder per test, so tests running in parallel never share files.
#pragma once

#include "platform/kernel/host.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempProgramFolder {
public:
    TempProgramFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kernel-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        m_path += "/";
        platform::setProgramFolder(m_path);
    }
    ~TempProgramFolder()
    {
        platform::setProgramFolder({});
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // Host path (UTF-8) of a file inside the folder.
    std::string operator/(const std::string& relative) const { return m_path + relative; }
    const std::string& path() const { return m_path; }

    void write(const std::string& relative, const std::string& contents) const
    {
        std::filesystem::create_directories(std::filesystem::path(m_path + relative).parent_path());
        std::ofstream(m_path + relative, std::ios::binary) << contents;
    }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(m_path + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};
