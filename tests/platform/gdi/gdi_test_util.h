// Small helpers for the GDI tests: memory DCs with bitmaps that clean up after themselves.
#pragma once

#include "platform/gdi/wingdi.h"

#include <gtest/gtest.h>

#include <vector>

// A memory DC holding a new 32-bit bitmap (or any bitmap given), filled white.
class TestCanvas {
public:
    TestCanvas(int width, int height)
        : TestCanvas(CreateBitmap(width, height, 1, 32, nullptr))
    {
        RECT all { 0, 0, width, height };
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    explicit TestCanvas(HBITMAP owned)
        : dc(CreateCompatibleDC(nullptr))
        , bitmap(owned)
    {
        old = SelectObject(dc, bitmap);
    }
    ~TestCanvas()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    void set(int x, int y, COLORREF c) { SetPixelV(dc, x, y, c); }
    // One row as a string of characters: '#' for `ink`, '.' for anything else.
    std::string row(int y, int x0, int x1, COLORREF ink) const
    {
        std::string s;
        for (int x = x0; x < x1; ++x)
            s += at(x, y) == ink ? '#' : '.';
        return s;
    }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};
