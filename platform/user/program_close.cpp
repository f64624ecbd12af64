// Closing the program from outside its windows: the close request and the signals that ask for it.
#include "platform/user/program_close.h"

#include "platform/user/nonclient.h"
#include "platform/user/window_state.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<bool> g_requested { false };
std::atomic<bool> g_unattended { false };
// Written by the signal handler, read by the thread that posts the request: a handler may only
// write to a pipe.
int g_signalPipe[2] = { -1, -1 };
std::atomic<int> g_signalsSeen { 0 };

constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };
constexpr int kSignalsBeforeForce = 3;

void onSignal(int signal)
{
    const int saved = errno;
    if (g_signalsSeen.fetch_add(1) + 1 >= kSignalsBeforeForce) {
        ::signal(signal, SIG_DFL);
        raise(signal);
    }
    const char byte = 1;
    [[maybe_unused]] ssize_t put = write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

void watchSignals()
{
    for (;;) {
        char byte = 0;
        ssize_t got = read(g_signalPipe[0], &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        requestProgramClose(CloseRequest::Unattended);
    }
}

} // namespace

void requestProgramClose(CloseRequest kind)
{
    using namespace platform::user;
    HWND main = nullptr;
    {
        TreeLock lock;
        for (Window* w : windowSystem().topLevels)
            if (!w->owner && (w->style & WS_VISIBLE)) {
                main = w->handle;
                break;
            }
    }
    if (main && kind == CloseRequest::Person && systemCloseDisabled(main))
        return;
    if (kind == CloseRequest::Unattended)
        g_unattended = true;
    g_requested = true;
    if (main)
        PostMessageA(main, WM_CLOSE, 0, 0);
}

bool closeRequested() { return g_requested; }

bool unattendedCloseRequested() { return g_unattended; }

void clearCloseRequest()
{
    g_requested = false;
    g_unattended = false;
    g_signalsSeen = 0;
}

void closeOnSignals()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (pipe2(g_signalPipe, O_CLOEXEC) != 0)
            return;
        std::thread(watchSignals).detach();
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : kSignals)
            sigaction(signal, &action, nullptr);
    });
}

} // namespace platform
