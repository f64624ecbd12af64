// Layout of the non-client area in the layer's plain look: frame, caption and its boxes, menu
// bar, scroll bars and client rectangle, all in window coordinates.
#pragma once

#include "platform/user/window_state.h"

#include <string>

namespace platform::user {

struct NonClientLayout {
    RECT window {};
    int frame = 0;            // outer border width
    RECT caption {};
    RECT closeBox {};
    RECT maxBox {};
    RECT minBox {};
    RECT menuBar {};
    RECT vscroll {};
    RECT hscroll {};
    RECT sizeBox {};          // the corner between two scroll bars
    RECT client {};
};

// Tree lock held; the menu bar height hook is asked for windows with a menu.
NonClientLayout layoutNonClient(const Window& w, int width, int height);
int hitTestNonClient(HWND hwnd, POINT screen);
// True when the window's system menu greys Close: its close box, Alt+F4 and the desktop's close
// request do nothing then; WM_SYSCOMMAND SC_CLOSE sent by code still closes (menu_bar.cpp).
bool systemCloseDisabled(HWND hwnd);
void paintNonClient(HWND hwnd);
// The small caption a minimised top-level window leaves on the desktop, in the same look.
void paintMinimizedCaption(HDC dc, const RECT& area, const std::string& title);
// Draws one window scroll bar into a window DC (scrollbar.cpp).
void drawScrollBar(HDC dc, const RECT& bar, const ScrollBarState& state, bool vertical, bool enabled);

// The parts of a scroll bar along its length, for the scroll bar control's own tracking.
struct ScrollBarLayout {
    int arrow = 0;
    int trackStart = 0;
    int trackLength = 0;
    int thumbStart = 0;
    int thumbLength = 0;
    int length = 0;
};
ScrollBarLayout scrollBarLayout(const RECT& bar, const ScrollBarState& state, bool vertical);
// The SB_ code of the part at a distance along the bar (SB_THUMBTRACK for the thumb).
int scrollBarHit(const ScrollBarLayout& layout, int along);
// The position the thumb stands for when it starts at that distance along the bar.
int scrollBarThumbPos(const ScrollBarLayout& layout, const ScrollBarState& state, int thumbStart);
int scrollBarMaxPos(const ScrollBarState& state);

} // namespace platform::user
