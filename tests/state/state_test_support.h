// A temporary program folder holding copies of the generated master data, and helpers to damage them.
#pragma once

#include "tests/lib/temp_program_folder.h"
#include "tests/lib/thrown_error.h"

#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "ui/base_bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testing_state {

// Links the whole generated folder (tkbmp, tkunit, ...) into a program folder in place of whatever
// copies stand there, for windows that draw more than start-up reads.
inline void linkGeneratedFolder(const std::string& programFolder, const char* folder)
{
    namespace fs = std::filesystem;
    const fs::path at = fs::path(programFolder) / folder;
    if (fs::is_symlink(at))
        return;
    fs::remove_all(at);
    fs::create_directory_symlink(fs::path(DERAZODO_PROGRAM_DIR) / folder, at);
}

class DataFolder : public testing_lib::TempProgramFolder {
public:
    DataFolder()
        : TempProgramFolder("state")
    {
        namespace fs = std::filesystem;
        fs::path generated = DERAZODO_PROGRAM_DIR;
        for (const char* name : { "land.dat", "warm.dat", "weapon.dat", "sweapon.dat", "producttype.dat",
                 "sproducttype.dat", "anthem.lst", "tkrule/class0.rul", "tkrule/simple.rul" }) {
            fs::create_directories(fs::path(host(name)).parent_path());
            std::error_code error;
            fs::copy_file(generated / name, host(name), fs::copy_options::overwrite_existing, error);
            if (error)
                ADD_FAILURE() << "generated data missing: " << name;
        }
        // The pictures start-up reads, so that it has none to tell of.
        fs::create_directories(host("tkbmp"));
        for (int i = 0; i <= kBaseBitmapCount; ++i) {
            if (const char* picture = i < kBaseBitmapCount ? baseBitmapFile(i) : kStartArrowFile)
                fs::copy_file(generated / "tkbmp" / picture, host(std::string("tkbmp/") + picture));
        }
        platform::harness::clearMessageBoxes();
    }

    std::string read(const std::string& name) const
    {
        std::ifstream in(host(name), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(host(name)).parent_path());
        std::ofstream(host(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    // Writes UTF-8 text as the CP932 the game reads.
    void writeText(const std::string& name, const std::string& utf8) const { write(name, platform::utf8ToCp932(utf8)); }
    void remove(const std::string& name) const { std::filesystem::remove(host(name)); }
    void linkGenerated(const char* folder) const { linkGeneratedFolder(host(""), folder); }
};

// The lines of a CP932 text file, without their ends.
inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Texts (UTF-8) of the message boxes shown since the folder was made.
inline std::vector<std::string> shownTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : platform::harness::messageBoxes())
        texts.push_back(platform::cp932ToUtf8(box.text));
    return texts;
}

inline std::string utf8(const char* cp932) { return platform::cp932ToUtf8(cp932); }

} // namespace testing_state
