// Folder listing, filters and path pieces for the file dialogs.
#include "platform/commdlg/file_folder.h"

#include "platform/kernel/winbase.h"
#include "platform/kernel/wildcard.h"

#include <algorithm>
#include <cctype>

namespace platform::commdlg {

namespace {

bool leadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Components of a path, split at "\" or "/" outside double-byte characters.
std::vector<std::string> components(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (leadByte(c) && i + 1 < path.size()) {
            current += path.substr(i, 2);
            ++i;
        } else if (c == '\\' || c == '/') {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.push_back(char(c));
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::string fromComponents(const std::vector<std::string>& parts)
{
    std::string path;
    for (const std::string& part : parts)
        path += "\\" + part;
    return path.empty() ? "\\" : path;
}

bool lessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        unsigned char cx = static_cast<unsigned char>(x), cy = static_cast<unsigned char>(y);
        return (cx < 0x80 ? std::tolower(cx) : cx) < (cy < 0x80 ? std::tolower(cy) : cy);
    });
}

} // namespace

std::vector<Filter> parseFilters(const char* pairs)
{
    std::vector<Filter> filters;
    if (!pairs)
        return filters;
    const char* p = pairs;
    while (*p) {
        Filter filter;
        filter.description = p;
        p += filter.description.size() + 1;
        if (!*p)
            break;
        std::string patterns = p;
        p += patterns.size() + 1;
        size_t start = 0;
        while (start <= patterns.size()) {
            size_t end = patterns.find(';', start);
            if (end == std::string::npos)
                end = patterns.size();
            std::string one = patterns.substr(start, end - start);
            one.erase(0, one.find_first_not_of(' '));
            if (!one.empty())
                filter.patterns.push_back(one);
            start = end + 1;
        }
        filters.push_back(filter);
    }
    return filters;
}

std::vector<FolderEntry> listFolder(const std::string& folder, const std::vector<std::string>& patterns)
{
    std::vector<FolderEntry> folders, files;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(joinPath(folder, "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return {};
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(FolderEntry { name, true });
            continue;
        }
        bool wanted = patterns.empty();
        for (const std::string& pattern : patterns)
            wanted = wanted || matchesWildcard(pattern, name);
        if (wanted)
            files.push_back(FolderEntry { name, false });
    } while (FindNextFileA(find, &data));
    FindClose(find);
    auto byName = [](const FolderEntry& a, const FolderEntry& b) { return lessNoCase(a.name, b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string programGameFolder()
{
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    return parentFolder(path);
}

std::string currentFolder()
{
    char path[MAX_PATH * 2] = {};
    DWORD n = GetCurrentDirectoryA(sizeof(path), path);
    return n > 0 && n < sizeof(path) ? joinPath(path, "") : programGameFolder();
}

bool isFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isAbsolute(const std::string& path)
{
    if (!path.empty() && (path[0] == '\\' || path[0] == '/'))
        return true;
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    std::string source = isAbsolute(name) ? name : folder + "\\" + name;
    if (source.size() >= 2 && source[1] == ':')
        source.erase(0, 2);
    std::vector<std::string> parts;
    for (const std::string& part : components(source)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    return fromComponents(parts);
}

std::string parentFolder(const std::string& path)
{
    std::vector<std::string> parts = components(path);
    if (!parts.empty())
        parts.pop_back();
    return fromComponents(parts);
}

size_t nameOffset(const std::string& path)
{
    size_t offset = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (leadByte(c))
            ++i;
        else if (c == '\\' || c == '/' || c == ':')
            offset = i + 1;
    }
    return offset;
}

size_t extensionOffset(const std::string& path)
{
    size_t start = nameOffset(path);
    size_t dot = std::string::npos;
    for (size_t i = start; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (leadByte(c))
            ++i;
        else if (c == '.')
            dot = i;
    }
    return dot == std::string::npos ? path.size() : dot + 1;
}

bool hasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> folderChain(const std::string& path)
{
    std::vector<std::string> chain { "\\" };
    std::vector<std::string> parts = components(path);
    for (size_t i = 1; i <= parts.size(); ++i)
        chain.push_back(fromComponents(std::vector<std::string>(parts.begin(), parts.begin() + long(i))));
    return chain;
}

} // namespace platform::commdlg
