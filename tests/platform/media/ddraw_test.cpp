// DirectDraw-style surfaces: creation rules, keyed and plain blits, locks, DCs, and presentation
// on the primary surface through a clipper window.
#include "platform/desktop/harness.h"
#include "platform/gdi/dc_view.h"
#include "platform/gdi/wingdi.h"
#include "platform/media/ddraw.h"
#include "platform/user/winuser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class Surfaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_dd), IID_IDirectDraw7, nullptr), DD_OK);
        ASSERT_EQ(m_dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override
    {
        for (IDirectDrawSurface7* s : m_made)
            s->Release();
        m_dd->Release();
    }

    IDirectDrawSurface7* make(int w, int h, int bits = 32, DWORD redMask = 0xFF0000)
    {
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = DWORD(w);
        desc.dwHeight = DWORD(h);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        if (bits != 32) {
            desc.dwFlags |= DDSD_PIXELFORMAT;
            desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
            desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
            desc.ddpfPixelFormat.dwRGBBitCount = DWORD(bits);
            desc.ddpfPixelFormat.dwRBitMask = redMask;
            desc.ddpfPixelFormat.dwGBitMask = redMask == 0xF800 ? 0x07E0 : 0x03E0;
            desc.ddpfPixelFormat.dwBBitMask = 0x001F;
        }
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(m_dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        if (surface)
            m_made.push_back(surface);
        return surface;
    }

    // 32-bit surfaces only: rows of XRGB words through Lock.
    static void fill(IDirectDrawSurface7* s, const std::vector<std::vector<uint32_t>>& rows)
    {
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        for (size_t y = 0; y < rows.size(); ++y)
            std::memcpy(static_cast<uint8_t*>(desc.lpSurface) + y * size_t(desc.lPitch), rows[y].data(), rows[y].size() * 4);
        s->Unlock(nullptr);
    }
    static std::vector<std::vector<uint32_t>> read(IDirectDrawSurface7* s)
    {
        DDSURFACEDESC2 desc {};
        desc.dwSize = sizeof desc;
        EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        std::vector<std::vector<uint32_t>> rows(desc.dwHeight, std::vector<uint32_t>(desc.dwWidth));
        for (size_t y = 0; y < rows.size(); ++y)
            std::memcpy(rows[y].data(), static_cast<uint8_t*>(desc.lpSurface) + y * size_t(desc.lPitch), desc.dwWidth * 4);
        s->Unlock(nullptr);
        return rows;
    }
    static void setKey(IDirectDrawSurface7* s, DWORD pixel)
    {
        DDCOLORKEY key { pixel, pixel };
        ASSERT_EQ(s->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    }

    IDirectDraw7* m_dd = nullptr;
    std::vector<IDirectDrawSurface7*> m_made;
};

constexpr uint32_t M = 0xFF00FF, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

TEST_F(Surfaces, BltFastCopiesExactlyAndSkipsKeyedPixelsOnlyWhenAsked)
{
    IDirectDrawSurface7* source = make(3, 2);
    IDirectDrawSurface7* dest = make(4, 3);
    fill(source, { { R, M, G }, { M, B, M } });
    fill(dest, { { W, W, W, W }, { W, W, W, W }, { W, W, W, W } });
    setKey(source, M);

    ASSERT_EQ(dest->BltFast(1, 1, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(read(dest), (std::vector<std::vector<uint32_t>> { { W, W, W, W }, { W, R, W, G }, { W, W, B, W } }));

    RECT part { 1, 0, 3, 2 };
    ASSERT_EQ(dest->BltFast(0, 0, source, &part, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(read(dest), (std::vector<std::vector<uint32_t>> { { M, G, W, W }, { B, M, W, G }, { W, W, B, W } }));
}

TEST_F(Surfaces, BltFastClipsAtTheEdgesAndRefusesInvertedRectangles)
{
    IDirectDrawSurface7* source = make(2, 2);
    IDirectDrawSurface7* dest = make(3, 3);
    fill(source, { { R, G }, { B, W } });
    fill(dest, { { K, K, K }, { K, K, K }, { K, K, K } });
    ASSERT_EQ(dest->BltFast(2, 2, source, nullptr, 0), DD_OK);
    EXPECT_EQ(read(dest), (std::vector<std::vector<uint32_t>> { { K, K, K }, { K, K, K }, { K, K, R } }));

    RECT inverted { 2, 0, 1, 2 };
    EXPECT_EQ(dest->BltFast(0, 0, source, &inverted, 0), DDERR_INVALIDRECT);
}

TEST_F(Surfaces, KeyedBlitOnSixteenBitSurfaceComparesThePixelValue)
{
    IDirectDrawSurface7* source = make(2, 1, 16, 0xF800);
    IDirectDrawSurface7* dest = make(2, 1);
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(source->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    uint16_t pixels[2] = { 0xF81F, 0x07E0 }; // magenta, green in 565
    std::memcpy(desc.lpSurface, pixels, sizeof pixels);
    source->Unlock(nullptr);
    fill(dest, { { W, W } });
    setKey(source, 0xF81F);
    ASSERT_EQ(dest->BltFast(0, 0, source, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(read(dest), (std::vector<std::vector<uint32_t>> { { W, G } }));
}

TEST_F(Surfaces, LockReportsPitchMasksAndTheRectanglesAddress)
{
    struct Case {
        int bits;
        DWORD red, green;
        LONG pitch;
    };
    for (Case c : { Case { 32, 0xFF0000, 0x00FF00, 20 }, Case { 16, 0xF800, 0x07E0, 12 }, Case { 16, 0x7C00, 0x03E0, 12 } }) {
        IDirectDrawSurface7* s = make(5, 4, c.bits, c.red);
        DDSURFACEDESC2 whole {}, part {};
        whole.dwSize = part.dwSize = sizeof(DDSURFACEDESC2);
        ASSERT_EQ(s->Lock(nullptr, &whole, 0, nullptr), DD_OK);
        RECT rect { 2, 1, 4, 3 };
        ASSERT_EQ(s->Lock(&rect, &part, 0, nullptr), DD_OK);
        EXPECT_EQ(whole.lPitch, c.pitch) << c.bits;
        EXPECT_EQ(whole.ddpfPixelFormat.dwRGBBitCount, DWORD(c.bits));
        EXPECT_EQ(whole.ddpfPixelFormat.dwRBitMask, c.red);
        EXPECT_EQ(whole.ddpfPixelFormat.dwGBitMask, c.green);
        EXPECT_EQ(whole.ddpfPixelFormat.dwBBitMask, 0x1Fu | (c.bits == 32 ? 0xE0u : 0u));
        EXPECT_EQ(static_cast<uint8_t*>(part.lpSurface) - static_cast<uint8_t*>(whole.lpSurface),
            c.pitch + 2 * c.bits / 8);
        EXPECT_EQ(s->Unlock(nullptr), DD_OK);
        EXPECT_EQ(s->Unlock(nullptr), DD_OK);
        EXPECT_EQ(s->Unlock(nullptr), DDERR_NOTLOCKED);
        RECT outside { 3, 0, 6, 1 };
        EXPECT_EQ(s->Lock(&outside, &whole, 0, nullptr), DDERR_INVALIDRECT);
    }
}

TEST_F(Surfaces, DrawingThroughGetDCReachesThePixelsAndMakesTheSurfaceBusy)
{
    IDirectDrawSurface7* s = make(4, 4, 16, 0xF800);
    IDirectDrawSurface7* other = make(4, 4);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    RECT rect { 1, 1, 3, 3 };
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);

    HDC second = nullptr;
    EXPECT_EQ(s->GetDC(&second), DDERR_DCALREADYCREATED);
    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(other->BltFast(0, 0, s, nullptr, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(s->ReleaseDC(nullptr), DDERR_NODC);
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);

    ASSERT_EQ(other->BltFast(0, 0, s, nullptr, 0), DD_OK);
    std::vector<std::vector<uint32_t>> pixels = read(other);
    EXPECT_EQ(pixels[0][0], K);
    EXPECT_EQ(pixels[1][1], R);
    EXPECT_EQ(pixels[2][2], R);
    EXPECT_EQ(pixels[3][3], K);
}

TEST_F(Surfaces, BltStretchesAndFillsWithThePixelValueOfTheSurface)
{
    IDirectDrawSurface7* source = make(2, 1);
    IDirectDrawSurface7* dest = make(4, 2, 16, 0xF800);
    fill(source, { { R, B } });
    ASSERT_EQ(dest->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    DDBLTFX fx {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0x07E0;
    RECT corner { 3, 1, 4, 2 };
    ASSERT_EQ(dest->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);

    IDirectDrawSurface7* check = make(4, 2);
    ASSERT_EQ(check->BltFast(0, 0, dest, nullptr, 0), DD_OK);
    EXPECT_EQ(read(check), (std::vector<std::vector<uint32_t>> { { R, R, B, B }, { R, R, B, G } }));
}

TEST(DirectDrawCreation, FollowsInitialisationAndCooperationRules)
{
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    IDirectDraw7* dd = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DirectDraw, nullptr, 7, IID_IDirectDraw7, reinterpret_cast<void**>(&dd)), S_OK);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DDERR_NOTINITIALIZED);
    EXPECT_EQ(dd->Initialize(DDCREATE_EMULATIONONLY), DD_OK);
    EXPECT_EQ(dd->Initialize(nullptr), DDERR_ALREADYINITIALIZED);

    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_UNSUPPORTED);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    ASSERT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    EXPECT_EQ(surface->IsLost(), DD_OK);
    EXPECT_EQ(surface->Restore(), DD_OK);
    surface->Release();

    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    desc.dwWidth = desc.dwHeight = 8;
    desc.ddpfPixelFormat = { sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 16, 0xF000, 0x0F00, 0x00F0, 0 };
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPIXELFORMAT);
    desc.dwFlags &= ~DWORD(DDSD_PIXELFORMAT);
    desc.dwWidth = 0;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DDERR_INVALIDPARAMS);

    DDSURFACEDESC2 mode {};
    mode.dwSize = sizeof mode;
    ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
    SIZE screen = platform::gdi::screenSize();
    EXPECT_EQ(mode.dwWidth, DWORD(screen.cx));
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 32u);
    dd->Release();

    void* other = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &other, IID_IDirectDrawSurface7, nullptr), DDERR_INVALIDPARAMS);
    CoUninitialize();
}

// A window whose class paints nothing, so blits to it stay until the test reads them.
HWND makeTarget(int x, int y, int w, int h)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "DirectDrawTarget";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "DirectDrawTarget", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
        nullptr, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    platform::harness::waitIdle();
    return window;
}

TEST_F(Surfaces, BltToThePrimaryStretchesIntoTheClipperWindowOnly)
{
    HWND window = makeTarget(200, 150, 40, 20);
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    RECT all { 0, 0, 40, 20 };
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    ReleaseDC(window, dc);

    DDSURFACEDESC2 desc {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(m_dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    m_made.push_back(primary);
    IDirectDrawSurface7* back = make(2, 2);
    fill(back, { { R, G }, { B, M } });
    EXPECT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAIT, nullptr), DDERR_NOCLIPPERATTACHED);

    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(m_dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    clipper->Release(); // the primary keeps it

    // Spills past the window's right edge: only the client area is drawn.
    RECT dest { 210, 150, 250, 170 };
    ASSERT_EQ(primary->Blt(&dest, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    platform::harness::Image screen = platform::harness::readRect(RECT { 200, 150, 260, 170 });
    ASSERT_EQ(screen.width, 60);
    EXPECT_EQ(screen.at(5, 5), W);
    EXPECT_EQ(screen.at(10, 0), R);
    EXPECT_EQ(screen.at(29, 9), R);
    EXPECT_EQ(screen.at(30, 0), G);
    EXPECT_EQ(screen.at(39, 19), M);
    EXPECT_EQ(screen.at(12, 19), B);
    EXPECT_NE(screen.at(45, 5), G); // beyond the window

    setKey(back, M);
    fill(back, { { M, M }, { M, K } });
    ASSERT_EQ(primary->Blt(&dest, back, nullptr, DDBLT_KEYSRC, nullptr), DD_OK);
    screen = platform::harness::readRect(RECT { 200, 150, 260, 170 });
    EXPECT_EQ(screen.at(10, 0), R);
    EXPECT_EQ(screen.at(39, 19), K);
    DestroyWindow(window);
}

} // namespace
