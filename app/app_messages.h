// Messages between the program's own windows, beside those the game thread posts.
#pragma once

#include "platform/windows.h"

namespace app_message {

// To the map window: the person chose command wParam (0..26) on the command palette.
constexpr UINT kMapCommandChosen = WM_USER + 130;
// To the map window: cancel the order being given (right button, Escape, the palette's cancel).
constexpr UINT kMapCancelOrder = WM_USER + 131;
// To the map window: wParam = zoom 0..2.
constexpr UINT kMapSetZoom = WM_USER + 132;

// To the command palette: wParam = the command mask (bit c: command c may be given), lParam =
// the unit as side | (index << 16), or -1 when no unit of the person is selected.
constexpr UINT kPaletteShowCommands = WM_USER + 133;

} // namespace app_message
