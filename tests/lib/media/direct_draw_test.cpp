// swCDirectDraw on both paths: surfaces by id, keyed pictures presented into the window, the
// blend of two pictures, busy and failing calls, and restoring picture surfaces.
#include "lib/error.h"
#include "lib/handle_window.h"
#include "lib/media/direct_draw.h"
#include "platform/gdi/dc_view.h"
#include "platform/media/objbase.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

constexpr uint32_t M = 0xFF00FF, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;
constexpr COLORREF kMagenta = 0x02FF00FF;

// A 24-bit bottom-up BMP file of the rows (XRGB).
void writeBmp(const std::string& path, const Rows& rows)
{
    int height = int(rows.size()), width = int(rows[0].size());
    int stride = (width * 3 + 3) / 4 * 4;
    std::vector<uint8_t> file(54 + size_t(stride) * size_t(height), 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    file[26] = 1, file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &file[54 + size_t(height - 1 - y) * size_t(stride) + size_t(x) * 3];
            p[0] = uint8_t(rows[y][x]), p[1] = uint8_t(rows[y][x] >> 8), p[2] = uint8_t(rows[y][x] >> 16);
        }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

HWND makeTarget(int x, int y, int w, int h)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "DirectDrawOwner";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "DirectDrawOwner", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
        nullptr, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return window;
}

void fillDC(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

enum class Path { DirectDraw, Gdi };

const char* pathName(Path path) { return path == Path::Gdi ? "Gdi" : "DirectDraw"; }
void PrintTo(Path path, std::ostream* out) { *out << pathName(path); }

// A manager on a 16 x 8 window at (300, 200), on the path the parameter names.
class Manager : public ::testing::TestWithParam<Path> {
protected:
    void SetUp() override
    {
        if (GetParam() == Path::Gdi)
            platform::com::setCreationFailure(CLSID_DirectDraw, E_FAIL);
        m_window = makeTarget(300, 200, 16, 8);
        m_owner = std::make_unique<swCHandleWindow>(m_window);
        m_dd = std::make_unique<swCDirectDraw>(m_owner.get(), false);
        m_dd->ddrawAttachWindow(m_owner.get(), 0, 16, 8, -1, -1);
        ASSERT_EQ(m_dd->usesDirectDraw(), GetParam() == Path::DirectDraw);
    }
    void TearDown() override
    {
        m_dd.reset();
        platform::com::setCreationFailure(CLSID_DirectDraw, S_OK);
        m_owner.reset();
        DestroyWindow(m_window);
    }

    void paintBack(const RECT& rect, COLORREF colour)
    {
        HDC dc = m_dd->ddrawGetMemDC(0);
        ASSERT_NE(dc, nullptr);
        fillDC(dc, rect, colour);
        m_dd->ddrawReleaseMemDC(0, dc);
    }
    platform::gdi::Image windowPixels()
    {
        HDC dc = GetDC(m_window);
        platform::gdi::Image image = platform::gdi::readPixels(dc);
        ReleaseDC(m_window, dc);
        return image;
    }

    testing_lib::TempProgramFolder m_folder { "ddraw" };
    HWND m_window = nullptr;
    std::unique_ptr<swCHandleWindow> m_owner;
    std::unique_ptr<swCDirectDraw> m_dd;
};

TEST_P(Manager, KeyedPictureIsPresentedWithoutItsMagentaPixels)
{
    writeBmp(m_folder.host("face.bmp"), { { M, R, M }, { G, M, B } });
    m_dd->ddrawLoadSurface(3, "face.bmp", kMagenta);
    paintBack(RECT { 0, 0, 16, 8 }, RGB(255, 255, 255));
    ASSERT_EQ(m_dd->ddrawBlit(0, POINT { 2, 1 }, 3, RECT { 0, 0, 3, 2 }, DDBLTFAST_SRCCOLORKEY), 0);
    ASSERT_EQ(m_dd->ddrawBlit(0, POINT { 10, 4 }, 3, RECT { 0, 0, 3, 2 }, DDBLTFAST_NOCOLORKEY), 0);
    ASSERT_EQ(m_dd->ddrawPresent(), 0);

    platform::gdi::Image image = windowPixels();
    ASSERT_EQ(image.width, 16);
    EXPECT_EQ(image.at(2, 1), W);
    EXPECT_EQ(image.at(3, 1), R);
    EXPECT_EQ(image.at(4, 1), W);
    EXPECT_EQ(image.at(2, 2), G);
    EXPECT_EQ(image.at(3, 2), W);
    EXPECT_EQ(image.at(4, 2), B);
    EXPECT_EQ(image.at(10, 4), M); // unkeyed: magenta stays
    EXPECT_EQ(image.at(11, 5), M);
}

TEST_P(Manager, PictureCopiedBetweenSurfacesAndGrabbedFromTheBackBuffer)
{
    writeBmp(m_folder.host("a.bmp"), { { R, G }, { B, W } });
    writeBmp(m_folder.host("canvas.bmp"), { { K, K, K }, { K, K, K } });
    m_dd->ddrawAddSurface(1, "a.bmp");
    m_dd->ddrawAddSurface(2, "canvas.bmp");
    ASSERT_EQ(m_dd->ddrawBlitSurfaceWrap(2, 1, 0, 1, 0, 0, 2, 2, 0), 0);
    ASSERT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 2, RECT { 0, 0, 3, 2 }, 0), 0);
    paintBack(RECT { 5, 5, 7, 7 }, RGB(0, 0, 255));
    ASSERT_EQ(m_dd->ddrawGrabToSurface(0, POINT { 0, 0 }, 2, RECT { 5, 5, 6, 6 }, 0), 0);
    ASSERT_EQ(m_dd->ddrawBlit(0, POINT { 8, 0 }, 2, RECT { 0, 0, 3, 2 }, 0), 0);
    m_dd->ddrawPresent();

    platform::gdi::Image image = windowPixels();
    EXPECT_EQ(image.at(0, 0), K);
    EXPECT_EQ(image.at(1, 0), R);
    EXPECT_EQ(image.at(2, 1), W);
    EXPECT_EQ(image.at(8, 0), B); // grabbed from the back buffer
    EXPECT_EQ(image.at(9, 0), R);
}

