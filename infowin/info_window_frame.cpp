// The information windows' shared placement, frame, requests and mouse rules.
#include "infowin/info_window_frame.h"

#include "infowin/main_window_services.h"
#include "lib/application.h"
#include "lib/window_services.h"
#include "state/game_state.h"

namespace info_window {

POINT defaultOrigin(const swCWindow& window)
{
    const bool leftPanel = !g_gameState || g_gameState->settings().leftInfoPanel;
    POINT origin { leftPanel ? 216 : GetSystemMetrics(SM_CXVSCROLL), 0 };
    if (window.parent() && window.parent()->handle())
        ClientToScreen(window.parent()->handle(), &origin);
    return origin;
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
