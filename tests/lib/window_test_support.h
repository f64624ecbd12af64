// Helpers for the window and dialog tests: the application set up once, pumping, clean-up.
#pragma once

#include "lib/application.h"
#include "lib/window.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"

#include <string>
#include <utility>
#include <vector>

namespace testing_lib {

// The program's texts are in code page 932; the tests write theirs in UTF-8.
inline std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

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
        // As the program's loop: the main window's end, once asked, comes between two messages.
        theApplication().appEndWindowWhenAsked();
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
        if (msg.message != WM_QUIT && !theApplication().tryModelessNavigation(msg)) {
            TranslateMessage(&msg), DispatchMessageA(&msg);
            theApplication().appEndWindowWhenAsked();
        }
    pump();
}

// The control of the id anywhere below the window (on a page, in a panel), a direct child first.
inline HWND descendant(HWND window, int id)
{
    if (HWND direct = GetDlgItem(window, id))
        return direct;
    std::pair<int, HWND> search { id, nullptr };
    EnumChildWindows(window, [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(data);
        return GetDlgCtrlID(child) == s->first ? (s->second = child, FALSE) : TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// The text of the one message box shown, or how many were shown when not one.
inline std::string soleMessageBox()
{
    const auto boxes = platform::harness::messageBoxes();
    return boxes.size() == 1 ? boxes[0].text : std::to_string(boxes.size()) + " message boxes";
}

// A person's click on the middle of the window.
inline void clickCentre(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    platform::harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
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
