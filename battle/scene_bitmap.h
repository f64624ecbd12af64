// SceneBitmap: a 16-bit RGB555 DIB section in a memory DC, the form of every picture of the scene.
#pragma once

#include "battle/sprite_blit.h"
#include "platform/windows.h"

#include <cstdint>
#include <string>

class SceneBitmap {
public:
    SceneBitmap() = default;
    ~SceneBitmap() { release(); }
    SceneBitmap(const SceneBitmap&) = delete;
    SceneBitmap& operator=(const SceneBitmap&) = delete;

    // A black picture of that size; false when GDI cannot make it.
    bool create(int width, int height);
    // A Windows bitmap file turned into 16-bit words, darkened when asked.
    bool loadFile(const std::string& path, bool darken);
    void release();

    bool empty() const { return m_bits == nullptr; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Picture row y (bottom-up storage); rows are padded to a whole number of 4-byte words.
    uint16_t* row(int y) const { return m_bits + size_t(m_height - 1 - y) * size_t(m_stride); }
    uint16_t* bits() const { return m_bits; }
    int stride() const { return m_stride; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    uint16_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    // In words.
    int m_stride = 0;
};

// Copies a w × h rectangle of a picture (from sx, sy) to (dx, dy) of a side's buffer, mirrored for
// the attacker (side 0), clipped to both.
void copyPicture(const SceneTarget& target, const SceneBitmap& picture, int dx, int dy, int w, int h, int sx, int sy, int side);
