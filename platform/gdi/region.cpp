// Region algebra on sorted bands: every operation sweeps the bands of both operands once.
#include "platform/gdi/region.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

bool rectIsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

} // namespace

Region::Region(const RECT& rect)
{
    if (!rectIsEmpty(rect))
        m_bands.push_back({ rect.top, rect.bottom, { { rect.left, rect.right } } });
}

Region::Shape Region::shape() const
{
    if (m_bands.empty())
        return Shape::Empty;
    return m_bands.size() == 1 && m_bands[0].spans.size() == 1 ? Shape::Rectangle : Shape::Complex;
}

RECT Region::bounds() const
{
    if (m_bands.empty())
        return RECT { 0, 0, 0, 0 };
    RECT r { m_bands[0].spans.front().left, m_bands.front().top, m_bands[0].spans.back().right,
        m_bands.back().bottom };
    for (const Band& band : m_bands) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

std::vector<RECT> Region::rects() const
{
    std::vector<RECT> out;
    out.reserve(rectCount());
    for (const Band& band : m_bands)
        for (const Span& span : band.spans)
            out.push_back({ span.left, band.top, span.right, band.bottom });
    return out;
}

size_t Region::rectCount() const
{
    size_t n = 0;
    for (const Band& band : m_bands)
        n += band.spans.size();
    return n;
}

const Region::Band* Region::bandAt(int y) const
{
    auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y,
        [](int value, const Band& band) { return value < band.bottom; });
    if (it == m_bands.end() || it->top > y)
        return nullptr;
    return &*it;
}

bool Region::contains(int x, int y) const
{
    const Band* band = bandAt(y);
    if (!band)
        return false;
    auto it = std::upper_bound(band->spans.begin(), band->spans.end(), x,
        [](int value, const Span& span) { return value < span.right; });
    return it != band->spans.end() && it->left <= x;
}

bool Region::intersects(const RECT& rect) const
{
    bool found = false;
    if (!rectIsEmpty(rect))
        forEachRectIn(rect, [&](const RECT&) { found = true; });
    return found;
}

bool Region::containsRect(const RECT& rect) const
{
    if (rectIsEmpty(rect))
        return false;
    return Region(rect).subtracted(*this).isEmpty();
}

void Region::offset(int dx, int dy)
{
    for (Band& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (Span& span : band.spans) {
            span.left += dx;
            span.right += dx;
        }
    }
}

void Region::appendBand(LONG top, LONG bottom, std::vector<Span>&& spans)
{
    if (spans.empty() || top >= bottom)
        return;
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().spans == spans) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back({ top, bottom, std::move(spans) });
}

namespace {

// Sorted, non-overlapping spans from arbitrary intervals.
template <class Span>
void normaliseSpans(std::vector<Span>& spans)
{
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    size_t out = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (out > 0 && spans[i].left <= spans[out - 1].right)
            spans[out - 1].right = std::max(spans[out - 1].right, spans[i].right);
        else
            spans[out++] = spans[i];
    }
    spans.resize(out);
}

} // namespace

Region Region::fromRects(const RECT* rects, size_t count)
{
    std::vector<LONG> ys;
    std::vector<RECT> live;
    for (size_t i = 0; i < count; ++i) {
        if (rectIsEmpty(rects[i]))
            continue;
        live.push_back(rects[i]);
        ys.push_back(rects[i].top);
        ys.push_back(rects[i].bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::sort(live.begin(), live.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });

    Region region;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG top = ys[i];
        LONG bottom = ys[i + 1];
        std::vector<Span> spans;
        for (const RECT& r : live) {
            if (r.top > top)
                break;
            if (r.bottom > top)
                spans.push_back({ r.left, r.right });
        }
        normaliseSpans(spans);
        region.appendBand(top, bottom, std::move(spans));
    }
    return region;
}

