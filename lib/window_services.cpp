// Work-area fitting and the open-file hook.
#include "lib/window_services.h"

#include "lib/file.h"
#include "platform/commdlg/commdlg.h"

#include <algorithm>

void keepRectInWorkArea(RECT& rect)
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    // The right and bottom edges first, so that a window larger than the area keeps its top-left
    // corner visible.
    LONG left = std::min(rect.left, area.right - width);
    LONG top = std::min(rect.top, area.bottom - height);
    left = std::max(left, area.left);
    top = std::max(top, area.top);
    rect = RECT { left, top, left + width, top + height };
}

UINT_PTR CALLBACK openFileHookProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return FALSE;
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (!notice || notice->hdr.code != CDN_FILEOK)
        return FALSE;
    char path[MAX_PATH] = {};
    SendMessageA(GetParent(dialog), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    if (fileExists(path))
        return FALSE;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
    return TRUE;
}
