// RowCanvas: an off-screen bitmap the size of one owner-drawn row, drawn on and then copied to the
// row's place in one blit, so a row never shows half drawn.
#pragma once

#include "lib/media/bitmap.h"

class RowCanvas {
public:
    // A canvas of the item's own size.
    explicit RowCanvas(const DRAWITEMSTRUCT& item);
    // A canvas of the given size, copied to the item's top-left corner.
    RowCanvas(const DRAWITEMSTRUCT& item, int width, int height);
    // Copies the canvas to the row.
    ~RowCanvas();
    RowCanvas(const RowCanvas&) = delete;
    RowCanvas& operator=(const RowCanvas&) = delete;

    HDC dc() const { return m_memory.dc(); }
    PaletteHolder& holder() { return m_memory; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    const DRAWITEMSTRUCT& m_item;
    int m_width;
    int m_height;
    PaletteHolder m_target;
    swCBitmap m_bitmap;
    MemoryDcHolder m_memory;
    HGDIOBJ m_old = nullptr;
};
