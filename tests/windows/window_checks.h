// What a person sees wrong in an open window: a window off the screen, controls lying over one
// another, and texts their controls cut. Each finding is a line naming the window part.
#pragma once

#include "platform/windows.h"

#include <functional>
#include <string>
#include <vector>

namespace window_checks {

// Parts of the window that reach past the screen.
std::vector<std::string> offScreen(const std::vector<HWND>& windows);

// Pairs of shown sibling controls that overlap. A control wholly inside a frame, a group box or a
// tab control lies there by design, as do the pairs of ids the window's layout places so.
using PlacedOver = std::function<bool(int id, int other)>;
std::vector<std::string> overlaps(HWND window, const PlacedOver& placedOver);

// Texts that do not fit their control in its own font (a glyph's last blank column may touch the
// edge): statics and buttons as they wrap them, a combo box's chosen row in its field, the rows
// and fields of list and combo boxes lower than their font, list-view cells narrower than their
// text.
std::vector<std::string> cutTexts(HWND window);

} // namespace window_checks
