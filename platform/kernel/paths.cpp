// Game paths to host paths: separators, drive letters, the game's current folder and
// case-insensitive resolution of every component, with CP932 names stored as UTF-8.
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>

namespace platform {

namespace {

std::mutex g_currentMutex;
std::string* g_currentFolder = new std::string; // empty = the program folder

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool exists(const std::string& hostFile)
{
    struct stat st;
    return lstat(hostFile.c_str(), &st) == 0;
}

// Finds the entry of folder whose name equals name apart from letter case; exact match first.
bool resolveComponent(const std::string& folder, const std::string& name, std::string& found)
{
    if (exists(folder + name)) {
        found = name;
        return true;
    }
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        if (equalsIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

} // namespace

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = uint8_t(a[i]);
        unsigned char cb = uint8_t(b[i]);
        if (ca >= 'a' && ca <= 'z')
            ca -= 'a' - 'A';
        if (cb >= 'a' && cb <= 'z')
            cb -= 'a' - 'A';
        if (ca != cb)
            return false;
    }
    return true;
}

GamePathParts splitGamePath(std::string_view gamePath)
{
    GamePathParts parts;
    size_t pos = 0;
    if (gamePath.size() >= 2 && gamePath[1] == ':' && ((gamePath[0] | 0x20) >= 'a' && (gamePath[0] | 0x20) <= 'z')) {
        pos = 2;
        parts.absolute = true;
    }
    if (pos < gamePath.size() && isSeparator(gamePath[pos]))
        parts.absolute = true;
    std::string current;
    auto finish = [&] {
        if (current == "..") {
            // A relative path keeps leading ".." for its base folder to apply.
            if (!parts.components.empty() && parts.components.back() != "..")
                parts.components.pop_back();
            else if (!parts.absolute)
                parts.components.push_back(current);
        } else if (!current.empty() && current != ".") {
            parts.components.push_back(current);
        }
        current.clear();
    };
    while (pos < gamePath.size()) {
        unsigned char c = uint8_t(gamePath[pos]);
        if (isCp932LeadByte(c) && pos + 1 < gamePath.size()) {
            current.append(gamePath.substr(pos, 2));
            pos += 2;
            continue;
        }
        if (isSeparator(char(c)))
            finish();
        else
            current.push_back(char(c));
        ++pos;
    }
    finish();
    return parts;
}

size_t fileNameOffset(std::string_view gamePath)
{
    size_t offset = 0;
    for (size_t pos = 0; pos < gamePath.size(); ++pos) {
        if (isCp932LeadByte(uint8_t(gamePath[pos])))
            ++pos;
        else if (isSeparator(gamePath[pos]))
            offset = pos + 1;
    }
    return offset;
}

std::string currentHostFolder()
{
    {
        std::lock_guard lock(g_currentMutex);
        if (!g_currentFolder->empty())
            return *g_currentFolder;
    }
    return programFolder();
}

void setCurrentHostFolder(std::string hostFolder)
{
    if (!hostFolder.empty() && hostFolder.back() != '/')
        hostFolder.push_back('/');
    std::lock_guard lock(g_currentMutex);
    *g_currentFolder = std::move(hostFolder);
}

std::string hostPath(std::string_view gamePath)
{
    GamePathParts parts = splitGamePath(gamePath);
    std::string result = parts.absolute ? std::string("/") : currentHostFolder();
    bool resolving = true;
    for (size_t i = 0; i < parts.components.size(); ++i) {
        if (parts.components[i] == "..") {
            if (result.size() > 1) {
                result.pop_back();
                result.resize(result.rfind('/') + 1);
            }
            continue;
        }
        std::string name = cp932ToUtf8(parts.components[i]);
        std::string found;
        // Once a folder is missing, the rest is kept as given (a file about to be created).
        if (resolving && resolveComponent(result, name, found))
            name = found;
        else
            resolving = false;
        result += name;
        if (i + 1 < parts.components.size())
            result.push_back('/');
    }
    return result;
}

std::string gamePathFromHost(std::string_view hostPath)
{
    std::string game = utf8ToCp932(hostPath);
    for (char& c : game)
        if (c == '/')
            c = '\\';
    return game;
}

DWORD errorFromErrno(int error, std::string_view hostFile)
{
    switch (error) {
    case ENOENT: {
        size_t slash = hostFile.rfind('/');
        if (slash != std::string_view::npos && slash > 0 && !exists(std::string(hostFile.substr(0, slash))))
            return ERROR_PATH_NOT_FOUND;
        return ERROR_FILE_NOT_FOUND;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

BOOL failFromErrno(std::string_view hostFile)
{
    SetLastError(errorFromErrno(errno, hostFile));
    return FALSE;
}

FILETIME fileTimeFromUnix(int64_t seconds, long nanoseconds)
{
    uint64_t value = uint64_t(seconds + 11644473600LL) * 10000000ULL + uint64_t(nanoseconds / 100);
    return { DWORD(value), DWORD(value >> 32) };
}

DWORD attributesFromMode(unsigned mode)
{
    DWORD attributes = 0;
    if (S_ISDIR(mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if (!S_ISREG(mode))
        attributes |= FILE_ATTRIBUTE_DEVICE; // a pipe, a socket or a device: never opened as a file
    if (!(mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

DWORD copyOutString(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || text.size() + 1 > size)
        return DWORD(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return DWORD(text.size());
}

} // namespace platform