Region Region::combine(const Region& a, const Region& b, Op op)
{
    auto keep = [op](bool inA, bool inB) {
        switch (op) {
        case Op::Union:
            return inA || inB;
        case Op::Intersect:
            return inA && inB;
        case Op::Subtract:
            return inA && !inB;
        case Op::Xor:
            return inA != inB;
        }
        return false;
    };

    std::vector<LONG> ys;
    for (const Region* r : { &a, &b })
        for (const Band& band : r->m_bands) {
            ys.push_back(band.top);
            ys.push_back(band.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    static const std::vector<Span> none;
    Region result;
    size_t ia = 0, ib = 0;
    std::vector<LONG> xs;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG top = ys[i];
        LONG bottom = ys[i + 1];
        while (ia < a.m_bands.size() && a.m_bands[ia].bottom <= top)
            ++ia;
        while (ib < b.m_bands.size() && b.m_bands[ib].bottom <= top)
            ++ib;
        const std::vector<Span>& sa = ia < a.m_bands.size() && a.m_bands[ia].top <= top ? a.m_bands[ia].spans : none;
        const std::vector<Span>& sb = ib < b.m_bands.size() && b.m_bands[ib].top <= top ? b.m_bands[ib].spans : none;
        if (sa.empty() && sb.empty())
            continue;

        xs.clear();
        for (const Span& s : sa) {
            xs.push_back(s.left);
            xs.push_back(s.right);
        }
        for (const Span& s : sb) {
            xs.push_back(s.left);
            xs.push_back(s.right);
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

        std::vector<Span> spans;
        size_t pa = 0, pb = 0;
        for (size_t k = 0; k + 1 < xs.size(); ++k) {
            LONG x = xs[k];
            while (pa < sa.size() && sa[pa].right <= x)
                ++pa;
            while (pb < sb.size() && sb[pb].right <= x)
                ++pb;
            bool inA = pa < sa.size() && sa[pa].left <= x;
            bool inB = pb < sb.size() && sb[pb].left <= x;
            if (!keep(inA, inB))
                continue;
            if (!spans.empty() && spans.back().right == x)
                spans.back().right = xs[k + 1];
            else
                spans.push_back({ x, xs[k + 1] });
        }
        result.appendBand(top, bottom, std::move(spans));
    }
    return result;
}

Region Region::united(const Region& other) const { return combine(*this, other, Op::Union); }
Region Region::intersected(const Region& other) const { return combine(*this, other, Op::Intersect); }
Region Region::subtracted(const Region& other) const { return combine(*this, other, Op::Subtract); }
Region Region::xored(const Region& other) const { return combine(*this, other, Op::Xor); }

Region Region::fromPolygon(const POINT* points, size_t count, bool winding, const RECT& rows)
{
    Region region;
    if (count < 3)
        return region;
    LONG minY = points[0].y, maxY = points[0].y;
    for (size_t i = 1; i < count; ++i) {
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (LONG y = std::max(minY, rows.top); y < std::min(maxY, rows.bottom); ++y) {
        double sy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            if (p.y == q.y)
                continue;
            bool down = p.y < q.y;
            const POINT& lo = down ? p : q;
            const POINT& hi = down ? q : p;
            if (sy < lo.y || sy >= hi.y)
                continue;
            double x = lo.x + (sy - lo.y) * double(hi.x - lo.x) / double(hi.y - lo.y);
            crossings.push_back({ x, down ? 1 : -1 });
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        std::vector<Span> spans;
        int inside = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            inside += winding ? crossings[i].direction : 1;
            bool filled = winding ? inside != 0 : (inside & 1) != 0;
            if (!filled)
                continue;
            // A pixel belongs when its centre is inside.
            LONG left = LONG(std::ceil(crossings[i].x - 0.5));
            LONG right = LONG(std::ceil(crossings[i + 1].x - 0.5));
            if (left < right)
                spans.push_back({ left, right });
        }
        normaliseSpans(spans);
        region.appendBand(y, y + 1, std::move(spans));
    }
    return region;
}

Region Region::fromEllipse(const RECT& bounds, const RECT& rows)
{
    Region region;
    if (rectIsEmpty(bounds))
        return region;
    double cx = (bounds.left + bounds.right) / 2.0;
    double cy = (bounds.top + bounds.bottom) / 2.0;
    double rx = (bounds.right - bounds.left) / 2.0;
    double ry = (bounds.bottom - bounds.top) / 2.0;
    for (LONG y = std::max(bounds.top, rows.top); y < std::min(bounds.bottom, rows.bottom); ++y) {
        double dy = (y + 0.5 - cy) / ry;
        double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        LONG left = LONG(std::lround(cx - half));
        LONG right = LONG(std::lround(cx + half));
        if (left < right)
            region.appendBand(y, y + 1, { { left, right } });
    }
    return region;
}

} // namespace platform
