// swCDirectDraw's handling of DirectDraw results (lost, still drawing, busy, failing), driven by
// a DirectDraw class whose surfaces answer from a script before passing calls on to real ones.
#include "lib/error.h"
#include "lib/handle_window.h"
#include "lib/media/direct_draw.h"
#include "platform/media/com_object.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>

namespace {

struct Script {
    std::deque<HRESULT> bltFast, restore, getDC;
    int restores = 0;
};
Script g_script;

HRESULT scripted(std::deque<HRESULT>& queue, const std::function<HRESULT()>& real)
{
    if (queue.empty())
        return real();
    HRESULT result = queue.front();
    queue.pop_front();
    return result == DD_OK ? real() : result;
}

class ScriptedSurface final : public platform::com::RefCounted<IDirectDrawSurface7> {
public:
    explicit ScriptedSurface(IDirectDrawSurface7* real) : m_real(real) { }
    static IDirectDrawSurface7* real(IDirectDrawSurface7* s) { return s ? static_cast<ScriptedSurface*>(s)->m_real : nullptr; }

    HRESULT QueryInterface(REFIID iid, void** object) override { return answer(iid, IID_IDirectDrawSurface7, object); }
    HRESULT Blt(LPRECT d, IDirectDrawSurface7* s, LPRECT r, DWORD f, LPDDBLTFX fx) override { return m_real->Blt(d, real(s), r, f, fx); }
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface7* s, LPRECT r, DWORD f) override
    {
        return scripted(g_script.bltFast, [&] { return m_real->BltFast(x, y, real(s), r, f); });
    }
    HRESULT GetDC(HDC* dc) override { return scripted(g_script.getDC, [&] { return m_real->GetDC(dc); }); }
    HRESULT ReleaseDC(HDC dc) override { return m_real->ReleaseDC(dc); }
    HRESULT Lock(LPRECT r, LPDDSURFACEDESC2 d, DWORD f, HANDLE e) override { return m_real->Lock(r, d, f, e); }
    HRESULT Unlock(LPRECT r) override { return m_real->Unlock(r); }
    HRESULT SetColorKey(DWORD f, LPDDCOLORKEY k) override { return m_real->SetColorKey(f, k); }
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 d) override { return m_real->GetSurfaceDesc(d); }
    HRESULT GetPixelFormat(LPDDPIXELFORMAT f) override { return m_real->GetPixelFormat(f); }
    HRESULT SetClipper(LPDIRECTDRAWCLIPPER c) override { return m_real->SetClipper(c); }
    HRESULT IsLost() override { return m_real->IsLost(); }
    HRESULT Restore() override
    {
        ++g_script.restores;
        return scripted(g_script.restore, [&] { return m_real->Restore(); });
    }

private:
    ~ScriptedSurface() override { m_real->Release(); }
    IDirectDrawSurface7* m_real;
};

class ScriptedDirectDraw final : public platform::com::RefCounted<IDirectDraw7> {
public:
    ScriptedDirectDraw() { DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_real), IID_IDirectDraw7, nullptr); }
    HRESULT QueryInterface(REFIID iid, void** object) override { return answer(iid, IID_IDirectDraw7, object); }
    HRESULT CreateClipper(DWORD f, LPDIRECTDRAWCLIPPER* c, LPUNKNOWN o) override { return m_real->CreateClipper(f, c, o); }
    HRESULT CreateSurface(LPDDSURFACEDESC2 d, LPDIRECTDRAWSURFACE7* s, LPUNKNOWN o) override
    {
        HRESULT result = m_real->CreateSurface(d, s, o);
        if (SUCCEEDED(result))
            *s = new ScriptedSurface(*s);
        return result;
    }
    HRESULT GetDisplayMode(LPDDSURFACEDESC2 d) override { return m_real->GetDisplayMode(d); }
    HRESULT Initialize(GUID*) override { return DD_OK; }
    HRESULT RestoreAllSurfaces() override { return m_real->RestoreAllSurfaces(); }
    HRESULT SetCooperativeLevel(HWND w, DWORD f) override { return m_real->SetCooperativeLevel(w, f); }

private:
    ~ScriptedDirectDraw() override { m_real->Release(); }
    IDirectDraw7* m_real = nullptr;
};

