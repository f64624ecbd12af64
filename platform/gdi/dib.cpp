// DIB sections and the DIB transfer calls: CreateDIBSection, CreateDIBitmap, GetDIBits,
// SetDIBits, SetDIBitsToDevice, StretchDIBits and the colour table of DIB sections.
#include "platform/gdi/dc.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

bool samePalette(const PixelBuffer& a, const PixelBuffer& b)
{
    if (a.paletteSize != b.paletteSize)
        return false;
    return a.paletteSize == 0 || std::memcmp(a.palette, b.palette, size_t(a.paletteSize) * 4) == 0;
}

// Copies `rows` rows; rows are numbered in each buffer's own top-down order.
void copyRows(const PixelBuffer& from, int fromRow, const PixelBuffer& to, int toRow, int rows)
{
    int width = std::min(from.width, to.width);
    bool raw = from.format == to.format && bitsPerPixel(from.format) >= 8 && samePalette(from, to);
    std::vector<uint32_t> row(size_t(width > 0 ? width : 0));
    for (int k = 0; k < rows; ++k) {
        if (raw) {
            std::memcpy(to.rowPointer(toRow + k), from.rowPointer(fromRow + k),
                size_t(bitsPerPixel(from.format) / 8) * size_t(width));
            continue;
        }
        readRow(from, 0, fromRow + k, width, row.data());
        writeRow(to, 0, toRow + k, width, row.data());
    }
}

// The rows [first, first + count) of a DIB given as scan lines counted from its first stored
// row, as top-down row numbers of the whole image.
int topRowOfScans(const DibFormat& dib, int firstScan, int count)
{
    return dib.bottomUp ? dib.height - firstScan - count : firstScan;
}

std::shared_ptr<Bitmap> bitmapOfDC(HDC hdc)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || dc->kind != DeviceContext::Kind::Memory)
        return nullptr;
    return dc->state.bitmap;
}

} // namespace

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD)
{
    if (ppvBits)
        *ppvBits = nullptr;
    if ((hdc && !findDC(hdc)) || hSection)
        return nullptr;
    std::optional<DibFormat> dib = parseDib(pbmi, usage);
    if (!dib)
        return nullptr;
    std::shared_ptr<Bitmap> bitmap = makeBitmap(dib->format, dib->width, dib->height, RowAlign::Dword);
    if (!bitmap)
        return nullptr;
    bitmap->dibSection = true;
    bitmap->compression = dib->compression;
    bitmap->pixels.bottomUp = dib->bottomUp;
    bitmap->palette = dib->palette;
    bitmap->refreshPalette();
    if (ppvBits)
        *ppvBits = bitmap->storage.get();
    return static_cast<HBITMAP>(addObject(bitmap));
}

