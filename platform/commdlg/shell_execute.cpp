// ShellExecuteA: opens a document or address with the desktop's handler (xdg-open).
#include "platform/commdlg/shlobj.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool onSearchPath(const std::string& program)
{
    const char* path = getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

HINSTANCE code(INT_PTR value)
{
    return reinterpret_cast<HINSTANCE>(value);
}

} // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int)
{
    if (!file || !*file)
        return code(SE_ERR_FNF);
    std::string verb = operation ? operation : "open";
    if (verb != "open")
        return code(SE_ERR_NOASSOC);
    std::string target = file;
    bool address = target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0;
    if (!address) {
        if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES)
            return code(SE_ERR_FNF);
        target = platform::hostPath(file);
    }
    if (!onSearchPath("xdg-open"))
        return code(SE_ERR_NOASSOC);
    char program[] = "xdg-open";
    char* argv[] = { program, target.data(), nullptr };
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0)
        return code(SE_ERR_OOM);
    // xdg-open hands the document over and ends; reap it so no zombie is left.
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return code(SE_ERR_NOASSOC);
    return code(42);
}
