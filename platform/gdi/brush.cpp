// Pens and brushes: creation and system-colour brushes.
#include "platform/gdi/paint.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (!plpen)
        return nullptr;
    int style = int(plpen->lopnStyle & PS_STYLE_MASK);
    if (style > PS_INSIDEFRAME)
        return nullptr;
    auto pen = std::make_shared<Pen>();
    pen->log = *plpen;
    // Dashed styles are one pixel wide, as cosmetic pens are.
    if (style >= PS_DASH && style <= PS_DASHDOTDOT && pen->log.lopnWidth.x > 1)
        pen->log.lopnStyle = PS_SOLID;
    return static_cast<HPEN>(addObject(pen));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    LOGPEN log { UINT(iStyle), { cWidth < 0 ? 0 : cWidth, 0 }, color };
    return CreatePenIndirect(&log);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (!plbrush)
        return nullptr;
    if (plbrush->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    if (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL && plbrush->lbStyle != BS_HATCHED)
        return nullptr;
    if (plbrush->lbStyle == BS_HATCHED && plbrush->lbHatch > HS_DIAGCROSS)
        return nullptr;
    auto brush = std::make_shared<Brush>();
    brush->log = *plbrush;
    return static_cast<HBRUSH>(addObject(brush));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    LOGBRUSH log { BS_SOLID, color, 0 };
    return CreateBrushIndirect(&log);
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < 0)
        return nullptr;
    LOGBRUSH log { BS_HATCHED, color, ULONG_PTR(iHatch) };
    return CreateBrushIndirect(&log);
}

// The brush copies the bitmap, so the bitmap may be deleted or changed afterwards.
HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    std::shared_ptr<Bitmap> bitmap = findBitmap(hbm);
    if (!bitmap)
        return nullptr;
    auto brush = std::make_shared<Brush>();
    brush->log = { BS_PATTERN, 0, 0 };
    brush->patternBitmap = hbm;
    std::lock_guard lock(bitmap->mutex);
    const PixelBuffer& px = bitmap->pixels;
    brush->patternWidth = px.width;
    brush->patternHeight = px.height;
    brush->monoPattern = px.format == PixelFormat::Mono;
    brush->pattern.resize(size_t(px.width) * size_t(px.height));
    for (int y = 0; y < px.height; ++y)
        readRow(px, 0, y, px.width, &brush->pattern[size_t(y) * size_t(px.width)]);
    if (brush->monoPattern)
        for (uint32_t& v : brush->pattern)
            v = v ? 1 : 0;
    return static_cast<HBRUSH>(addObject(brush));
}

namespace platform::gdi {

HBRUSH sysColorBrush(int index)
{
    struct Brushes {
        HBRUSH brushes[COLOR_MENUBAR + 1] {};
        Brushes()
        {
            for (int i = 0; i <= COLOR_MENUBAR; ++i) {
                auto brush = std::make_shared<Brush>();
                brush->log = { BS_SOLID, GetSysColor(i), 0 };
                brush->stock = true;
                brushes[i] = static_cast<HBRUSH>(addObject(brush));
            }
        }
    };
    static Brushes all;
    if (index < 0 || index > COLOR_MENUBAR)
        return nullptr;
    return all.brushes[index];
}

std::shared_ptr<Brush> brushArgument(HBRUSH brush)
{
    uintptr_t value = handleValue(brush);
    if (value >= 1 && value <= uintptr_t(COLOR_MENUBAR) + 1)
        return findBrush(sysColorBrush(int(value - 1)));
    return findBrush(brush);
}

} // namespace platform::gdi

HBRUSH GetSysColorBrush(int nIndex) { return sysColorBrush(nIndex); }
