// The information windows' shared placement, frame, requests and mouse rules.
#include "ui/info_window_frame.h"

#include "lib/application.h"
#include "lib/window_services.h"
#include "state/game_state.h"
#include "ui/main_window_services.h"
#include "ui/window_kit.h"

namespace info_window {

POINT defaultOrigin(const swCWindow& window)
{
    return ui::infoWindowOrigin(window, !g_gameState || g_gameState->settings().leftInfoPanel);
}

SIZE frameSize(HWND window)
{
    RECT outer {}, client {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return { (outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom };
}

bool raisedToTop(const WINDOWPOS& pos) { return !(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_TOP; }

bool handleBodyMessage(const swCWindow& window, MessageRecord& msg, UINT closeRequest)
{
    switch (msg.message) {
    case WM_LBUTTONDOWN:
        BringWindowToTop(window.handle());
        return true;
    case WM_PARENTNOTIFY:
        if (LOWORD(msg.wParam) == WM_LBUTTONDOWN)
            BringWindowToTop(window.handle());
        else if (LOWORD(msg.wParam) == WM_RBUTTONDOWN)
            postToOwner(window, closeRequest);
        return true;
    case WM_CLOSE:
    case WM_RBUTTONDOWN:
        postToOwner(window, closeRequest);
        return true;
    case WM_MOVING:
        keepRectInWorkArea(*reinterpret_cast<RECT*>(msg.lParam));
        msg.result = TRUE;
        return true;
    default:
        return false;
    }
}

bool escapeCloses(const swCWindow& window, UINT command)
{
    if (command != IDCANCEL)
        return false;
    PostMessageA(window.handle(), WM_CLOSE, 0, 0);
    return true;
}

void DialogKeys::attach(swCWindow* window)
{
    if (m_window || !window)
        return;
    m_window = window;
    theApplication().appAddModeless(window);
}

DialogKeys::~DialogKeys()
{
    if (m_window)
        theApplication().appRemoveModeless(m_window);
}

} // namespace info_window