TEST_P(Manager, UnknownIdsDoNothingAndFreedIdsGiveWayToTheNextRecord)
{
    m_dd->ddrawCreateSurface(5, 4, 4);
    m_dd->ddrawCreateSurface(6, 2, 2);
    m_dd->ddrawCreateSurface(5, 8, 8);
    EXPECT_EQ(m_dd->ddrawFindSurface(5), 0);
    EXPECT_EQ(m_dd->ddrawFindSurface(6), 1);
    m_dd->ddrawFreeSurface(5);
    ASSERT_EQ(m_dd->ddrawFindSurface(5), 1);
    EXPECT_EQ(m_dd->surfaceAt(1)->width, 8);
    EXPECT_EQ(m_dd->ddrawFindSurface(6), 0);
    m_dd->ddrawFreeSurface(5);
    EXPECT_EQ(m_dd->ddrawFindSurface(5), -1);
    m_dd->ddrawFreeSurface(42);
    EXPECT_EQ(m_dd->surfaceCount(), 1);
    EXPECT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 42, RECT { 0, 0, 1, 1 }, 0), -1);
    EXPECT_EQ(m_dd->ddrawBlitSurface(6, POINT { 0, 0 }, 42, RECT { 0, 0, 1, 1 }, 0), -1);
    EXPECT_EQ(m_dd->ddrawSurfaceGetDC(42), nullptr);
}

