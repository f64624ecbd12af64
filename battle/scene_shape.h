// The scene windows' outlines: rectangle files read whole, and regions built from them.
#pragma once

#include "platform/windows.h"

#include <cstdint>
#include <span>
#include <vector>

// A headerless array of 16-byte rectangles (left, top, right, bottom as little-endian i32); a
// trailing part of a rectangle is ignored.
std::vector<RECT> decodeShapeFile(std::span<const uint8_t> bytes);
// The union of the rectangles, joined in batches of at most 200; null when none could be made.
HRGN buildShapeRegion(const std::vector<RECT>& rects);
