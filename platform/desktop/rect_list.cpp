// Rectangle helpers and the dirty rectangle list.
#include "platform/desktop/rect_list.h"

#include <algorithm>

namespace platform::desktop {

RECT rectIntersect(const RECT& a, const RECT& b)
{
    RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
    if (rectIsEmpty(r))
        return RECT {};
    return r;
}

RECT rectUnion(const RECT& a, const RECT& b)
{
    if (rectIsEmpty(a))
        return b;
    if (rectIsEmpty(b))
        return a;
    return RECT { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom) };
}

RECT rectOffset(const RECT& r, LONG dx, LONG dy)
{
    return RECT { r.left + dx, r.top + dy, r.right + dx, r.bottom + dy };
}

void RectList::add(const RECT& rect)
{
    if (rectIsEmpty(rect))
        return;
    RECT pending = rect;
    // Merging may make the grown rectangle swallow others, so repeat until nothing changes.
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < m_rects.size(); ++i) {
            RECT joined = rectUnion(m_rects[i], pending);
            if (rectArea(joined) <= rectArea(m_rects[i]) + rectArea(pending)) {
                pending = joined;
                m_rects.erase(m_rects.begin() + long(i));
                merged = true;
                break;
            }
        }
    }
    m_rects.push_back(pending);
    if (m_rects.size() > maxRects) {
        RECT all = bounds();
        m_rects.assign(1, all);
    }
}

RECT RectList::bounds() const
{
    RECT all {};
    for (const RECT& r : m_rects)
        all = rectUnion(all, r);
    return all;
}

std::vector<RECT> RectList::take()
{
    std::vector<RECT> out;
    out.swap(m_rects);
    return out;
}

} // namespace platform::desktop
