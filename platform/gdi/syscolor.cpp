// The system colours of the layer's one plain look.
#include "platform/gdi/wingdi.h"

DWORD GetSysColor(int nIndex)
{
    static const COLORREF colours[COLOR_MENUBAR + 1] = {
        RGB(200, 200, 200), // COLOR_SCROLLBAR
        RGB(0, 96, 96),     // COLOR_BACKGROUND
        RGB(0, 48, 128),    // COLOR_ACTIVECAPTION
        RGB(128, 128, 128), // COLOR_INACTIVECAPTION
        RGB(212, 208, 200), // COLOR_MENU
        RGB(255, 255, 255), // COLOR_WINDOW
        RGB(0, 0, 0),       // COLOR_WINDOWFRAME
        RGB(0, 0, 0),       // COLOR_MENUTEXT
        RGB(0, 0, 0),       // COLOR_WINDOWTEXT
        RGB(255, 255, 255), // COLOR_CAPTIONTEXT
        RGB(212, 208, 200), // COLOR_ACTIVEBORDER
        RGB(212, 208, 200), // COLOR_INACTIVEBORDER
        RGB(128, 128, 128), // COLOR_APPWORKSPACE
        RGB(0, 48, 128),    // COLOR_HIGHLIGHT
        RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
        RGB(212, 208, 200), // COLOR_BTNFACE
        RGB(128, 128, 128), // COLOR_BTNSHADOW
        RGB(128, 128, 128), // COLOR_GRAYTEXT
        RGB(0, 0, 0),       // COLOR_BTNTEXT
        RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
        RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
        RGB(64, 64, 64),    // COLOR_3DDKSHADOW
        RGB(232, 230, 226), // COLOR_3DLIGHT
        RGB(0, 0, 0),       // COLOR_INFOTEXT
        RGB(255, 255, 225), // COLOR_INFOBK
        RGB(192, 192, 192), // 25: unused
        RGB(0, 0, 255),     // COLOR_HOTLIGHT
        RGB(96, 128, 192),  // COLOR_GRADIENTACTIVECAPTION
        RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
        RGB(0, 48, 128),    // COLOR_MENUHILIGHT
        RGB(212, 208, 200), // COLOR_MENUBAR
    };
    if (nIndex < 0 || nIndex > COLOR_MENUBAR)
        return 0;
    return colours[nIndex];
}
