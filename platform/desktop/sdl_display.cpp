// Surviving a lost X display, or the program's window destroyed by another client. SDL loads the X
// library itself: its functions are looked up there, and this file, whose X headers define words
// like None and Bool, is compiled on its own.
#include "platform/desktop/sdl_display.h"

#include "platform/kernel/host.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <dlfcn.h>

namespace platform::desktop {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

void (*g_unlockDisplay)(Display*) = nullptr;

// The window on the display, and what to tell once another client has destroyed it.
using ErrorHandler = int (*)(Display*, XErrorEvent*);
ErrorHandler g_otherErrors = nullptr;
::Window g_window = 0;
std::atomic<bool>* g_windowGone = nullptr;

// The library's own handler ends the process from the thread that met the error, under the
// program's running threads. An error about the program's window means it is gone: the program
// ends as on a lost display, and the errors that follow from it are ignored.
int onError(Display* display, XErrorEvent* error)
{
    if (error->resourceid == g_window || g_windowGone->load()) {
        if (!g_windowGone->exchange(true))
            debugOutput("desktop: the window was destroyed\n");
        return 0;
    }
    return g_otherErrors ? g_otherErrors(display, error) : 0;
}

} // namespace

bool watchDisplayLoss(SDL_Window* window, std::atomic<bool>& lost)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return false;
    using IoHandler = int (*)(Display*);
    using ExitHandler = void (*)(Display*, void*);
    auto setIoHandler = reinterpret_cast<IoHandler (*)(IoHandler)>(dlsym(library, "XSetIOErrorHandler"));
    auto setExitHandler = reinterpret_cast<void (*)(Display*, ExitHandler, void*)>(dlsym(library, "XSetIOErrorExitHandler"));
    auto setErrorHandler = reinterpret_cast<ErrorHandler (*)(ErrorHandler)>(dlsym(library, "XSetErrorHandler"));
    g_unlockDisplay = reinterpret_cast<void (*)(Display*)>(dlsym(library, "XUnlockDisplay"));
    const bool watched = setIoHandler && setExitHandler && g_unlockDisplay && setErrorHandler;
    if (watched) {
        g_window = info.info.x11.window;
        g_windowGone = &lost;
        g_otherErrors = setErrorHandler(onError);
        setIoHandler([](Display*) {
            debugOutput("desktop: the display was lost\n");
            return 0;
        });
        // The library keeps the connection locked for the thread that met the loss; the exit
        // handlers, which close every connection, run on another.
        setExitHandler(info.info.x11.display, [](Display* display, void* flag) {
            static_cast<std::atomic<bool>*>(flag)->store(true);
            g_unlockDisplay(display);
        }, &lost);
    }
    // SDL keeps the library loaded.
    dlclose(library);
    return watched;
}

#else

bool watchDisplayLoss(SDL_Window*, std::atomic<bool>&) { return false; }

#endif

} // namespace platform::desktop
