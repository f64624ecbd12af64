// swCToolTip: creation and tools.
#include "lib/tooltip.h"

swCToolTip::swCToolTip(swCWindow* owner) : swCWindow("tooltips_class32", owner, 0), m_owner(owner)
{
    setStyle(TTS_ALWAYSTIP);
}

BOOL swCToolTip::toolTipAddTool(HWND toolWindow, const char* text)
{
    TOOLINFOA info {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = m_owner ? m_owner->handle() : nullptr;
    info.uId = reinterpret_cast<UINT_PTR>(toolWindow);
    info.lpszText = const_cast<LPSTR>(text);
    return SendMessageA(handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) ? TRUE : FALSE;
}
