// Device contexts: the state a DC carries, its handle table, and the canvas a drawing call
// locks to reach the pixels of a memory DC's bitmap or a view's surface.
#pragma once

#include "platform/gdi/blit.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::gdi {

// Everything SaveDC saves.
struct DcState {
    HBITMAP bitmapHandle = nullptr;
    std::shared_ptr<Bitmap> bitmap;
    HPEN penHandle = nullptr;
    std::shared_ptr<Pen> pen;
    HBRUSH brushHandle = nullptr;
    std::shared_ptr<Brush> brush;
    HFONT fontHandle = nullptr;
    std::shared_ptr<Font> font;
    HPALETTE paletteHandle = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int charExtra = 0;
    POINT brushOrigin {};
    POINT viewportOrigin {};
    POINT position {};
    std::optional<Region> clip; // device coordinates
};

struct DeviceContext {
    enum class Kind { Memory, View, Screen };
    Kind kind = Kind::Memory;
    DcState state;
    std::vector<DcState> saved;
    // Views and the screen DC draw into a surface; memory DCs into state.bitmap.
    std::shared_ptr<Surface> surface;
    POINT viewOrigin {};
    std::optional<Region> viewClip; // surface coordinates; none: the whole surface
    HWND window = nullptr;
};

HandleTable<DeviceContext>& dcTable();
std::shared_ptr<DeviceContext> findDC(HDC dc);
HDC addDC(std::shared_ptr<DeviceContext> dc);
// A DC with default state: stock brush, pen, font and palette selected.
std::shared_ptr<DeviceContext> makeDC(DeviceContext::Kind kind);
void selectBitmap(DeviceContext& dc, HBITMAP handle, std::shared_ptr<Bitmap> bitmap);
void releaseState(DcState& state);
// ExtSelectClipRgn on the DC's state (region in device coordinates; null with RGN_COPY removes
// the clip). Returns the complexity of the new clip area or ERROR.
int selectClipRegion(DeviceContext& dc, const Region* region, int mode);

// The locked pixels of a DC for one drawing call. `clip` is in buffer coordinates and already
// includes the buffer's bounds, the view's clip and the DC's clip region.
class Canvas {
public:
    explicit Canvas(DeviceContext& dc);
    bool valid() const { return m_buffer.valid(); }
    const PixelBuffer& buffer() const { return m_buffer; }
    const Region& clip() const { return m_clip; }
    // Logical coordinates to buffer coordinates.
    int offsetX() const { return m_offset.x; }
    int offsetY() const { return m_offset.y; }
    POINT toBuffer(int x, int y) const { return { x + m_offset.x, y + m_offset.y }; }
    RECT toBuffer(const RECT& r) const
    {
        return { r.left + m_offset.x, r.top + m_offset.y, r.right + m_offset.x, r.bottom + m_offset.y };
    }
    std::recursive_mutex* mutex() const { return m_mutex; }
    // Takes the lock; for a pair of canvases over different stores, lockPair avoids deadlock.
    void lock();
    static void lockPair(Canvas& a, Canvas& b);

private:
    void prepare();

    DeviceContext* m_dc = nullptr;
    PixelBuffer m_buffer;
    Region m_clip;
    POINT m_offset {};
    std::recursive_mutex* m_mutex = nullptr;
    std::shared_ptr<Surface> m_surface; // keeps a view's surface alive for the call
    std::shared_ptr<Bitmap> m_bitmap;
    std::unique_lock<std::recursive_mutex> m_lock;
};

// The device-coordinate origin of the DC inside its buffer (the view origin for views).
POINT deviceOrigin(const DeviceContext& dc);
// The DC's brush as pixels for blits and fills, resolved against its colours and brush origin.
// `storage` holds the tile when the brush has one.
Pattern brushPattern(const DeviceContext& dc, const Brush* brush, std::vector<uint32_t>& storage);
BlitColours blitColours(const DeviceContext& dest, const DeviceContext* source);

// A blit into a DC whose canvas is locked: destination in the DC's logical coordinates, source in
// buffer coordinates of `source` (null when the operation takes none); the DC's brush is the
// pattern. False when the request is malformed.
bool blitIntoCanvas(const DeviceContext& dest, const Canvas& canvas, int x, int y, int w, int h,
    const PixelBuffer* source, int sx, int sy, int sw, int sh, DWORD rop, const BlitColours& colours,
    std::optional<uint32_t> transparent = std::nullopt);

} // namespace platform::gdi
