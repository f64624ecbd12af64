// Menu helpers.
#include "lib/menu_helpers.h"

BOOL menuSetItemText(HMENU menu, UINT itemId, const char* text)
{
    MENUITEMINFOA info {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPSTR>(text);
    return SetMenuItemInfoA(menu, itemId, FALSE, &info);
}
