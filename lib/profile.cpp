// swCProfileKey over the kernel's private-profile calls.
#include "lib/profile.h"

#include "platform/kernel/winbase.h"

#include <cstring>

std::string profilePath()
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
    // Only a dot of the file name counts; one in a folder name is no extension.
    size_t name = path.find_last_of("\\/");
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        path += '.';
    else
        path.erase(dot + 1);
    return path + "ini";
}

void swCProfileKey::profileWriteString(const char* value) const
{
    WritePrivateProfileStringA(m_section, m_key, value, profilePath().c_str());
}

DWORD swCProfileKey::profileReadStringBuffer(const char* fallback, char* buffer, DWORD size) const
{
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
