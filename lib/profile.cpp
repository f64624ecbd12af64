// swCProfileKey over the kernel's private-profile calls.
#include "lib/profile.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"
#include "platform/windows.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

std::atomic<bool> g_defaultsOnly { false };
std::atomic<bool> g_writeFailureTold { false };

bool isIniLine(const std::string& line)
{
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == ';')
        return true;
    if (line[start] == '[')
        return line.find(']', start) != std::string::npos;
    return line.find('=') != std::string::npos;
}

} // namespace

std::string profilePath()
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
    // Only a dot of the file name counts; one in a folder name is no extension.
    size_t name = platform::fileNameOffset(path);
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < name)
        path += '.';
    else
        path.erase(dot + 1);
    return path + "ini";
}

ProfileCheck checkProfile()
{
    ProfileCheck check;
    const std::string path = profilePath();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // A name that is there but leads nowhere (a loop of links) is no missing file: no setting
        // could ever be kept in it.
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_FILE_NOT_FOUND)
            return check;
        check.state = ProfileCheck::State::Unreadable;
        return check;
    }
    FindClose(search);
    check.state = ProfileCheck::State::Unreadable;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        check.folder = true;
        return check;
    }
    std::string text;
    try {
        swCFile file(path.c_str(), 0);
        char buffer[4096];
        while (DWORD got = file.fileRead(buffer, sizeof buffer))
            text.append(buffer, got);
    } catch (swCError* error) {
        delete error;
        return check;
    }
    check.state = ProfileCheck::State::Usable;
    size_t start = 0;
    for (int line = 1; start < text.size(); ++line) {
        size_t end = text.find('\n', start);
        std::string row = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!row.empty() && row.back() == '\r')
            row.pop_back();
        // A zero byte is damage, never text an editor or this program writes.
        if (row.find('\0') != std::string::npos || !isIniLine(row)) {
            check.state = ProfileCheck::State::Invalid;
            check.line = line;
            return check;
        }
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return check;
}

void profileUseDefaults(bool defaults_only) { g_defaultsOnly = defaults_only; }

bool profileUsesDefaults() { return g_defaultsOnly; }

// As start-up tells an ini it cannot use: the settings of this run are not kept, and the person
// learns it once rather than at every change.
void profileWriteFailed()
{
    if (g_writeFailureTold.exchange(true))
        return;
    const std::string path = profilePath();
    MessageBoxA(nullptr,
        (platform::utf8ToCp932("設定ファイル ") + path.substr(platform::fileNameOffset(path))
            + platform::utf8ToCp932(" に書き込めません。\nこの回に変えた設定は保存されません。"))
            .c_str(),
        platform::utf8ToCp932("警告").c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void profileForgetWriteFailure() { g_writeFailureTold = false; }

void profileWriteValues(const char* section, const std::vector<std::pair<std::string, std::string>>& values)
{
    if (!g_defaultsOnly && !platform::writeProfileValues(section, values, profilePath().c_str()))
        profileWriteFailed();
}

void swCProfileKey::profileWriteString(const char* value) const
{
    if (g_defaultsOnly)
        return;
    if (!WritePrivateProfileStringA(m_section, m_key, value, profilePath().c_str()))
        profileWriteFailed();
}

DWORD swCProfileKey::profileReadStringBuffer(const char* fallback, char* buffer, DWORD size) const
{
    if (g_defaultsOnly) {
        // As the platform answers a missing key: the default without its trailing blanks.
        std::string value = fallback ? fallback : "";
        while (!value.empty() && value.back() == ' ')
            value.pop_back();
        if (size == 0)
            return 0;
        size_t length = std::min<size_t>(value.size(), size - 1);
        std::memcpy(buffer, value.data(), length);
        buffer[length] = '\0';
        return DWORD(length);
    }
    return GetPrivateProfileStringA(m_section, m_key, fallback, buffer, size, profilePath().c_str());
}

void swCProfileKey::profileReadString(std::string& text, const char* fallback) const
{
    char buffer[1024] = {};
    DWORD length = profileReadStringBuffer(fallback, buffer, sizeof buffer);
    text.assign(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

void swCProfileKey::profileWriteInt(int value) const
{
    profileWriteString(std::to_string(value).c_str());
}

int swCProfileKey::profileReadInt(int fallback) const
{
    if (g_defaultsOnly)
        return fallback;
    return int(GetPrivateProfileIntA(m_section, m_key, fallback, profilePath().c_str()));
}

bool swCProfileKey::profileReadBool(bool fallback) const
{
    return profileReadInt(fallback ? 1 : 0) == 1;
}

void swCProfileKey::profileWriteBool(bool value) const
{
    profileWriteInt(value ? 1 : 0);
}

bool swCProfileKey::profileIsTrue() const
{
    char buffer[256] = {};
    profileReadStringBuffer("", buffer, sizeof buffer);
    return std::strcmp(buffer, "TRUE") == 0;
}
