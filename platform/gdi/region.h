// platform::Region: an area of integer pixels kept as sorted bands of rectangles. GDI regions,
// clip areas, update regions, visible areas and window shapes are all made of it.
#pragma once

#include "platform/kernel/windef.h"

#include <vector>

namespace platform {

// Rectangles are half-open (right and bottom excluded); empty rectangles are ignored.
// The representation is canonical: bands sorted by y, non-overlapping, each band's spans sorted
// and separated, and vertically adjacent bands with identical spans merged. Two regions covering
// the same pixels therefore compare equal and list the same rectangles.
class Region {
public:
    enum class Shape { Empty, Rectangle, Complex };

    Region() = default;
    explicit Region(const RECT& rect);
    static Region fromRects(const RECT* rects, size_t count);
    static Region fromRects(const std::vector<RECT>& rects) { return fromRects(rects.data(), rects.size()); }
    // Polygon scan conversion (pixel centres inside); winding true for the nonzero rule.
    // Only rows inside `rows` (top and bottom) are converted: callers pass what they can see.
    static Region fromPolygon(const POINT* points, size_t count, bool winding, const RECT& rows = kGdiRows);
    static Region fromEllipse(const RECT& bounds, const RECT& rows = kGdiRows);
    // The rows a region object may cover, as far as GDI coordinates go.
    static constexpr RECT kGdiRows { 0, -(1 << 16), 0, 1 << 16 };

    bool isEmpty() const { return m_bands.empty(); }
    Shape shape() const;
    RECT bounds() const;
    std::vector<RECT> rects() const;
    size_t rectCount() const;

    bool contains(int x, int y) const;
    bool intersects(const RECT& rect) const;
    bool containsRect(const RECT& rect) const;

    Region united(const Region& other) const;
    Region intersected(const Region& other) const;
    Region subtracted(const Region& other) const;
    Region xored(const Region& other) const;
    Region intersected(const RECT& rect) const { return intersected(Region(rect)); }

    void unite(const Region& other) { *this = united(other); }
    void intersect(const Region& other) { *this = intersected(other); }
    void subtract(const Region& other) { *this = subtracted(other); }
    void offset(int dx, int dy);
    void clear() { m_bands.clear(); }

    // Calls f(const RECT&) for every rectangle of the region that meets `area`, clipped to it.
    template <class F>
    void forEachRectIn(const RECT& area, F f) const
    {
        for (const Band& band : m_bands) {
            if (band.bottom <= area.top)
                continue;
            if (band.top >= area.bottom)
                break;
            LONG top = band.top > area.top ? band.top : area.top;
            LONG bottom = band.bottom < area.bottom ? band.bottom : area.bottom;
            for (const Span& span : band.spans) {
                LONG left = span.left > area.left ? span.left : area.left;
                LONG right = span.right < area.right ? span.right : area.right;
                if (left < right)
                    f(RECT { left, top, right, bottom });
            }
        }
    }

    bool operator==(const Region& other) const = default;

private:
    struct Span {
        LONG left;
        LONG right;
        bool operator==(const Span&) const = default;
    };
    struct Band {
        LONG top;
        LONG bottom;
        std::vector<Span> spans;
        bool operator==(const Band&) const = default;
    };
    enum class Op { Union, Intersect, Subtract, Xor };

    static Region combine(const Region& a, const Region& b, Op op);
    void appendBand(LONG top, LONG bottom, std::vector<Span>&& spans);
    const Band* bandAt(int y) const;

    std::vector<Band> m_bands;
};

} // namespace platform
