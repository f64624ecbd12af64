// Glyph drawing into a canvas: coverage blended over the destination in the text colour.
#include "platform/gdi/text.h"

#include "platform/gdi/paint.h"
#include "platform/kernel/host.h"

#include <algorithm>

namespace platform::gdi {

std::vector<TextChar> splitCp932(std::string_view text)
{
    std::vector<TextChar> chars;
    chars.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        TextChar c;
        c.offset = i;
        c.length = isCp932LeadByte(uint8_t(text[i])) && i + 1 < text.size() ? 2 : 1;
        unsigned char first = uint8_t(text[i]);
        if (c.length == 1 && first < 0x80) {
            c.code = first;
        } else {
            std::u32string decoded = cp932ToUtf32(text.substr(i, size_t(c.length)));
            c.code = decoded.size() == 1 ? decoded[0] : U'?';
        }
        chars.push_back(c);
        i += size_t(c.length);
    }
    return chars;
}

std::shared_ptr<FontFace> fontOf(const DeviceContext& dc)
{
    if (!dc.state.font)
        return nullptr;
    return resolveFont(dc.state.font->log);
}

void fillBackground(const DeviceContext& dc, const Canvas& canvas, RECT rect, COLORREF colour, const RECT* clipRect)
{
    if (clipRect)
        rect = { std::max(rect.left, clipRect->left), std::max(rect.top, clipRect->top),
            std::min(rect.right, clipRect->right), std::min(rect.bottom, clipRect->bottom) };
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    Painter painter(dc, canvas);
    Pattern solid;
    solid.solid = painter.colourOf(colour);
    painter.fillRect(canvas.toBuffer(rect), solid, R2_COPYPEN);
}

void drawGlyphs(const DeviceContext& dc, const Canvas& canvas, FontFace& face, const std::vector<TextChar>& chars,
    const std::vector<int>& xs, int endX, int baseline, const RECT* clipRect)
{
    const PixelBuffer& buffer = canvas.buffer();
    Painter painter(dc, canvas);
    const uint32_t ink = painter.colourOf(dc.state.textColour);
    Region clip = canvas.clip();
    if (clipRect)
        clip.intersect(Region(canvas.toBuffer(*clipRect)));
    if (clip.isEmpty())
        return;
    std::vector<uint32_t> row;

    for (size_t i = 0; i < chars.size(); ++i) {
        const Glyph& g = face.glyph(chars[i].code);
        if (g.width == 0 || g.height == 0)
            continue;
        POINT origin = canvas.toBuffer(xs[i] + g.left, baseline - g.top);
        RECT box { origin.x, origin.y, origin.x + g.width, origin.y + g.height };
        clip.forEachRectIn(box, [&](const RECT& r) {
            int n = r.right - r.left;
            row.resize(size_t(n));
            for (int y = r.top; y < r.bottom; ++y) {
                const uint8_t* cover = &g.coverage[size_t(y - origin.y) * size_t(g.width) + size_t(r.left - origin.x)];
                if (std::all_of(cover, cover + n, [](uint8_t a) { return a == 0; }))
                    continue;
                readRow(buffer, r.left, y, n, row.data());
                for (int k = 0; k < n; ++k) {
                    unsigned a = cover[k];
                    if (a == 255) {
                        row[size_t(k)] = ink;
                    } else if (a) {
                        uint32_t d = row[size_t(k)];
                        auto mix = [&](int shift) {
                            unsigned s = (ink >> shift) & 0xFF, t = (d >> shift) & 0xFF;
                            return ((s * a + t * (255 - a) + 127) / 255) << shift;
                        };
                        row[size_t(k)] = mix(16) | mix(8) | mix(0);
                    }
                }
                writeRow(buffer, r.left, y, n, row.data());
            }
        });
    }

    const LOGFONTA& log = dc.state.font->log;
    const FontMetrics& m = face.metrics();
    if (!chars.empty() && (log.lfUnderline || log.lfStrikeOut)) {
        Pattern solid;
        solid.solid = ink;
        auto line = [&](int top) {
            RECT r = canvas.toBuffer(RECT { xs.front(), top, endX, top + m.lineThickness });
            Painter(dc, canvas).fillRegion(clip.intersected(Region(r)), solid, R2_COPYPEN);
        };
        if (log.lfUnderline)
            line(baseline + m.underlinePosition);
        if (log.lfStrikeOut)
            line(baseline - m.ascent / 3);
    }
}

} // namespace platform::gdi
