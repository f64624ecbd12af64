// FindFirstFileA / FindNextFileA / FindClose over a folder listing taken at the first call.
#include "platform/kernel/handle_table.h"
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/wildcard.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

struct FindObject {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

HandleTable<FindObject>& findTable()
{
    static auto* table = new HandleTable<FindObject>(HandleKind::Find);
    return *table;
}

// Where the folder part of the pattern ends (after its last separator), CP932-aware.
size_t nameStart(std::string_view pattern)
{
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (isCp932LeadByte(uint8_t(pattern[i])) && i + 1 < pattern.size())
            ++i;
        else if (pattern[i] == '\\' || pattern[i] == '/' || (i == 1 && pattern[1] == ':'))
            start = i + 1;
    }
    return start;
}

std::string foldedKey(const std::string& name)
{
    std::string key = name;
    for (size_t i = 0; i < key.size(); ++i) {
        if (isCp932LeadByte(uint8_t(key[i])) && i + 1 < key.size())
            ++i;
        else if (key[i] >= 'a' && key[i] <= 'z')
            key[i] = char(key[i] - 'a' + 'A');
    }
    return key;
}

bool fillEntry(const std::string& folder, const std::string& hostName, const std::string& gameName, WIN32_FIND_DATAA& data)
{
    struct stat st;
    if (stat((folder + hostName).c_str(), &st) != 0)
        return false;
    std::memset(&data, 0, sizeof data);
    data.dwFileAttributes = attributesFromMode(st.st_mode);
    data.ftCreationTime = fileTimeFromUnix(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
    data.ftLastAccessTime = fileTimeFromUnix(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    data.ftLastWriteTime = fileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (!S_ISDIR(st.st_mode)) {
        data.nFileSizeHigh = DWORD(uint64_t(st.st_size) >> 32);
        data.nFileSizeLow = DWORD(st.st_size);
    }
    std::memcpy(data.cFileName, gameName.c_str(), gameName.size() + 1);
    return true;
}

} // namespace

} // namespace platform

using namespace platform;

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string_view pattern = lpFileName;
    size_t start = nameStart(pattern);
    std::string namePattern(pattern.substr(start));
    if (namePattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::string folder = hostPath(pattern.substr(0, start));
    if (folder.back() != '/')
        folder.push_back('/');
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto find = std::make_shared<FindObject>();
    std::vector<std::pair<std::string, WIN32_FIND_DATAA>> found;
    while (dirent* entry = readdir(dir)) {
        std::string hostName = entry->d_name;
        if (folder == "/" && (hostName == "." || hostName == ".."))
            continue;
        // A name CP932 cannot spell could never be opened again by the game.
        std::string gameName = utf8ToCp932(hostName);
        if (gameName.size() >= MAX_PATH || cp932ToUtf8(gameName) != hostName)
            continue;
        if (!matchesWildcard(namePattern, gameName))
            continue;
        WIN32_FIND_DATAA data;
        if (fillEntry(folder, hostName, gameName, data))
            found.emplace_back(foldedKey(gameName), data);
    }
    closedir(dir);
    if (found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // Listed in name order, letter case aside, as the game's file lists expect; "." and ".." first.
    auto rank = [](const std::string& key) { return key == "." ? 0 : key == ".." ? 1 : 2; };
    std::sort(found.begin(), found.end(), [&](auto& a, auto& b) {
        return rank(a.first) != rank(b.first) ? rank(a.first) < rank(b.first) : a.first < b.first;
    });
    for (auto& entry : found)
        find->entries.push_back(entry.second);
    *lpFindFileData = find->entries[0];
    find->next = 1;
    SetLastError(ERROR_SUCCESS);
    return makeHandle<HANDLE>(findTable().add(std::move(find)));
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    auto find = findTable().get(handleValue(hFindFile));
    if (!find) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (find->next >= find->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = find->entries[find->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile)
{
    if (!findTable().remove(handleValue(hFindFile))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
