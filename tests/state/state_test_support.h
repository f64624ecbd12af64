// A temporary program folder holding copies of the generated master data, and helpers to damage them.
#pragma once

#include "tests/lib/temp_program_folder.h"
#include "tests/lib/thrown_error.h"

#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "state/application_link.h"
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

// What the state tells the person, recorded in place of the program's message boxes.
class NoticeLog : public ApplicationLink {
public:
    struct Notice {
        std::string text;    // CP932
        std::string caption; // CP932
        NoticeIcon icon;
        NoticeOwner owner;
    };
    void tell(const std::string& text, const std::string& caption, NoticeIcon icon, NoticeOwner owner) override
    {
        m_notices.push_back({ text, caption, icon, owner });
    }
    void setRestartRequested(bool requested) override { m_restart = requested; }
    bool restartRequested() const override { return m_restart; }
    bool raiseMainWindow() override { return false; }

    const std::vector<Notice>& notices() const { return m_notices; }
    void clear() { m_notices.clear(); }

private:
    std::vector<Notice> m_notices;
    bool m_restart = false;
};

// The state tests' link (installed for their whole run); window tests show message boxes instead.
inline NoticeLog& noticeLog()
{
    static NoticeLog log;
    return log;
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
        noticeLog().clear();
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

// Texts (UTF-8) of the notices told since the folder was made.
inline std::vector<std::string> shownTexts()
{
    std::vector<std::string> texts;
    for (const auto& notice : noticeLog().notices())
        texts.push_back(platform::cp932ToUtf8(notice.text));
    return texts;
}

inline std::string utf8(const char* cp932) { return platform::cp932ToUtf8(cp932); }

} // namespace testing_state
