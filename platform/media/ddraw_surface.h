// The layer's DirectDraw-style surface and clipper objects behind the interfaces of ddraw.h.
#pragma once

#include "platform/gdi/objects.h"
#include "platform/media/com_object.h"
#include "platform/media/ddraw.h"

#include <memory>
#include <mutex>
#include <optional>

namespace platform::ddraw {

class Clipper final : public com::RefCounted<IDirectDrawClipper> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        return answer(iid, IID_IDirectDrawClipper, object);
    }
    HRESULT GetHWnd(HWND* window) override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;

    HWND window() const;

private:
    mutable std::mutex m_mutex;
    HWND m_window = nullptr;
};

// The masks a surface of this format reports (GetPixelFormat, Lock).
DDPIXELFORMAT describeFormat(gdi::PixelFormat format);
// The format a DDPIXELFORMAT asks for: 16-bit 565 or 555, 24-bit or 32-bit XRGB.
std::optional<gdi::PixelFormat> formatOf(const DDPIXELFORMAT& format);

class Surface final : public com::RefCounted<IDirectDrawSurface7> {
public:
    // The screen: takes Blt through its clipper and reports the display mode.
    static Surface* createPrimary(DWORD caps);
    static Surface* createOffscreen(int width, int height, gdi::PixelFormat format, DWORD caps);

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        return answer(iid, IID_IDirectDrawSurface7, object);
    }
    HRESULT Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags, LPDDBLTFX fx) override;
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 desc, DWORD flags, HANDLE event) override;
    HRESULT Unlock(LPRECT rect) override;
    HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 desc) override;
    HRESULT GetPixelFormat(LPDDPIXELFORMAT format) override;
    HRESULT SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
    HRESULT IsLost() override { return DD_OK; }
    HRESULT Restore() override { return DD_OK; }

    bool primary() const { return !m_pixels; }
    int width() const;
    int height() const;

private:
    Surface() = default;
    ~Surface() override;

    bool busy() const;
    // The source key as a pixel of the source's buffer read as XRGB; none without a key.
    std::optional<uint32_t> sourceKey() const;
    HRESULT blitFrom(Surface& source, const RECT& dest, const RECT& from, bool keyed);
    HRESULT fill(const RECT& dest, DWORD pixel);
    std::optional<HWND> clipperWindow() const;
    HRESULT bltToWindow(HWND window, const RECT& screenDest, Surface* source, const RECT& from, DWORD flags,
        DWORD fillPixel);

    DWORD m_caps = 0;
    HBITMAP m_bitmap = nullptr;
    std::shared_ptr<gdi::Bitmap> m_pixels; // null for the primary surface
    mutable std::mutex m_mutex;
    HDC m_dc = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    int m_locks = 0;
    std::optional<DWORD> m_key;
    Clipper* m_clipper = nullptr;
};

} // namespace platform::ddraw
