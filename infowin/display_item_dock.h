// DisplayItemDock: keeps a list window's display-item window ("表示項目") beside the list, the
// one docking the terrain list, the troop list and the history share.
#pragma once

#include "platform/windows.h"

// The display-item window goes to the list's right window edge (its left one where the desktop
// ends on the right), level with the top of the list's client area, its size kept. Our desktop
// keeps an owned window above its owner, so it cannot sit just behind the list as a plain popup
// would: it sits beside it.
class DisplayItemDock {
public:
    void attach(HWND list, HWND options)
    {
        m_list = list;
        m_options = options;
    }
    void detach() { attach(nullptr, nullptr); }
    // The windows while they exist, else null.
    HWND list() const;
    HWND options() const;
    bool visible() const;

    // Moves the display-item window beside the list. A call made while a move is under way (by
    // the messages the move itself sends) does nothing, so list and options never chase each other.
    void dock();
    // Shows the display-item window docked, or hides it; answers whether it is shown now.
    bool toggle();
    void show(bool on);

private:
    HWND m_list = nullptr;
    HWND m_options = nullptr;
    bool m_docking = false;
};

// Where the display-item window of that size goes for the list: its top-left in screen coordinates.
POINT displayItemDockPoint(HWND list, SIZE options);
SIZE outerWindowSize(HWND window);
