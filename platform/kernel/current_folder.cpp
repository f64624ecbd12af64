// The game's current folder and full path names, in the game's own path form.
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <cstring>
#include <sys/stat.h>

using namespace platform;

namespace {

// The current folder as the game sees it: '\' separated, no trailing '\' except at the root.
std::string currentGameFolder()
{
    std::string folder = gamePathFromHost(currentHostFolder());
    while (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

} // namespace

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    return copyOutString(currentGameFolder(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName)
{
    if (!lpPathName || !*lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string path = hostPath(lpPathName);
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        return failFromErrno(path);
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    setCurrentHostFolder(path);
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Purely textual, as on the original platform: the file need not exist.
    std::string_view name = lpFileName;
    GamePathParts parts = splitGamePath(name);
    if (!parts.absolute)
        parts = splitGamePath(currentGameFolder() + "\\" + std::string(name));
    std::string full;
    for (auto& component : parts.components)
        full += "\\" + component;
    if (full.empty())
        full = "\\";
    bool endsInSeparator = fileNameOffset(name) == name.size();
    if (endsInSeparator && full.size() > 1)
        full.push_back('\\');
    DWORD result = copyOutString(full, lpBuffer, nBufferLength);
    if (lpFilePart && result < nBufferLength) {
        size_t name = fileNameOffset(full);
        *lpFilePart = endsInSeparator || name >= full.size() ? nullptr : lpBuffer + name;
    }
    return result;
}
