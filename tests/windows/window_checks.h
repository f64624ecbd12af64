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

// Where the keyboard is, as a person sees it: the picture shown is the one a fresh paint gives (no
// focus mark left behind or drawn away), and the control with the focus looks different from the
// same control without it while nothing else does. Leaves the focus where it found it.
std::vector<std::string> unseenFocus(HWND window);

// The findings, each on a line of its own, indented under what the message names first.
std::string lines(const std::vector<std::string>& found);

} // namespace window_checks
