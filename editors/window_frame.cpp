// Placing the editors' windows and keeping them in the work area.
#include "editors/window_frame.h"

#include "lib/profile.h"
#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"

#include <climits>
#include <string>

namespace {

SIZE outerSize(HWND window, int clientWidth, int clientHeight)
{
    RECT r { 0, 0, clientWidth, clientHeight };
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return { r.right - r.left, r.bottom - r.top };
}

int storedKey(const std::string& prefix, const char* name)
{
    const std::string key = prefix + name;
    return swCProfileKey("WindowInfo", key.c_str()).profileReadInt(INT_MIN);
}

} // namespace

void centreClientOverParent(swCWindow& window, HWND parent, int clientWidth, int clientHeight)
{
    const SIZE size = outerSize(window.handle(), clientWidth, clientHeight);
    RECT over {};
    if (parent) {
        GetClientRect(parent, &over);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&over), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    }
    const int x = over.left + (over.right - over.left - size.cx) / 2;
    const int y = over.top + (over.bottom - over.top - size.cy) / 2;
    window.windowFitWorkArea(x, y, size.cx, size.cy, TRUE, 1);
}

void placeInformationWindow(swCWindow& window, const char* prefix, int clientWidth, int clientHeight)
{
    const SIZE size = outerSize(window.handle(), clientWidth, clientHeight);
    POINT origin { storedKey(prefix, "WindowPosLeft"), storedKey(prefix, "WindowPosTop") };
    if (origin.x == INT_MIN || origin.y == INT_MIN) {
        const bool leftPanel = !g_gameState || g_gameState->settings().leftInfoPanel;
        origin = { leftPanel ? GameState::constant216() : GetSystemMetrics(SM_CXVSCROLL), 0 };
        if (HWND main = window.parent() ? window.parent()->handle() : nullptr)
            ClientToScreen(main, &origin);
    }
    window.windowFitWorkArea(origin.x, origin.y, size.cx, size.cy, TRUE, 1);
}

void keepMovingRectInWorkArea(MessageRecord& msg)
{
    if (auto* rect = reinterpret_cast<RECT*>(msg.lParam))
        keepRectInWorkArea(*rect);
    msg.result = TRUE;
}

HWND makePushButton(HWND window, const char* utf8, int controlId, int x, int y, int width, int height)
{
    HWND button = CreateWindowExA(0, "Button", platform::utf8ToCp932(utf8).c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height, window,
        reinterpret_cast<HMENU>(INT_PTR(controlId)), nullptr, nullptr);
    if (button && g_gameState)
        SendMessageA(button, WM_SETFONT, WPARAM(g_gameState->font(kFont14).handle()), FALSE);
    return button;
}
