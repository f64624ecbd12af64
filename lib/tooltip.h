// swCToolTip: the tooltip window of an owner window, with tools that are child windows.
#pragma once

#include "lib/window.h"

class swCToolTip : public swCWindow {
public:
    // Not a child: a "tooltips_class32" window of style TTS_ALWAYSTIP owned by the owner.
    explicit swCToolTip(swCWindow* owner);

    // The tool is the window itself (TTF_IDISHWND), watched by subclassing (TTF_SUBCLASS).
    BOOL toolTipAddTool(HWND toolWindow, const char* text);
    swCWindow* owner() const { return m_owner; }

private:
    swCWindow* m_owner = nullptr;
};
