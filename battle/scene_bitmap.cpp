// 16-bit pictures of the battle scene and their copies into the back buffers.
#include "battle/scene_bitmap.h"

#include "battle/sprite_image.h"

#include <algorithm>
#include <cstring>

bool SceneBitmap::create(int width, int height)
{
    release();
    if (width < 1 || height < 1)
        return false;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!m_bitmap || !bits || !m_dc) {
        release();
        return false;
    }
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<uint16_t*>(bits);
    m_width = width;
    m_height = height;
    m_stride = (width + 1) & ~1;
    std::memset(m_bits, 0, size_t(m_stride) * size_t(height) * 2);
    return true;
}

bool SceneBitmap::loadFile(const std::string& path, bool darken)
{
    release();
    HBITMAP loaded = HBITMAP(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!loaded)
        return false;
    BITMAP info {};
    bool ok = GetObjectA(loaded, sizeof info, &info) == int(sizeof info) && create(info.bmWidth, info.bmHeight);
    if (ok) {
        // Whatever depth the file has, the scene keeps 16-bit words.
        HDC source = CreateCompatibleDC(m_dc);
        HGDIOBJ old = SelectObject(source, loaded);
        ok = source && BitBlt(m_dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    DeleteObject(loaded);
    if (!ok) {
        release();
        return false;
    }
    if (darken)
        for (size_t i = 0, n = size_t(m_stride) * size_t(m_height); i < n; ++i)
            m_bits[i] = darkenWord(m_bits[i]);
    return true;
}

void SceneBitmap::release()
{
    if (m_dc) {
        if (m_oldBitmap)
            SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = m_height = m_stride = 0;
}

void copyPicture(const SceneTarget& target, const SceneBitmap& picture, int dx, int dy, int w, int h, int sx, int sy, int side)
{
    if (picture.empty() || !target.bits)
        return;
    // Clip to the picture, then to the buffer.
    if (sx < 0) { dx -= sx; w += sx; sx = 0; }
    if (sy < 0) { dy -= sy; h += sy; sy = 0; }
    w = std::min(w, picture.width() - sx);
    h = std::min(h, picture.height() - sy);
    if (dx < 0) { sx -= dx; w += dx; dx = 0; }
    if (dy < 0) { sy -= dy; h += dy; dy = 0; }
    w = std::min(w, target.width - dx);
    h = std::min(h, kSceneHeight - dy);
    if (w < 1 || h < 1)
        return;
    for (int j = 0; j < h; ++j) {
        const uint16_t* src = picture.row(sy + j) + sx;
        uint16_t* dst = target.row(dy + j);
        if (side == 0) {
            uint16_t* d = dst + (target.width - 1 - dx);
            for (int i = 0; i < w; ++i)
                *d-- = src[i];
        } else {
            std::memcpy(dst + dx, src, size_t(w) * 2);
        }
    }
}
