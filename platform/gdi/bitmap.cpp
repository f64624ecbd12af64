// Device-dependent bitmaps: CreateBitmap, CreateCompatibleBitmap and their raw bits.
#include "platform/gdi/dc.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

std::optional<PixelFormat> ddbFormat(UINT bitCount)
{
    switch (bitCount) {
    case 1:
        return PixelFormat::Mono;
    case 16:
        return PixelFormat::Rgb555;
    case 24:
        return PixelFormat::Rgb24;
    case 32:
        return PixelFormat::Xrgb32;
    default:
        return std::nullopt;
    }
}

} // namespace

// Rows of lpBits are WORD-aligned, as device bitmaps store them.
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    std::optional<PixelFormat> format = ddbFormat(nBitCount);
    if (nPlanes != 1 || !format)
        return nullptr;
    std::shared_ptr<Bitmap> bitmap = makeBitmap(*format, nWidth, nHeight, RowAlign::Word);
    if (!bitmap)
        return nullptr;
    if (lpBits)
        std::memcpy(bitmap->storage.get(), lpBits, bitmap->storageBytes);
    return static_cast<HBITMAP>(addObject(bitmap));
}

// A memory DC still holding its 1 x 1 mono bitmap makes mono bitmaps, as Win32 does; anything else
// makes 32-bit ones. A zero size gives a 1 x 1 mono bitmap.
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || cx < 0 || cy < 0)
        return nullptr;
    if (cx == 0 || cy == 0)
        return CreateBitmap(1, 1, 1, 1, nullptr);
    bool mono = dc->kind == DeviceContext::Kind::Memory && dc->state.bitmap
        && dc->state.bitmap->pixels.format == PixelFormat::Mono;
    return CreateBitmap(cx, cy, 1, mono ? 1 : 32, nullptr);
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    std::shared_ptr<Bitmap> bitmap = findBitmap(hbit);
    if (!bitmap || cb < 0)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    size_t size = bitmap->pixels.stride * size_t(bitmap->pixels.height);
    if (!lpvBits)
        return LONG(size);
    size_t n = std::min(size, size_t(cb));
    std::memcpy(lpvBits, bitmap->pixels.bits, n);
    return LONG(n);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    std::shared_ptr<Bitmap> bitmap = findBitmap(hbm);
    if (!bitmap || !pvBits)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    size_t n = std::min(bitmap->pixels.stride * size_t(bitmap->pixels.height), size_t(cb));
    std::memcpy(bitmap->pixels.bits, pvBits, n);
    return LONG(n);
}