class Results : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_script = {};
        CoInitialize(nullptr); // registers the real class first, so ours replaces it
        platform::com::registerClass(CLSID_DirectDraw, [](REFIID iid, void** object) {
            auto* made = new ScriptedDirectDraw;
            HRESULT result = made->QueryInterface(iid, object);
            made->Release();
            return result;
        });
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "DirectDrawResultsOwner";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, "DirectDrawResultsOwner", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
        m_owner = std::make_unique<swCHandleWindow>(m_window);
        m_dd = std::make_unique<swCDirectDraw>(m_owner.get(), false);
        m_dd->ddrawAttachWindow(m_owner.get(), 0, 8, 8, -1, -1);
        ASSERT_TRUE(m_dd->usesDirectDraw());
        // A one-pixel red picture, made grey through a lock so that a reload shows.
        const uint8_t bmp[58] = { 'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
            1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0 };
        std::FILE* out = std::fopen(m_folder.host("red.bmp").c_str(), "wb");
        std::fwrite(bmp, 1, sizeof bmp, out);
        std::fclose(out);
        m_dd->ddrawAddSurface(1, "red.bmp");
        setPixel(1, 0x808080);
        g_script.restores = 0;
    }
    void TearDown() override
    {
        m_dd.reset();
        platform::media::registerDirectDrawClass();
        CoUninitialize();
        m_owner.reset();
        DestroyWindow(m_window);
    }

    void setPixel(int id, uint32_t value)
    {
        DDSURFACEDESC2 desc;
        SurfaceRecord* record = m_dd->surfaceAt(m_dd->ddrawFindSurface(id));
        ASSERT_EQ(record ? m_dd->ddrawSurfaceLock(*record, nullptr, desc) : m_dd->ddrawDisplayLock(nullptr, desc), DD_OK);
        *static_cast<uint32_t*>(desc.lpSurface) = value;
        record ? m_dd->ddrawSurfaceUnlock(*record) : m_dd->ddrawDisplayUnlock();
    }
    uint32_t backPixel()
    {
        DDSURFACEDESC2 desc;
        EXPECT_EQ(m_dd->ddrawDisplayLock(nullptr, desc), DD_OK);
        uint32_t value = *static_cast<uint32_t*>(desc.lpSurface) & 0xFFFFFF;
        m_dd->ddrawDisplayUnlock();
        return value;
    }
    int blitCode()
    {
        try {
            m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 1, 1 }, 0);
        } catch (swCError* error) {
            int code = error->code();
            delete error;
            return code;
        }
        return -1;
    }

    testing_lib::TempProgramFolder m_folder { "ddraw-results" };
    HWND m_window = nullptr;
    std::unique_ptr<swCHandleWindow> m_owner;
    std::unique_ptr<swCDirectDraw> m_dd;
};

TEST_F(Results, LostSurfacesAreRestoredThePictureReloadedAndTheBlitRetried)
{
    g_script.bltFast = { DDERR_SURFACELOST, DDERR_WASSTILLDRAWING };
    EXPECT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 1, 1 }, 0), 0);
    EXPECT_EQ(backPixel(), 0xFF0000u); // the file's red, not the grey drawn over it
    EXPECT_GE(g_script.restores, 3);   // primary, back buffer and the picture
}

TEST_F(Results, EachFailureThrowsTheCodeOfWhereItHappened)
{
    g_script.bltFast = { E_FAIL };
    EXPECT_EQ(blitCode(), 7);
    g_script.bltFast = { DDERR_SURFACELOST };
    g_script.restore = { DDERR_WASSTILLDRAWING, E_FAIL };
    EXPECT_EQ(blitCode(), 8);
    g_script.bltFast = { DDERR_SURFACELOST };
    g_script.restore = { DD_OK, DD_OK, E_FAIL };
    EXPECT_EQ(blitCode(), 9);
}

TEST_F(Results, OnlyTheBackBufferDCToleratesCantCreateDC)
{
    g_script.getDC = { DDERR_CANTCREATEDC };
    EXPECT_EQ(m_dd->ddrawGetMemDC(0), nullptr);
    g_script.getDC = { DDERR_CANTCREATEDC };
    try {
        m_dd->ddrawSurfaceGetDC(1);
        ADD_FAILURE() << "no error thrown";
    } catch (swCError* error) {
        EXPECT_EQ(error->code(), 7);
        delete error;
    }
}

} // namespace
