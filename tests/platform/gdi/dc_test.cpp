// Device contexts: handles, stock objects, saved state, capabilities and clipping.
#include "gdi_test_util.h"

#include "platform/gdi/dc_view.h"

#include <cstring>
#include <vector>

TEST(GdiHandles, StaleAndWrongKindHandlesAreRefused)
{
    TestCanvas c(4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(c.dc, brush), nullptr);
    RECT r { 0, 0, 1, 1 };
    EXPECT_EQ(FillRect(c.dc, &r, brush), 0);
    EXPECT_EQ(GetObjectType(brush), 0u);
    // A bitmap handle is not a DC, and a DC is not a GDI object.
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(c.bitmap), 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(c.dc, c.dc), nullptr);
    HDC gone = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(gone));
    EXPECT_FALSE(DeleteDC(gone));
    EXPECT_EQ(SetTextColor(gone, 0), CLR_INVALID);
    EXPECT_EQ(GetObjectType(c.dc), DWORD(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(c.bitmap), DWORD(OBJ_BITMAP));
}

// Deleting a selected bitmap makes its handle stale at once; the DC keeps drawing into the
// bitmap until it is deselected, so nothing is freed under it.
TEST(GdiHandles, DeletingASelectedBitmapKeepsTheDCWorking)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    BITMAP info {};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(5, 6, 7)), RGB(5, 6, 7));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(5, 6, 7));
    EXPECT_NE(SelectObject(dc, old), nullptr);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiHandles, ABitmapIsSelectedIntoOneDCAtATime)
{
    TestCanvas first(2, 2);
    HDC second = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(second, first.bitmap), nullptr);
    DeleteDC(second);
}

TEST(StockObjects, AreUsableAndSurviveDeleteObject)
{
    TestCanvas c(2, 2);
    for (int i : { WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN,
             NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT, DEFAULT_PALETTE })
        EXPECT_NE(GetStockObject(i), nullptr) << i;
    HGDIOBJ gray = GetStockObject(GRAY_BRUSH);
    EXPECT_TRUE(DeleteObject(gray));
    RECT r { 0, 0, 1, 1 };
    EXPECT_TRUE(FillRect(c.dc, &r, static_cast<HBRUSH>(gray)));
    EXPECT_EQ(c.at(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), DWORD(OBJ_FONT));
    LOGBRUSH log {};
    EXPECT_EQ(GetObjectA(gray, sizeof log, &log), int(sizeof log));
    EXPECT_EQ(log.lbColor, RGB(128, 128, 128));
    // A fresh DC has the white brush, black pen and system font selected.
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
}

TEST(DeviceContext, SelectObjectReturnsThePreviousObjectOfEachKind)
{
    TestCanvas c(2, 2);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "");
    EXPECT_EQ(SelectObject(c.dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(c.dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(c.dc, GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(SelectObject(c.dc, GetStockObject(SYSTEM_FONT)), font);
    LOGPEN log {};
    ASSERT_EQ(GetObjectA(pen, sizeof log, &log), int(sizeof log));
    EXPECT_EQ(log.lopnWidth.x, 2);
    LOGFONTA lf {};
    ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    DeleteObject(pen);
    DeleteObject(font);
}

TEST(DeviceContext, SaveAndRestoreBringBackColoursOriginsAndClip)
{
    TestCanvas c(4, 4);
    SetTextColor(c.dc, RGB(1, 0, 0));
    int level = SaveDC(c.dc);
    EXPECT_EQ(level, 1);
    SetTextColor(c.dc, RGB(2, 0, 0));
    SetViewportOrgEx(c.dc, 2, 2, nullptr);
    IntersectClipRect(c.dc, 0, 0, 1, 1);
    SaveDC(c.dc);
    EXPECT_TRUE(RestoreDC(c.dc, -2));
    EXPECT_EQ(GetTextColor(c.dc), RGB(1, 0, 0));
    POINT origin {};
    GetViewportOrgEx(c.dc, &origin);
    EXPECT_EQ(origin.x, 0);
    RECT box {};
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 4);
    EXPECT_FALSE(RestoreDC(c.dc, 1)) << "nothing left to restore";
}

TEST(DeviceContext, CapabilitiesDescribeA32BitDisplayAt96Dpi)
{
    HDC screen = platform::gdi::createScreenDC();
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), platform::gdi::screenSize().cx);
    EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_BITBLT);
    // Without a surface the screen DC cannot be drawn on, and says so.
    EXPECT_EQ(SetPixel(screen, 0, 0, 0), CLR_INVALID);
    HDC memory = CreateCompatibleDC(screen);
    EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 1) << "the default bitmap is mono";
    DeleteDC(memory);
    LOGPALETTE palette { 0x300, 1, { { 1, 2, 3, 0 } } };
    HPALETTE handle = CreatePalette(&palette);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(SelectPalette(screen, handle, FALSE), nullptr);
    EXPECT_EQ(RealizePalette(screen), 0u);
    EXPECT_EQ(GetNearestColor(screen, RGB(7, 8, 9)), RGB(7, 8, 9));
    DeleteDC(screen);
    DeleteObject(handle);
}

