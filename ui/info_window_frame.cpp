// The information windows' frame, raise and dialog keys.
#include "ui/info_window_frame.h"

#include "lib/application.h"

namespace info_window {

SIZE frameSize(HWND window)
{
    RECT outer {}, client {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return { (outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom };
}

bool raisedToTop(const WINDOWPOS& pos) { return !(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_TOP; }

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
