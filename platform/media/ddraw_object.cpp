// The DirectDraw-style display object: initialisation, cooperative level, surfaces, clippers and
// the display mode; creation by DirectDrawCreateEx and through the COM registry.
#include "platform/gdi/dc_view.h"
#include "platform/media/ddraw_surface.h"
#include "platform/user/winuser.h"

#include <cstring>

const CLSID CLSID_DirectDraw = {0xD7B70EE0, 0x4340, 0x11CF, {0xB0, 0x63, 0x00, 0x20, 0xAF, 0xC2, 0xCD, 0x35}};
const IID IID_IDirectDraw7 = {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
const IID IID_IDirectDrawSurface7 = {0x06675A80, 0x3B9B, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
const IID IID_IDirectDrawClipper = {0x6C14DB85, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

namespace platform::ddraw {
namespace {

// Larger surfaces are refused rather than left to fail allocation.
constexpr DWORD kMaxSide = 16384;

class DirectDraw final : public com::RefCounted<IDirectDraw7> {
public:
    explicit DirectDraw(bool initialised)
        : m_initialised(initialised)
    {
    }

    HRESULT QueryInterface(REFIID iid, void** object) override { return answer(iid, IID_IDirectDraw7, object); }

    // Every driver choice gives the same software display.
    HRESULT Initialize(GUID* driver) override
    {
        if (driver && driver != DDCREATE_EMULATIONONLY && driver != DDCREATE_HARDWAREONLY)
            return DDERR_INVALIDDIRECTDRAWGUID;
        if (m_initialised)
            return DDERR_ALREADYINITIALIZED;
        m_initialised = true;
        return DD_OK;
    }

    // Windowed drawing only: exclusive and full-screen modes are not offered.
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override
    {
        if (!m_initialised)
            return DDERR_NOTINITIALIZED;
        if (flags != DDSCL_NORMAL)
            return DDERR_UNSUPPORTED;
        if (window && !IsWindow(window))
            return DDERR_INVALIDPARAMS;
        m_cooperative = true;
        return DD_OK;
    }

    HRESULT CreateSurface(LPDDSURFACEDESC2 desc, LPDIRECTDRAWSURFACE7* surface, LPUNKNOWN outer) override
    {
        if (!surface)
            return DDERR_INVALIDPARAMS;
        *surface = nullptr;
        if (!m_initialised)
            return DDERR_NOTINITIALIZED;
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2) || outer)
            return DDERR_INVALIDPARAMS;
        if (!m_cooperative)
            return DDERR_NOCOOPERATIVELEVELSET;
        DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : DDSCAPS_OFFSCREENPLAIN;
        if (caps & (DDSCAPS_BACKBUFFER | DDSCAPS_COMPLEX | DDSCAPS_FLIP))
            return DDERR_INVALIDCAPS;
        if (caps & DDSCAPS_PRIMARYSURFACE) {
            if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT))
                return DDERR_INVALIDPARAMS;
            *surface = Surface::createPrimary(caps);
            return DD_OK;
        }
        if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) || desc->dwWidth == 0
            || desc->dwHeight == 0 || desc->dwWidth > kMaxSide || desc->dwHeight > kMaxSide)
            return DDERR_INVALIDPARAMS;
        gdi::PixelFormat format = gdi::PixelFormat::Xrgb32;
        if (desc->dwFlags & DDSD_PIXELFORMAT) {
            std::optional<gdi::PixelFormat> asked = formatOf(desc->ddpfPixelFormat);
            if (!asked)
                return DDERR_INVALIDPIXELFORMAT;
            format = *asked;
        }
        // Every surface lives in system memory, whichever memory was asked for.
        if (!(caps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY)))
            caps |= DDSCAPS_SYSTEMMEMORY;
        Surface* made = Surface::createOffscreen(int(desc->dwWidth), int(desc->dwHeight), format, caps);
        if (!made)
            return DDERR_OUTOFMEMORY;
        if (desc->dwFlags & DDSD_CKSRCBLT)
            made->SetColorKey(DDCKEY_SRCBLT, &desc->ddckCKSrcBlt);
        *surface = made;
        return DD_OK;
    }

    HRESULT CreateClipper(DWORD, LPDIRECTDRAWCLIPPER* clipper, LPUNKNOWN outer) override
    {
        if (!clipper || outer)
            return DDERR_INVALIDPARAMS;
        *clipper = nullptr;
        if (!m_initialised)
            return DDERR_NOTINITIALIZED;
        *clipper = new Clipper;
        return DD_OK;
    }

    HRESULT GetDisplayMode(LPDDSURFACEDESC2 desc) override
    {
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
            return DDERR_INVALIDPARAMS;
        if (!m_initialised)
            return DDERR_NOTINITIALIZED;
        SIZE screen = gdi::screenSize();
        std::memset(desc, 0, sizeof *desc);
        desc->dwSize = sizeof *desc;
        desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
        desc->dwWidth = DWORD(screen.cx);
        desc->dwHeight = DWORD(screen.cy);
        desc->lPitch = LONG(screen.cx * 4);
        desc->dwRefreshRate = 60;
        desc->ddpfPixelFormat = describeFormat(gdi::PixelFormat::Xrgb32);
        return DD_OK;
    }

    // Surfaces are never lost, so there is nothing to restore.
    HRESULT RestoreAllSurfaces() override { return m_initialised ? DD_OK : DDERR_NOTINITIALIZED; }

private:
    bool m_initialised = false;
    bool m_cooperative = false;
};

} // namespace
} // namespace platform::ddraw

HRESULT DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, LPUNKNOWN outer)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (!(iid == IID_IDirectDraw7) || outer)
        return DDERR_INVALIDPARAMS;
    auto* made = new platform::ddraw::DirectDraw(false);
    HRESULT result = made->Initialize(driver);
    if (FAILED(result)) {
        made->Release();
        return result;
    }
    *directDraw = static_cast<IDirectDraw7*>(made);
    return DD_OK;
}

namespace platform::media {

void registerDirectDrawClass()
{
    com::registerClass(CLSID_DirectDraw, [](REFIID iid, void** object) {
        auto* made = new ddraw::DirectDraw(false);
        HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    });
}

} // namespace platform::media