TEST(Clipping, ExtCreateRegionShapesClipEveryDrawingCall)
{
    TestCanvas c(6, 3);
    struct {
        RGNDATAHEADER header;
        RECT rects[2];
    } data {};
    data.header = { sizeof(RGNDATAHEADER), RDH_RECTANGLES, 2, sizeof data.rects, { 0, 0, 6, 3 } };
    data.rects[0] = { 0, 0, 2, 3 };
    data.rects[1] = { 4, 1, 6, 2 };
    HRGN shape = ExtCreateRegion(nullptr, sizeof data, reinterpret_cast<RGNDATA*>(&data));
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, sizeof data - 1, reinterpret_cast<RGNDATA*>(&data)), nullptr);
    EXPECT_EQ(SelectClipRgn(c.dc, shape), COMPLEXREGION);
    PatBlt(c.dc, 0, 0, 6, 3, BLACKNESS);
    EXPECT_EQ(c.row(0, 0, 6, RGB(0, 0, 0)), "##....");
    EXPECT_EQ(c.row(1, 0, 6, RGB(0, 0, 0)), "##..##");
    EXPECT_EQ(c.row(2, 0, 6, RGB(0, 0, 0)), "##....");
    EXPECT_EQ(GetPixel(c.dc, 3, 1), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc, 3, 1, 0), CLR_INVALID);
    // The DC keeps its own copy: changing the region afterwards changes nothing.
    OffsetRgn(shape, 2, 0);
    SelectClipRgn(c.dc, nullptr);
    PatBlt(c.dc, 0, 0, 6, 3, WHITENESS);
    ExtSelectClipRgn(c.dc, shape, RGN_COPY);
    MoveToEx(c.dc, 0, 1, nullptr);
    LineTo(c.dc, 6, 1);
    EXPECT_EQ(c.row(1, 0, 6, RGB(0, 0, 0)), "..##..");
    DeleteObject(shape);
}

TEST(Clipping, ClipRectanglesAreDeviceCoordinatesWhileDrawingFollowsTheViewport)
{
    TestCanvas c(8, 1);
    SetViewportOrgEx(c.dc, 2, 0, nullptr);
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 4, 1), SIMPLEREGION); // device 2..5
    EXPECT_EQ(ExcludeClipRect(c.dc, 1, 0, 2, 1), COMPLEXREGION);  // device 3
    RECT box {};
    GetClipBox(c.dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 4);
    PatBlt(c.dc, -2, 0, 8, 1, BLACKNESS);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(c.row(0, 0, 8, RGB(0, 0, 0)), "..#.##..");
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.dc, copy), 1);
    EXPECT_TRUE(PtInRegion(copy, 2, 0));
    EXPECT_FALSE(PtInRegion(copy, 3, 0));
    DeleteObject(copy);
}

TEST(RegionHandles, CombineAndQueryThroughHandles)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    RECT box {};
    GetRgnBox(result, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(result, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, a));
    EXPECT_EQ(CombineRgn(result, a, b, 99), ERROR);
    CombineRgn(result, a, b, RGN_XOR);
    DWORD size = GetRegionData(result, 0, nullptr);
    std::vector<char> buffer(size);
    ASSERT_EQ(GetRegionData(result, size, reinterpret_cast<RGNDATA*>(buffer.data())), size);
    HRGN rebuilt = ExtCreateRegion(nullptr, size, reinterpret_cast<RGNDATA*>(buffer.data()));
    EXPECT_TRUE(EqualRgn(rebuilt, result));
    RECT probe { 12, 12, 13, 13 };
    EXPECT_TRUE(RectInRegion(rebuilt, &probe));
    probe = { 6, 6, 9, 9 };
    EXPECT_FALSE(RectInRegion(rebuilt, &probe));
    for (HRGN r : { a, b, result, rebuilt })
        DeleteObject(r);
}
