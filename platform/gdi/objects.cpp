// The GDI object table, stock objects, DeleteObject and GetObjectA.
#include "platform/gdi/objects.h"

#include "platform/gdi/font.h"

#include "platform/gdi/wingdi.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::gdi {

HandleTable<GdiObject>& objectTable()
{
    static HandleTable<GdiObject> table(HandleKind::GdiObject);
    return table;
}

HGDIOBJ addObject(std::shared_ptr<GdiObject> object)
{
    if (!object)
        return nullptr;
    return makeHandle<HGDIOBJ>(objectTable().add(std::move(object)));
}

std::shared_ptr<GdiObject> findObject(HGDIOBJ handle) { return objectTable().get(handleValue(handle)); }

std::shared_ptr<Bitmap> makeBitmap(PixelFormat format, int width, int height, RowAlign align)
{
    // 2^28 bytes is far beyond any picture the game makes and keeps sizes from overflowing.
    constexpr size_t kLimit = size_t(1) << 28;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return nullptr;
    size_t bits = size_t(bitsPerPixel(format)) * size_t(width);
    size_t stride = align == RowAlign::Word ? ((bits + 15) / 16) * 2 : ((bits + 31) / 32) * 4;
    if (stride * size_t(height) > kLimit)
        return nullptr;
    try {
        auto bitmap = std::make_shared<Bitmap>();
        bitmap->storage = makeZeroedTable<uint8_t>(stride * size_t(height));
        bitmap->storageBytes = stride * size_t(height);
        bitmap->pixels.format = format;
        bitmap->pixels.width = width;
        bitmap->pixels.height = height;
        bitmap->pixels.stride = stride;
        bitmap->pixels.bits = bitmap->storage.get();
        return bitmap;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

HGDIOBJ makeStock(std::shared_ptr<GdiObject> object)
{
    object->stock = true;
    return addObject(std::move(object));
}

HGDIOBJ stockBrush(UINT style, COLORREF colour)
{
    auto brush = std::make_shared<Brush>();
    brush->log = { style, colour, 0 };
    return makeStock(brush);
}

HGDIOBJ stockPen(UINT style, COLORREF colour)
{
    auto pen = std::make_shared<Pen>();
    pen->log = { style, { 1, 0 }, colour };
    return makeStock(pen);
}

HGDIOBJ stockFont(LONG height, LONG weight, const char* face, BYTE pitch)
{
    auto font = std::make_shared<Font>();
    font->log.lfHeight = height;
    font->log.lfWeight = weight;
    font->log.lfCharSet = SHIFTJIS_CHARSET;
    font->log.lfPitchAndFamily = pitch;
    std::strncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
    return makeStock(font);
}

struct StockObjects {
    HGDIOBJ objects[DEFAULT_GUI_FONT + 1] {};
    HGDIOBJ defaultBitmap = nullptr;

    StockObjects()
    {
        objects[WHITE_BRUSH] = stockBrush(BS_SOLID, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = stockBrush(BS_SOLID, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = stockBrush(BS_SOLID, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = stockBrush(BS_SOLID, RGB(0, 0, 0));
        objects[NULL_BRUSH] = stockBrush(BS_NULL, 0);
        objects[WHITE_PEN] = stockPen(PS_SOLID, RGB(255, 255, 255));
        objects[BLACK_PEN] = stockPen(PS_SOLID, RGB(0, 0, 0));
        objects[NULL_PEN] = stockPen(PS_NULL, 0);
        objects[OEM_FIXED_FONT] = stockFont(16, FW_NORMAL, kFaceGothic, FIXED_PITCH | FF_MODERN);
        objects[ANSI_FIXED_FONT] = stockFont(-12, FW_NORMAL, kFaceGothic, FIXED_PITCH | FF_MODERN);
        objects[ANSI_VAR_FONT] = stockFont(-12, FW_NORMAL, kFacePGothic, VARIABLE_PITCH | FF_SWISS);
        objects[SYSTEM_FONT] = stockFont(16, FW_NORMAL, kFacePGothic, VARIABLE_PITCH | FF_SWISS);
        objects[DEVICE_DEFAULT_FONT] = objects[SYSTEM_FONT];
        objects[SYSTEM_FIXED_FONT] = stockFont(16, FW_NORMAL, kFaceGothic, FIXED_PITCH | FF_MODERN);
        objects[DEFAULT_GUI_FONT] = stockFont(-12, FW_NORMAL, kFacePGothic, VARIABLE_PITCH | FF_SWISS);
        auto palette = std::make_shared<Palette>();
        for (int i = 0; i < 20; ++i) {
            BYTE v = BYTE(i * 255 / 19);
            palette->entries.push_back({ v, v, v, 0 });
        }
        objects[DEFAULT_PALETTE] = makeStock(palette);
        auto mono = makeBitmap(PixelFormat::Mono, 1, 1, RowAlign::Word);
        defaultBitmap = makeStock(mono);
    }
};

StockObjects& stock()
{
    static StockObjects objects;
    return objects;
}

} // namespace

HBITMAP defaultBitmap() { return static_cast<HBITMAP>(stock().defaultBitmap); }

} // namespace platform::gdi

using namespace platform::gdi;

HGDIOBJ GetStockObject(int i)
{
    if (i < 0 || i > DEFAULT_GUI_FONT)
        return nullptr;
    return stock().objects[i];
}

// A selected object is still deleted: its handle goes stale at once, and the DC that holds it
// keeps the object alive until it is deselected or the DC is deleted, so nothing dangles.
BOOL DeleteObject(HGDIOBJ ho)
{
    std::shared_ptr<GdiObject> object = findObject(ho);
    if (!object)
        return FALSE;
    if (object->stock)
        return TRUE;
    objectTable().remove(platform::handleValue(ho));
    return TRUE;
}

int GetObjectA(HANDLE h, int c, LPVOID pv)
{
    std::shared_ptr<GdiObject> object = findObject(h);
    if (!object || c < 0)
        return 0;
    auto copyOut = [&](const void* data, size_t size) {
        if (!pv)
            return int(size);
        size_t n = std::min(size, size_t(c));
        std::memcpy(pv, data, n);
        return int(n);
    };
    switch (object->type) {
    case ObjectType::Bitmap: {
        auto& bitmap = static_cast<Bitmap&>(*object);
        const PixelBuffer& px = bitmap.pixels;
        DIBSECTION ds {};
        ds.dsBm.bmWidth = px.width;
        ds.dsBm.bmHeight = px.height;
        ds.dsBm.bmWidthBytes = LONG(px.stride);
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = WORD(bitsPerPixel(px.format));
        if (!bitmap.dibSection)
            return copyOut(&ds.dsBm, sizeof(BITMAP));
        ds.dsBm.bmBits = px.bits;
        if (pv && size_t(c) < sizeof(DIBSECTION))
            return copyOut(&ds.dsBm, sizeof(BITMAP));
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = px.width;
        ds.dsBmih.biHeight = px.bottomUp ? px.height : -px.height;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = ds.dsBm.bmBitsPixel;
        ds.dsBmih.biCompression = bitmap.compression;
        ds.dsBmih.biSizeImage = DWORD(px.stride * size_t(px.height));
        ds.dsBmih.biClrUsed = DWORD(bitmap.palette.size());
        if (px.format == PixelFormat::Rgb565) {
            ds.dsBitfields[0] = 0xF800;
            ds.dsBitfields[1] = 0x07E0;
            ds.dsBitfields[2] = 0x001F;
        } else if (px.format == PixelFormat::Rgb555) {
            ds.dsBitfields[0] = 0x7C00;
            ds.dsBitfields[1] = 0x03E0;
            ds.dsBitfields[2] = 0x001F;
        }
        return copyOut(&ds, sizeof(DIBSECTION));
    }
    case ObjectType::Pen:
        return copyOut(&static_cast<Pen&>(*object).log, sizeof(LOGPEN));
    case ObjectType::Brush: {
        LOGBRUSH log = static_cast<Brush&>(*object).log;
        if (log.lbStyle == BS_PATTERN)
            log.lbHatch = reinterpret_cast<ULONG_PTR>(static_cast<Brush&>(*object).patternBitmap);
        return copyOut(&log, sizeof(LOGBRUSH));
    }
    case ObjectType::Font:
        return copyOut(&static_cast<Font&>(*object).log, sizeof(LOGFONTA));
    case ObjectType::Palette: {
        WORD count = WORD(static_cast<Palette&>(*object).entries.size());
        return copyOut(&count, sizeof(WORD));
    }
    case ObjectType::Region:
        break;
    }
    return 0;
}
