// GDI hot paths: filling and blitting a screen-sized bitmap, and drawing short Japanese strings.
#include "platform/gdi/wingdi.h"
#include "platform/kernel/host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;

struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

void FillScreenBitmap(benchmark::State& state)
{
    Canvas canvas;
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    RECT all { 0, 0, kWidth, kHeight };
    for (auto _ : state)
        FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(FillScreenBitmap);

void BlitScreenBitmap(benchmark::State& state)
{
    Canvas source, dest;
    DWORD rop = DWORD(state.range(0));
    for (auto _ : state)
        BitBlt(dest.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, rop);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BlitScreenBitmap)->Arg(SRCCOPY)->Arg(SRCINVERT);

void StretchScreenBitmap(benchmark::State& state)
{
    Canvas source, dest;
    for (auto _ : state)
        StretchBlt(dest.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(StretchScreenBitmap);

void DrawJapaneseStrings(benchmark::State& state)
{
    Canvas canvas;
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    const std::string text = platform::utf8ToCp932("歩兵第3連隊 移動");
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            TextOutA(canvas.dc, (i * 37) % (kWidth - 100), (i * 13) % (kHeight - 16), text.data(), int(text.size()));
    SelectObject(canvas.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(DrawJapaneseStrings);

} // namespace
