// The program folder, debug output and the C runtime's per-thread random generator.
#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace platform {

namespace {

struct HostState {
    std::mutex mutex;
    std::string programFolder;
    std::function<void(std::string_view)> debugSink;
};

HostState& hostState()
{
    // Never destroyed: threads still running at exit may ask for the folder.
    static HostState* state = new HostState;
    return *state;
}

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::string executablePath()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return "/derazodo";
    return std::string(buffer, size_t(length));
}

thread_local unsigned int t_randState = 1;

} // namespace

std::string programFolder()
{
    HostState& state = hostState();
    std::lock_guard lock(state.mutex);
    if (state.programFolder.empty()) {
        if (const char* env = std::getenv("DERAZODO_PROGRAM_DIR"); env && *env) {
            state.programFolder = withTrailingSlash(env);
        } else {
            std::string exe = executablePath();
            state.programFolder = exe.substr(0, exe.rfind('/') + 1);
        }
    }
    return state.programFolder;
}

void setProgramFolder(const std::string& hostFolder)
{
    HostState& state = hostState();
    std::lock_guard lock(state.mutex);
    state.programFolder = hostFolder.empty() ? std::string() : withTrailingSlash(hostFolder);
    // A new program folder is a new start: the game's current folder follows it again.
    setCurrentHostFolder({});
}

std::string programPathForGame()
{
    std::string exe = executablePath();
    std::string name = exe.substr(exe.rfind('/') + 1);
    if (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return gamePathFromHost(programFolder() + name + ".exe");
}

void debugOutput(std::string_view text)
{
    HostState& state = hostState();
    std::function<void(std::string_view)> sink;
    {
        std::lock_guard lock(state.mutex);
        sink = state.debugSink;
    }
    if (sink) {
        sink(text);
        return;
    }
    static const bool enabled = std::getenv("DERAZODO_DEBUG") != nullptr;
    if (enabled)
        std::fwrite(text.data(), 1, text.size(), stderr);
}

void setDebugOutputSink(std::function<void(std::string_view)> sink)
{
    HostState& state = hostState();
    std::lock_guard lock(state.mutex);
    state.debugSink = std::move(sink);
}

void crtSrand(unsigned int seed) { t_randState = seed; }

int crtRand()
{
    t_randState = t_randState * 214013u + 2531011u;
    return int((t_randState >> 16) & 0x7FFF);
}

} // namespace platform

std::mutex& platform::hostLibraryMutex()
{
    static std::mutex mutex;
    return mutex;
}

void OutputDebugStringA(const char* lpOutputString)
{
    if (lpOutputString)
        platform::debugOutput(lpOutputString);
}
