// Rectangle helpers and the small list of dirty screen rectangles the compositor keeps.
#pragma once

#include "platform/kernel/windef.h"

#include <vector>

namespace platform::desktop {

inline bool rectIsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline long rectArea(const RECT& r) { return rectIsEmpty(r) ? 0 : long(r.right - r.left) * (r.bottom - r.top); }
RECT rectIntersect(const RECT& a, const RECT& b);
RECT rectUnion(const RECT& a, const RECT& b);
RECT rectOffset(const RECT& r, LONG dx, LONG dy);

// A set of rectangles that may overlap. Adding merges a rectangle into a neighbour when the merged
// box wastes little area, and collapses the list to its bounds once it grows long, so composing
// never walks more than a handful of rectangles.
class RectList {
public:
    void add(const RECT& rect);
    void clear() { m_rects.clear(); }
    bool empty() const { return m_rects.empty(); }
    const std::vector<RECT>& rects() const { return m_rects; }
    RECT bounds() const;
    std::vector<RECT> take();

    static constexpr size_t maxRects = 16;

private:
    std::vector<RECT> m_rects;
};

} // namespace platform::desktop
