// HRGN calls over platform::Region.
#include "platform/gdi/objects.h"
#include "platform/gdi/wingdi.h"

#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

HRGN addRegion(Region region)
{
    auto object = std::make_shared<RegionObject>();
    object->region = std::move(region);
    return static_cast<HRGN>(addObject(object));
}

RECT ordered(int x1, int y1, int x2, int y2)
{
    return { x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1 };
}

} // namespace

namespace platform::gdi {

int complexityOf(const Region& region)
{
    switch (region.shape()) {
    case Region::Shape::Empty:
        return NULLREGION;
    case Region::Shape::Rectangle:
        return SIMPLEREGION;
    case Region::Shape::Complex:
        return COMPLEXREGION;
    }
    return ERROR;
}

} // namespace platform::gdi

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return addRegion(Region(ordered(x1, y1, x2, y2))); }

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    return lprect ? CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) { return addRegion(Region::fromEllipse(ordered(x1, y1, x2, y2))); }

HRGN CreateEllipticRgnIndirect(const RECT* lprect)
{
    return lprect ? CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    if (!pptl || cPoint < 0 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    return addRegion(Region::fromPolygon(pptl, size_t(cPoint), iMode == WINDING));
}

// Transforms are not supported; the rectangle list must fit in the stated size.
HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData)
{
    if (lpx || !lpData || lpData->rdh.iType != RDH_RECTANGLES || lpData->rdh.dwSize < sizeof(RGNDATAHEADER))
        return nullptr;
    DWORD rects = lpData->rdh.nCount;
    if (nCount < sizeof(RGNDATAHEADER) || (nCount - sizeof(RGNDATAHEADER)) / sizeof(RECT) < rects)
        return nullptr;
    std::vector<RECT> list(rects);
    if (rects)
        std::memcpy(list.data(), lpData->Buffer, rects * sizeof(RECT));
    return addRegion(Region::fromRects(list));
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    auto dst = findRegion(hrgnDst);
    auto a = findRegion(hrgnSrc1);
    if (!dst || !a)
        return ERROR;
    if (iMode == RGN_COPY) {
        dst->region = a->region;
        return complexityOf(dst->region);
    }
    auto b = findRegion(hrgnSrc2);
    if (!b)
        return ERROR;
    switch (iMode) {
    case RGN_AND:
        dst->region = a->region.intersected(b->region);
        break;
    case RGN_OR:
        dst->region = a->region.united(b->region);
        break;
    case RGN_XOR:
        dst->region = a->region.xored(b->region);
        break;
    case RGN_DIFF:
        dst->region = a->region.subtracted(b->region);
        break;
    default:
        return ERROR;
    }
    return complexityOf(dst->region);
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    auto r = findRegion(hrgn);
    if (!r)
        return ERROR;
    r->region.offset(x, y);
    return complexityOf(r->region);
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    auto r = findRegion(hrgn);
    return r && r->region.contains(x, y);
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    auto r = findRegion(hrgn);
    return r && lprect && r->region.intersects(ordered(lprect->left, lprect->top, lprect->right, lprect->bottom));
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    auto r = findRegion(hrgn);
    if (!r || !lprc)
        return ERROR;
    *lprc = r->region.bounds();
    return complexityOf(r->region);
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    auto a = findRegion(hrgn1);
    auto b = findRegion(hrgn2);
    if (!a || !b)
        return ERROR;
    return a->region == b->region;
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData)
{
    auto r = findRegion(hrgn);
    if (!r)
        return 0;
    std::vector<RECT> rects = r->region.rects();
    DWORD size = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!lpRgnData)
        return size;
    if (nCount < size)
        return 0;
    lpRgnData->rdh.dwSize = sizeof(RGNDATAHEADER);
    lpRgnData->rdh.iType = RDH_RECTANGLES;
    lpRgnData->rdh.nCount = DWORD(rects.size());
    lpRgnData->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    lpRgnData->rdh.rcBound = r->region.bounds();
    if (!rects.empty())
        std::memcpy(lpRgnData->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return size;
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    auto r = findRegion(hrgn);
    if (!r)
        return FALSE;
    r->region = Region(ordered(left, top, right, bottom));
    return TRUE;
}
