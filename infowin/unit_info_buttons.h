// The buttons the unit information pages share: browsing, closing, the base type and the upper
// pages, and holding one of them pressed or hiding it.
#pragma once

#include "platform/windows.h"

class swCWindow;

namespace unit_info {

// The previous, next and close buttons, the base type's (at baseTypeTop) and the capability and
// movement pages' buttons, in that order of the Tab walk.
void createPageButtons(swCWindow* page, int baseTypeTop);
// Shows the button pressed or released; an id without a button is passed over.
void holdPressed(HWND page, UINT buttonId, bool pressed);
void showButton(HWND page, UINT buttonId, bool shown);

} // namespace unit_info
