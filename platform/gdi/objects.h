// GDI objects behind HBITMAP, HPEN, HBRUSH, HFONT, HRGN and HPALETTE, and their handle table.
#pragma once

#include "platform/gdi/pixels.h"
#include "platform/gdi/region.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/handle_table.h"
#include "platform/kernel/zeroed_table.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::gdi {

enum class ObjectType : uint8_t { Bitmap, Pen, Brush, Font, Region, Palette };

struct GdiObject {
    explicit GdiObject(ObjectType t)
        : type(t)
    {
    }
    virtual ~GdiObject() = default;
    const ObjectType type;
    bool stock = false; // stock objects ignore DeleteObject
};

struct Bitmap : GdiObject {
    Bitmap()
        : GdiObject(ObjectType::Bitmap)
    {
    }
    PixelBuffer pixels;
    // Zeroed from the system: a fresh picture needs no clearing pass.
    ZeroedTable<uint8_t> storage;
    size_t storageBytes = 0;
    std::vector<uint32_t> palette;        // XRGB colour table of indexed DIB sections
    bool dibSection = false;
    DWORD compression = BI_RGB;           // BI_BITFIELDS for 565 DIB sections
    std::atomic<int> selectedCount { 0 }; // a bitmap is selected into at most one DC
    mutable std::recursive_mutex mutex;   // held while drawing into or reading the pixels

    void refreshPalette()
    {
        pixels.palette = palette.data();
        pixels.paletteSize = int(palette.size());
    }
};

struct Pen : GdiObject {
    Pen()
        : GdiObject(ObjectType::Pen)
    {
    }
    LOGPEN log {};
    int style() const { return int(log.lopnStyle & PS_STYLE_MASK); }
    int width() const { return log.lopnWidth.x < 1 ? 1 : int(log.lopnWidth.x); }
};

struct Brush : GdiObject {
    Brush()
        : GdiObject(ObjectType::Brush)
    {
    }
    LOGBRUSH log {};
    // Pattern brushes keep a copy of the bitmap: XRGB, or 0/1 values when the bitmap was mono
    // (those take the DC's text and background colours when drawn).
    std::vector<uint32_t> pattern;
    int patternWidth = 0;
    int patternHeight = 0;
    bool monoPattern = false;
    HBITMAP patternBitmap = nullptr; // as given, for GetObject
};

struct Font : GdiObject {
    Font()
        : GdiObject(ObjectType::Font)
    {
    }
    LOGFONTA log {};
};

struct RegionObject : GdiObject {
    RegionObject()
        : GdiObject(ObjectType::Region)
    {
    }
    Region region;
};

struct Palette : GdiObject {
    Palette()
        : GdiObject(ObjectType::Palette)
    {
    }
    std::vector<PALETTEENTRY> entries;
};

HandleTable<GdiObject>& objectTable();
HGDIOBJ addObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> findObject(HGDIOBJ handle);

template <class T>
std::shared_ptr<T> findObject(HGDIOBJ handle, ObjectType type)
{
    std::shared_ptr<GdiObject> object = findObject(handle);
    if (!object || object->type != type)
        return nullptr;
    return std::static_pointer_cast<T>(object);
}
inline std::shared_ptr<Bitmap> findBitmap(HBITMAP h) { return findObject<Bitmap>(h, ObjectType::Bitmap); }
inline std::shared_ptr<Pen> findPen(HPEN h) { return findObject<Pen>(h, ObjectType::Pen); }
inline std::shared_ptr<Brush> findBrush(HBRUSH h) { return findObject<Brush>(h, ObjectType::Brush); }
inline std::shared_ptr<Font> findFont(HFONT h) { return findObject<Font>(h, ObjectType::Font); }
inline std::shared_ptr<RegionObject> findRegion(HRGN h) { return findObject<RegionObject>(h, ObjectType::Region); }

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int complexityOf(const Region& region);

// A bitmap of the given format with zeroed rows (top-down), WORD-aligned as device bitmaps are or
// DWORD-aligned for DIBs; null when the size is unreasonable or memory runs out.
enum class RowAlign { Word, Dword };
std::shared_ptr<Bitmap> makeBitmap(PixelFormat format, int width, int height, RowAlign align);
// The 1 x 1 mono bitmap every new memory DC starts with (a stock object).
HBITMAP defaultBitmap();
// A brush for a system colour (GetSysColorBrush); also what FillRect makes of COLOR_x + 1.
HBRUSH sysColorBrush(int index);

} // namespace platform::gdi
