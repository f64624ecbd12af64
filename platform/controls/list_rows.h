// Rows of a string list box a line higher than their font above and below, so that the
// focus rectangle on a row's outer pixels leaves the glyphs whole (the fonts have no leading).
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/gdi/wingdi.h"

namespace platform::controls {

inline void giveRowsRoomForFocus(HWND list)
{
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(list, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    if (metrics.tmHeight > 0)
        SendMessageA(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
}

} // namespace platform::controls
