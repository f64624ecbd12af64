// ShellExecuteA: opens a document or address with the desktop's handler (xdg-open).
#include "platform/commdlg/shlobj.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cerrno>
#include <functional>
#include <spawn.h>
#include <string>
#include <thread>
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

// ShellExecute's answer for an opener that could not be started.
INT_PTR startFailure(int error)
{
    switch (error) {
    case ENOMEM:
    case EAGAIN:
        return SE_ERR_OOM;
    case EACCES:
    case EPERM:
        return SE_ERR_ACCESSDENIED;
    case ENOENT:
        return SE_ERR_FNF;
    default:
        return 11; // ERROR_BAD_FORMAT: not a program that can be run
    }
}

HINSTANCE code(INT_PTR value)
{
    return reinterpret_cast<HINSTANCE>(value);
}

} // namespace

namespace platform {

HINSTANCE shellOpen(LPCSTR file, std::function<void(bool opened)> ended)
{
    if (!file || !*file)
        return code(SE_ERR_FNF);
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
    if (int error = posix_spawnp(&child, program, nullptr, nullptr, argv, environ); error != 0)
        return code(startFailure(error));
    // The opener may stay as long as the browser it started: the window thread does not wait for
    // it, a thread of its own reaps it so that no zombie is left. Only an exit status tells a
    // failure; an opener ended by a signal was ended on purpose.
    std::thread([child, ended = std::move(ended)] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        if (ended)
            ended(!WIFEXITED(status) || WEXITSTATUS(status) == 0);
    }).detach();
    return code(42);
}

} // namespace platform

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int)
{
    std::string verb = operation ? operation : "open";
    if (verb != "open")
        return code(SE_ERR_NOASSOC);
    return platform::shellOpen(file, nullptr);
}
