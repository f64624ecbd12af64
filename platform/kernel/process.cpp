// The program as a process: its file name, command line, exit and restart.
#include "platform/kernel/host.h"
#include "platform/kernel/modules.h"
#include "platform/kernel/winbase.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <unistd.h>
#include <vector>

using namespace platform;

namespace {

std::string quoted(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string result = "\"";
    for (char c : argument) {
        if (c == '"')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

std::vector<std::string> hostArguments()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    for (size_t start = 0; start < all.size();) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        arguments.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

// Splits a command line at blanks outside double quotes; \" is a literal quote.
std::vector<std::string> splitCommandLine(std::string_view line)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false;
    bool pending = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
            current += '"';
            pending = true;
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            pending = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (pending)
                arguments.push_back(std::move(current));
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        arguments.push_back(std::move(current));
    return arguments;
}

} // namespace

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (hModule && hModule != programInstance()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::string path = programPathForGame();
    // Too small a buffer gets the path cut to nSize - 1 bytes, still terminated.
    if (path.size() >= nSize) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return DWORD(path.size());
}

LPSTR GetCommandLineA()
{
    static std::once_flag once;
    static std::string* line = nullptr;
    std::call_once(once, [] {
        std::vector<std::string> arguments = hostArguments();
        // The program itself always in quotes, as when started from the desktop.
        line = new std::string("\"" + programPathForGame() + "\"");
        for (size_t i = 1; i < arguments.size(); ++i)
            *line += " " + quoted(utf8ToCp932(arguments[i]));
    });
    return line->data();
}

void ExitProcess(UINT uExitCode)
{
    // Other threads are still running: ending at once, as the original platform does, avoids
    // tearing down globals under them.
    std::fflush(nullptr);
    std::_Exit(int(uExitCode));
}

namespace platform {

namespace {

std::mutex g_standInLock;
std::function<bool(const std::string&)> g_restartStandIn;

} // namespace

void setRestartStandIn(std::function<bool(const std::string& commandLine)> standIn)
{
    std::lock_guard lock(g_standInLock);
    g_restartStandIn = std::move(standIn);
}

bool restartProgram(const std::string& commandLine)
{
    {
        std::lock_guard lock(g_standInLock);
        if (g_restartStandIn)
            return g_restartStandIn(commandLine);
    }
    std::vector<std::string> arguments = hostArguments();
    std::string self = arguments.empty() ? std::string("derazodo") : arguments[0];
    std::vector<std::string> hostArgs { self };
    for (auto& argument : splitCommandLine(commandLine))
        hostArgs.push_back(cp932ToUtf8(argument));
    std::vector<char*> argv;
    for (auto& argument : hostArgs)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The new copy must find the same program folder.
    setenv("DERAZODO_PROGRAM_DIR", programFolder().c_str(), 1);
    std::fflush(nullptr);
    execv("/proc/self/exe", argv.data());
    return false;
}

} // namespace platform