// Without a DC the bitmap is mono, as Win32 makes it; with one it is 32-bit unless the DC is a
// memory DC holding a mono bitmap.
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
    const BITMAPINFO* pbmi, UINT iUsage)
{
    if (!pbmih)
        return nullptr;
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (hdc && !dc)
        return nullptr;
    bool mono = !dc
        || (dc->kind == DeviceContext::Kind::Memory && dc->state.bitmap
            && dc->state.bitmap->pixels.format == PixelFormat::Mono);
    int height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    std::shared_ptr<Bitmap> bitmap = makeBitmap(mono ? PixelFormat::Mono : PixelFormat::Xrgb32, pbmih->biWidth,
        height, RowAlign::Word);
    if (!bitmap)
        return nullptr;
    if ((flInit & CBM_INIT) && pjBits) {
        std::optional<DibFormat> dib = parseDib(pbmi, iUsage);
        if (!dib || dib->width != pbmih->biWidth || dib->height != height)
            return nullptr;
        copyRows(dib->view(pjBits, dib->height), 0, bitmap->pixels, 0, height);
    }
    return static_cast<HBITMAP>(addObject(bitmap));
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage)
{
    std::shared_ptr<Bitmap> bitmap = findBitmap(hbm);
    if (!findDC(hdc) || !bitmap || !lpbmi || usage != DIB_RGB_COLORS)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    const PixelBuffer& px = bitmap->pixels;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    if (h.biBitCount == 0) {
        // Only the description of the bitmap is asked for.
        PixelFormat format = px.format == PixelFormat::Mono ? PixelFormat::Index1 : px.format;
        describeDib(lpbmi, format, px.width, px.height, true, {});
        return 1;
    }
    bool bottomUp = h.biHeight >= 0;
    h.biWidth = px.width;
    h.biHeight = bottomUp ? px.height : -px.height;
    h.biClrUsed = 0;
    std::optional<DibFormat> dib = parseDib(lpbmi, usage);
    if (!dib)
        return 0;
    if (isIndexed(dib->format)) {
        if (isIndexed(px.format) && bitsPerPixel(px.format) == bitsPerPixel(dib->format))
            dib->palette = px.format == PixelFormat::Mono ? defaultPalette(PixelFormat::Mono) : bitmap->palette;
        else
            dib->palette = defaultPalette(dib->format);
        dib->palette.resize(size_t(1) << bitsPerPixel(dib->format), 0);
    }
    describeDib(lpbmi, dib->format, px.width, px.height, bottomUp, dib->palette);
    if (!lpvBits)
        return 1;
    if (start >= UINT(px.height))
        return 0;
    int count = int(std::min<UINT>(cLines, UINT(px.height) - start));
    int top = topRowOfScans(*dib, int(start), count);
    PixelBuffer out = dib->view(lpvBits, count);
    // The scans occupy their own stored order inside lpvBits.
    copyRows(px, top, out, 0, count);
    return count;
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    std::shared_ptr<Bitmap> bitmap = findBitmap(hbm);
    std::optional<DibFormat> dib = parseDib(lpbmi, ColorUse);
    if (!bitmap || !dib || !lpBits)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    int height = std::min(dib->height, bitmap->pixels.height);
    if (start >= UINT(height))
        return 0;
    int count = int(std::min<UINT>(cLines, UINT(height) - start));
    int top = topRowOfScans(*dib, int(start), count);
    copyRows(dib->view(lpBits, count), 0, bitmap->pixels, top, count);
    return count;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
    UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    std::optional<DibFormat> dib = parseDib(lpbmi, ColorUse);
    if (!dc || !dib || !lpvBits || StartScan >= UINT(dib->height) || w > 65535 || h > 65535)
        return 0;
    int count = int(std::min<UINT>(cLines, UINT(dib->height) - StartScan));
    // ySrc counts from the bottom of a bottom-up DIB; the bits hold only scans StartScan onwards.
    int top = dib->bottomUp ? int(StartScan) + count - ySrc - int(h) : ySrc - int(StartScan);
    PixelBuffer source = dib->view(lpvBits, count);
    Canvas canvas(*dc);
    canvas.lock();
    if (!blitIntoCanvas(*dc, canvas, xDest, yDest, int(w), int(h), &source, xSrc, top, int(w), int(h), SRCCOPY,
            blitColours(*dc, nullptr)))
        return 0;
    return count;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
    int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    std::optional<DibFormat> dib = parseDib(lpbmi, iUsage);
    if (!dc || !dib || !lpBits)
        return 0;
    // As with SetDIBitsToDevice, ySrc of a bottom-up DIB is measured from its bottom row.
    int top = dib->bottomUp ? dib->height - ySrc - SrcHeight : ySrc;
    PixelBuffer source = dib->view(lpBits, dib->height);
    Canvas canvas(*dc);
    canvas.lock();
    if (!blitIntoCanvas(*dc, canvas, xDest, yDest, DestWidth, DestHeight, &source, xSrc, top, SrcWidth, SrcHeight,
            rop, blitColours(*dc, nullptr)))
        return 0;
    return dib->height;
}

UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq)
{
    std::shared_ptr<Bitmap> bitmap = bitmapOfDC(hdc);
    if (!bitmap || !bitmap->dibSection || !prgbq)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    UINT n = 0;
    for (; n < cEntries && iStart + n < bitmap->palette.size(); ++n) {
        uint32_t c = bitmap->palette[iStart + n];
        prgbq[n] = { uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0 };
    }
    return n;
}

UINT SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq)
{
    std::shared_ptr<Bitmap> bitmap = bitmapOfDC(hdc);
    if (!bitmap || !bitmap->dibSection || !prgbq)
        return 0;
    std::lock_guard lock(bitmap->mutex);
    UINT n = 0;
    for (; n < cEntries && iStart + n < bitmap->palette.size(); ++n)
        bitmap->palette[iStart + n] = (uint32_t(prgbq[n].rgbRed) << 16) | (uint32_t(prgbq[n].rgbGreen) << 8)
            | prgbq[n].rgbBlue;
    bitmap->refreshPalette();
    return n;
}
