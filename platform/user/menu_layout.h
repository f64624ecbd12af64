// Where menu items go and how they look: popup panes, the menu bar, in the layer's plain look.
#pragma once

#include "platform/user/menu_model.h"

#include <memory>
#include <vector>

namespace platform::menus {

// One open level of a menu: the bar of a frame window or a popup window.
struct Pane {
    HMENU menu = nullptr;
    bool bar = false;
    HWND window = nullptr;   // the popup window, or the frame that holds the bar
    POINT origin {};         // screen position of the pane's (0, 0)
    SIZE size {};
    std::vector<Item> items;
    std::vector<RECT> rects; // per item, in pane coordinates
    int selected = -1;
};

// Item rectangles and pane size of a popup (items must be set).
void layoutPopup(HDC dc, Pane& pane);
// Item rectangles of a bar of the given width, rows as needed; returns the bar height.
int layoutBar(HDC dc, Pane& pane, int width);

void drawPopup(HDC dc, const Pane& pane);
// `bar` is where the bar lies in the DC; the pane's rectangles are relative to its top-left.
void drawBar(HDC dc, const Pane& pane, const RECT& bar);

// The menu font (the stock GUI font).
HFONT menuFont();

} // namespace platform::menus