TEST_P(Manager, PresentFollowsTheMovedOriginAndStretchesToTheSetSize)
{
    paintBack(RECT { 0, 0, 8, 8 }, RGB(255, 0, 0));
    paintBack(RECT { 8, 0, 16, 8 }, RGB(0, 255, 0));
    DirectDrawDisplay* display = m_dd->firstDisplaySlot();
    ASSERT_NE(display, nullptr);
    RECT start = display->dest;
    m_dd->ddrawMoveOrigin(start.left + 4, start.top);
    m_dd->ddrawSetDisplaySize(8, 8);
    ASSERT_EQ(m_dd->ddrawPresent(), 0);
    platform::gdi::Image image = windowPixels();
    EXPECT_EQ(image.at(4, 0), R);
    EXPECT_EQ(image.at(7, 7), R);
    EXPECT_EQ(image.at(8, 3), G);
    EXPECT_EQ(image.at(11, 7), G);

    m_dd->ddrawMoveOrigin(start.left, start.top);
    m_dd->ddrawSetDisplaySize(16, 8);
    ASSERT_EQ(m_dd->ddrawPresentRect(0, RECT { 8, 0, 16, 8 }), 0);
    image = windowPixels();
    EXPECT_EQ(image.at(0, 0), G);
    EXPECT_EQ(image.at(15, 7), G);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, Manager, ::testing::Values(Path::DirectDraw, Path::Gdi),
    [](const ::testing::TestParamInfo<Path>& info) { return pathName(info.param); });

class GdiManager : public Manager { };

TEST_P(GdiManager, PictureWithoutKeyLeavesOutBlackWhenAKeyedBlitIsAsked)
{
    writeBmp(m_folder.host("dark.bmp"), { { K, R } });
    m_dd->ddrawAddSurface(1, "dark.bmp");
    paintBack(RECT { 0, 0, 16, 8 }, RGB(255, 255, 255));
    m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 2, 1 }, 1);
    m_dd->ddrawPresent();
    platform::gdi::Image image = windowPixels();
    EXPECT_EQ(image.at(0, 0), W);
    EXPECT_EQ(image.at(1, 0), R);
}

TEST_P(GdiManager, SurfacesMadeEmptyTakeNoDrawing)
{
    m_dd->ddrawCreateKeyedSurface(1, 4, 4, kMagenta);
    writeBmp(m_folder.host("a.bmp"), { { R } });
    m_dd->ddrawAddSurface(2, "a.bmp");
    EXPECT_EQ(m_dd->ddrawBlitSurface(1, POINT { 0, 0 }, 2, RECT { 0, 0, 1, 1 }, 0), 0);
    EXPECT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 4, 4 }, 0), 0);
    EXPECT_EQ(m_dd->ddrawSurfaceGetDC(1), nullptr);
    DDSURFACEDESC2 desc;
    EXPECT_EQ(m_dd->ddrawDisplayLock(nullptr, desc), E_FAIL);
}

INSTANTIATE_TEST_SUITE_P(GdiOnly, GdiManager, ::testing::Values(Path::Gdi),
    [](const ::testing::TestParamInfo<Path>& info) { return pathName(info.param); });

class DirectDrawManager : public Manager {
protected:
    // Fills a surface (id -1: the back buffer) with one colour through a lock.
    void fillSurface(int id, uint32_t xrgb)
    {
        DDSURFACEDESC2 desc;
        HRESULT locked = id == -1 ? m_dd->ddrawDisplayLock(nullptr, desc)
                                  : m_dd->ddrawSurfaceLock(*m_dd->surfaceAt(m_dd->ddrawFindSurface(id)), nullptr, desc);
        ASSERT_EQ(locked, DD_OK);
        for (DWORD y = 0; y < desc.dwHeight; ++y)
            for (DWORD x = 0; x < desc.dwWidth; ++x)
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(desc.lpSurface) + y * DWORD(desc.lPitch))[x] = xrgb;
        id == -1 ? m_dd->ddrawDisplayUnlock() : m_dd->ddrawSurfaceUnlock(*m_dd->surfaceAt(m_dd->ddrawFindSurface(id)));
    }
    uint32_t pixel(int id, int x, int y)
    {
        DDSURFACEDESC2 desc;
        SurfaceRecord* record = id == -1 ? nullptr : m_dd->surfaceAt(m_dd->ddrawFindSurface(id));
        RECT one { x, y, x + 1, y + 1 };
        HRESULT locked = record ? m_dd->ddrawSurfaceLock(*record, &one, desc) : m_dd->ddrawDisplayLock(&one, desc);
        EXPECT_EQ(locked, DD_OK);
        uint32_t value = *static_cast<uint32_t*>(desc.lpSurface);
        record ? m_dd->ddrawSurfaceUnlock(*record) : m_dd->ddrawDisplayUnlock();
        return value;
    }
};

