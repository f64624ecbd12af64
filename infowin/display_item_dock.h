// DisplayItemDock: holds a list window and its display-item window ("表示項目") and keeps the
// second at the first's right edge. The terrain list, the troop list and the history share it.
#pragma once

#include "platform/windows.h"

// Our desktop keeps an owned window above its owner, so the display-item window cannot slip
// behind its list: it stands beside it, at the list's right window edge, level with the top of
// the list's client area, its own size kept.
class DisplayItemDock {
public:
    void attach(HWND list, HWND options)
    {
        m_list = list;
        m_options = options;
    }
    void detach() { attach(nullptr, nullptr); }
    // Each window while it exists, else null.
    HWND list() const;
    HWND options() const;
    // The display-item window exists and is shown.
    bool visible() const;

    // Moves the display-item window to its place. The list calls it from its own size and position
    // messages only; a call made while a move is under way does nothing, so the two never chase.
    void dock();
    // Shows (docked first) or hides the display-item window.
    void show(bool on);
    // Shows a hidden one, hides a shown one; answers whether it is shown now.
    bool toggle();

private:
    HWND m_list = nullptr;
    HWND m_options = nullptr;
    bool m_moving = false;
};

// The screen point where the display-item window's top-left goes beside the list.
POINT displayItemDockPoint(HWND list);
