// BitBlt, StretchBlt, PatBlt and TransparentBlt between device contexts.
#include "platform/gdi/dc.h"
#include "platform/gdi/rop.h"
#include "platform/gdi/wingdi.h"

using namespace platform;
using namespace platform::gdi;

namespace platform::gdi {

bool blitIntoCanvas(const DeviceContext& dest, const Canvas& canvas, int x, int y, int w, int h,
    const PixelBuffer* source, int sx, int sy, int sw, int sh, DWORD rop, const BlitColours& colours,
    std::optional<uint32_t> transparent)
{
    if (!canvas.valid())
        return false;
    std::vector<uint32_t> tile;
    Pattern pattern;
    if (ropUsesPattern(rop))
        pattern = brushPattern(dest, dest.state.brush.get(), tile);
    POINT d = canvas.toBuffer(x, y);
    BlitRequest request;
    request.dest = &canvas.buffer();
    request.destX = d.x;
    request.destY = d.y;
    request.destWidth = w;
    request.destHeight = h;
    request.source = source;
    request.sourceX = sx;
    request.sourceY = sy;
    request.sourceWidth = sw;
    request.sourceHeight = sh;
    request.rop = rop;
    request.pattern = &pattern;
    request.colours = colours;
    request.clip = &canvas.clip();
    request.transparent = transparent;
    return blit(request);
}

} // namespace platform::gdi

namespace {

BOOL stretchBetween(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
    int wSrc, int hSrc, DWORD rop, std::optional<uint32_t> transparent)
{
    std::shared_ptr<DeviceContext> dest = findDC(hdcDest);
    if (!dest)
        return FALSE;
    Canvas destCanvas(*dest);
    if (!ropUsesSource(rop)) {
        destCanvas.lock();
        return blitIntoCanvas(*dest, destCanvas, xDest, yDest, wDest, hDest, nullptr, 0, 0, 0, 0, rop,
            blitColours(*dest, nullptr));
    }
    std::shared_ptr<DeviceContext> source = findDC(hdcSrc);
    if (!source)
        return FALSE;
    Canvas sourceCanvas(*source);
    Canvas::lockPair(destCanvas, sourceCanvas);
    if (!sourceCanvas.valid())
        return FALSE;
    POINT s = sourceCanvas.toBuffer(xSrc, ySrc);
    return blitIntoCanvas(*dest, destCanvas, xDest, yDest, wDest, hDest, &sourceCanvas.buffer(), s.x, s.y, wSrc,
        hSrc, rop, blitColours(*dest, source.get()), transparent);
}

} // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return stretchBetween(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop, std::nullopt);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
    int wSrc, int hSrc, DWORD rop)
{
    return stretchBetween(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop, std::nullopt);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    if (ropUsesSource(rop))
        return FALSE;
    return stretchBetween(hdc, x, y, w, h, nullptr, 0, 0, 0, 0, rop, std::nullopt);
}

// Copies the source except its pixels of the key colour; negative extents are refused as Win32 does.
BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0)
        return FALSE;
    return stretchBetween(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc, yoriginSrc, wSrc,
        hSrc, SRCCOPY, colorrefToXrgb(crTransparent));
}
