// Shared pieces of the text calls: CP932 character splitting, the DC's font, and glyph drawing.
#pragma once

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

#include <string_view>
#include <vector>

namespace platform::gdi {

// One CP932 character: one byte, or a lead byte and the byte after it (never split).
struct TextChar {
    size_t offset = 0;
    int length = 1;
    char32_t code = 0;
    bool isDoubleByte() const { return length == 2; }
};
std::vector<TextChar> splitCp932(std::string_view text);

std::shared_ptr<FontFace> fontOf(const DeviceContext& dc);

// Draws characters with their pen positions `xs` (logical) on the baseline `baseline` in the
// DC's text colour, inside the canvas clip and, when given, the logical rectangle `clipRect`.
// Also draws the font's underline and strike-out across [xs.front(), endX).
void drawGlyphs(const DeviceContext& dc, const Canvas& canvas, FontFace& face, const std::vector<TextChar>& chars,
    const std::vector<int>& xs, int endX, int baseline, const RECT* clipRect);

// Fills a logical rectangle with a colour inside the canvas clip (and `clipRect` when given).
void fillBackground(const DeviceContext& dc, const Canvas& canvas, RECT rect, COLORREF colour, const RECT* clipRect);

} // namespace platform::gdi
