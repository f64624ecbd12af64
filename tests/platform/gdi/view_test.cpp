// View DCs into a shared surface, drawing from several threads, and pixel read-back.
#include "gdi_test_util.h"

#include "platform/gdi/dc_view.h"

#include <thread>

using platform::Region;
using platform::Surface;
namespace gdi = platform::gdi;

TEST(ViewDC, DrawsAtItsOriginInsideItsClip)
{
    auto surface = std::make_shared<Surface>(20, 20);
    HWND window = reinterpret_cast<HWND>(0x1234);
    HDC dc = gdi::createViewDC(surface, { 5, 5 }, Region(RECT { 5, 5, 15, 12 }), window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(gdi::windowOfDC(dc), window);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_DC));
    RECT all { -100, -100, 100, 100 };
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(surface->row(5)[5], 0xFFFFFFu);
    EXPECT_EQ(surface->row(11)[14], 0xFFFFFFu);
    EXPECT_EQ(surface->row(12)[14], 0u);
    EXPECT_EQ(surface->row(5)[15], 0u);
    EXPECT_EQ(surface->row(4)[5], 0u);
    SetPixelV(dc, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(surface->row(5)[5], 0xFF0000u) << "device (0, 0) is the origin";
    RECT box {};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 7);

    // Moving the view keeps the DC's own state.
    SetTextColor(dc, RGB(1, 2, 3));
    ASSERT_TRUE(gdi::setViewDC(dc, { 0, 0 }, Region(RECT { 0, 0, 20, 20 })));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    SetPixelV(dc, 0, 0, RGB(0, 255, 0));
    EXPECT_EQ(surface->row(0)[0], 0x00FF00u);

    EXPECT_FALSE(DeleteDC(dc)) << "views are released by the window system";
    EXPECT_TRUE(gdi::releaseViewDC(dc));
    EXPECT_FALSE(gdi::releaseViewDC(dc));
    EXPECT_EQ(gdi::windowOfDC(dc), nullptr);
}

TEST(ViewDC, BlitsBetweenAViewAndAMemoryDC)
{
    auto surface = std::make_shared<Surface>(8, 8);
    HDC view = gdi::createViewDC(surface, { 2, 2 }, Region(RECT { 0, 0, 8, 8 }), nullptr);
    TestCanvas picture(2, 2);
    picture.set(1, 1, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(view, 0, 0, 2, 2, picture.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(surface->row(3)[3], 0x0000FFu);
    // Reading back from the view: its (1, 1) is the blue pixel.
    TestCanvas back(2, 2);
    ASSERT_TRUE(BitBlt(back.dc, 0, 0, 2, 2, view, 0, 0, SRCCOPY));
    EXPECT_EQ(back.at(1, 1), RGB(0, 0, 255));
    gdi::Image image = gdi::readPixels(view);
    EXPECT_EQ(image.width, 8);
    EXPECT_EQ(image.at(3, 3), 0x0000FFu);
    gdi::releaseViewDC(view);
}

TEST(ViewDC, ThreadsDrawingIntoOneSurfaceEachKeepTheirPart)
{
    auto surface = std::make_shared<Surface>(64, 32);
    auto work = [&](int left, COLORREF colour) {
        HDC dc = gdi::createViewDC(surface, { left, 0 }, Region(RECT { left, 0, left + 32, 32 }), nullptr);
        HBRUSH brush = CreateSolidBrush(colour);
        HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "");
        SelectObject(dc, font);
        RECT all { 0, 0, 64, 32 };
        SetBkMode(dc, TRANSPARENT);
        for (int i = 0; i < 200; ++i) {
            FillRect(dc, &all, brush);
            TextOutA(dc, 0, 0, "Ab", 2);
        }
        FillRect(dc, &all, brush);
        gdi::releaseViewDC(dc);
        DeleteObject(brush);
        DeleteObject(font);
    };
    std::thread a(work, 0, RGB(255, 0, 0));
    std::thread b(work, 32, RGB(0, 255, 0));
    a.join();
    b.join();
    for (int x : { 0, 31 })
        EXPECT_EQ(surface->row(20)[x], 0xFF0000u);
    for (int x : { 32, 63 })
        EXPECT_EQ(surface->row(20)[x], 0x00FF00u);
}

TEST(ViewDC, SurfaceResizeKeepsTheTopLeftAndViewsFollow)
{
    auto surface = std::make_shared<Surface>(4, 4);
    surface->row(1)[1] = 0x123456;
    surface->resize(6, 2);
    EXPECT_EQ(surface->width(), 6);
    EXPECT_EQ(surface->row(1)[1], 0x123456u);
    EXPECT_EQ(surface->row(1)[5], 0u);
    HDC view = gdi::createViewDC(surface, { 0, 0 }, Region(RECT { 0, 0, 100, 100 }), nullptr);
    EXPECT_EQ(GetPixel(view, 5, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(view, 1, 3), CLR_INVALID);
    gdi::releaseViewDC(view);
}