TEST_P(DirectDrawManager, BackBufferTakesTheDisplaySizeWhenAskedWithMinusOne)
{
    DDSURFACEDESC2 desc;
    ASSERT_EQ(m_dd->ddrawDisplayLock(nullptr, desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, 16u);
    EXPECT_EQ(desc.dwHeight, 8u);
    EXPECT_EQ(desc.lPitch, 64);
    EXPECT_EQ(desc.ddpfPixelFormat.dwRBitMask, 0xFF0000u);
    m_dd->ddrawDisplayUnlock();
    SIZE size {};
    m_dd->ddrawDisplaySize(0, size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 8);
}

TEST_P(DirectDrawManager, ComposeBlendsPerChannelRoundingDownAtEveryLevel)
{
    for (int id : { 1, 2, 3 })
        m_dd->ddrawCreateSurface(id, 4, 8);
    const uint32_t a = 0xC96432; // 201, 100, 50
    const uint32_t b = 0x283CFA; // 40, 60, 250
    fillSurface(1, a);
    fillSurface(2, b);
    const RECT all { 0, 0, 4, 8 };
    struct Level {
        int weight;
        uint32_t expected;
    };
    // weight 5: red (201*11 + 40*5) / 16 = 150, green (1100 + 300) / 16 = 87, blue (550 + 1250) / 16 = 112.
    for (Level level : { Level { 0, a }, Level { 16, b }, Level { 8, 0x785096u }, Level { 5, 0x965770u } }) {
        fillSurface(3, 0x123456);
        m_dd->ddrawCompose(3, all, 1, all, 2, all, level.weight, false);
        EXPECT_EQ(pixel(3, 0, 0), level.expected) << level.weight;
        EXPECT_EQ(pixel(3, 3, 7), level.expected) << level.weight;
    }
}

TEST_P(DirectDrawManager, ComposeWithRowFlagReplacesOneRowInFourUnlessTheWeightIsFull)
{
    for (int id : { 1, 2 })
        m_dd->ddrawCreateSurface(id, 16, 8);
    fillSurface(1, 0x000000);
    fillSurface(2, 0xFFFFFF);
    fillSurface(-1, 0x0000FF);
    const RECT all { 0, 0, 16, 8 };
    m_dd->ddrawCompose(-1, all, 1, all, 2, all, 8, true);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(pixel(-1, 5, row), (8 + row) % 4 == 0 ? 0x7F7F7Fu : 0x0000FFu) << row;
    m_dd->ddrawCompose(-1, all, 1, all, 2, all, 16, true);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(pixel(-1, 5, row), 0xFFFFFFu) << row;
}

TEST_P(DirectDrawManager, ComposeStaysInsideTheSmallestRectangleAndUnlocksOnFailure)
{
    m_dd->ddrawCreateSurface(1, 2, 2);
    m_dd->ddrawCreateSurface(2, 4, 4);
    fillSurface(1, 0xFFFFFF);
    fillSurface(2, 0xFFFFFF);
    fillSurface(-1, 0x000000);
    m_dd->ddrawCompose(-1, RECT { 0, 0, 4, 4 }, 1, RECT { 0, 0, 2, 2 }, 2, RECT { 0, 0, 4, 4 }, 16, false);
    EXPECT_EQ(pixel(-1, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(pixel(-1, 2, 1), 0u);
    EXPECT_EQ(pixel(-1, 1, 2), 0u);

    // B's rectangle lies outside its surface: nothing is blended and nothing stays locked.
    fillSurface(-1, 0x000000);
    m_dd->ddrawCompose(-1, RECT { 0, 0, 2, 2 }, 2, RECT { 0, 0, 2, 2 }, 1, RECT { 1, 1, 3, 3 }, 16, false);
    EXPECT_EQ(pixel(-1, 0, 0), 0u);
    for (int id : { 1, 2 }) {
        HDC dc = m_dd->ddrawSurfaceGetDC(id);
        EXPECT_NE(dc, nullptr) << id;
        m_dd->ddrawSurfaceReleaseDC(id, dc);
    }
    HDC back = m_dd->ddrawGetMemDC(0);
    EXPECT_NE(back, nullptr);
    m_dd->ddrawReleaseMemDC(0, back);
}

TEST_P(DirectDrawManager, BlitFromABusySurfaceIsDroppedQuietly)
{
    writeBmp(m_folder.host("a.bmp"), { { R } });
    m_dd->ddrawAddSurface(1, "a.bmp");
    fillSurface(-1, 0x00FF00);
    HDC dc = m_dd->ddrawSurfaceGetDC(1);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 1, 1 }, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(pixel(-1, 0, 0), 0x00FF00u);
    m_dd->ddrawSurfaceReleaseDC(1, dc);
    EXPECT_EQ(m_dd->ddrawBlit(0, POINT { 0, 0 }, 1, RECT { 0, 0, 1, 1 }, 0), 0);
    EXPECT_EQ(pixel(-1, 0, 0), 0xFF0000u);
}

TEST_P(DirectDrawManager, RestoreReloadsPicturesFromFilesAndKeepsEmptySurfaces)
{
    writeBmp(m_folder.host("a.bmp"), { { R, G } });
    m_dd->ddrawLoadSurface(1, "a.bmp", kMagenta);
    m_dd->ddrawCreateSurface(2, 2, 1);
    fillSurface(1, 0x0000FF);
    fillSurface(2, 0x0000FF);
    m_dd->surfaceRestore(*m_dd->surfaceAt(0));
    EXPECT_NO_THROW(m_dd->surfaceRestore(*m_dd->surfaceAt(1)));
    EXPECT_EQ(pixel(1, 0, 0), 0xFF0000u);
    EXPECT_EQ(pixel(1, 1, 0), 0x00FF00u);
    EXPECT_EQ(pixel(2, 0, 0), 0x0000FFu);
}

// Any error thrown is reported with its code, so a failing expectation names it.
int codeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (swCError* error) {
        int code = error->code();
        delete error;
        return code;
    }
    return -1;
}

TEST_P(DirectDrawManager, FailuresCarryTheirCodes)
{
    EXPECT_EQ(codeOf([&] { m_dd->ddrawCreateSurface(1, 100000, 4); }), 3);
    m_dd->ddrawCreateSurface(2, 4, 4);
    HDC dc = m_dd->ddrawSurfaceGetDC(2);
    EXPECT_EQ(codeOf([&] { m_dd->ddrawSurfaceGetDC(2); }), 7);
    m_dd->ddrawSurfaceReleaseDC(2, dc);

    HWND gone = makeTarget(0, 0, 4, 4);
    swCHandleWindow stale(gone);
    DestroyWindow(gone);
    EXPECT_EQ(codeOf([&] { swCDirectDraw refused(&stale, false); }), 0);
}

TEST_P(DirectDrawManager, AttachFallsBackToGdiWhenTheBackBufferCannotBeMade)
{
    writeBmp(m_folder.host("a.bmp"), { { R } });
    swCDirectDraw other(m_owner.get(), true);
    ASSERT_TRUE(other.usesDirectDraw());
    other.ddrawAttachWindow(m_owner.get(), 0, 16, 8, 100000, -1);
    EXPECT_FALSE(other.usesDirectDraw());
    other.ddrawAddSurface(1, "a.bmp");
    EXPECT_EQ(other.ddrawBlit(0, POINT { 3, 3 }, 1, RECT { 0, 0, 1, 1 }, 0), 0);
    other.ddrawPresent();
    EXPECT_EQ(windowPixels().at(3, 3), R);
}

INSTANTIATE_TEST_SUITE_P(DirectDrawOnly, DirectDrawManager, ::testing::Values(Path::DirectDraw),
    [](const ::testing::TestParamInfo<Path>& info) { return pathName(info.param); });

} // namespace
