// Helpers for the window and dialog tests: the application set up once, pumping, clean-up.
#pragma once

#include "lib/application.h"
#include "lib/window.h"
#include "platform/desktop/harness.h"

#include <vector>

namespace testing_lib {

inline void initApplication()
{
    static bool done = [] {
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        return true;
    }();
    (void)done;
}

// Handles what is queued for this thread now (WM_QUIT included, which is dropped).
inline void pumpQueued()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Handles what is queued for this thread, then waits for the windows to be idle.
inline void pump()
{
    pumpQueued();
    platform::harness::waitIdle();
}

// As the program's loop: the windows walked as dialogs take their keys first.
inline void pumpAsProgram()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT && !theApplication().tryModelessNavigation(msg))
            TranslateMessage(&msg), DispatchMessageA(&msg);
    pump();
}

inline BOOL CALLBACK collectTopLevel(HWND handle, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(handle);
    return TRUE;
}

inline void destroyAllWindows()
{
    std::vector<HWND> tops;
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&tops));
    for (HWND top : tops)
        DestroyWindow(top);
    pump();
}

// A plain top-level library window of a class registered on first Create.
class TopWindow : public swCWindow {
public:
    explicit TopWindow(const char* className = "LibTestTop")
        : swCWindow(className)
    {
        setStyle(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        setFrame(40, 40, 320, 240);
    }
};

} // namespace testing_lib
