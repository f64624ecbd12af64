// The library's drawing helpers at screen size: filling, blitting (plain and transparent) a
// 1280 x 960 32-bit bitmap, and drawing 1,000 short Japanese strings.
#include "lib/media/dc_holders.h"
#include "platform/kernel/host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;

struct Screen {
    MemoryDcHolder holder { nullptr };
    GdiObjectHolder bitmap { CreateBitmap(kWidth, kHeight, 1, 32, nullptr) };
    HGDIOBJ old = SelectObject(holder.dc(), bitmap.get());
    ~Screen() { SelectObject(holder.dc(), old); }
};

void HelperFillScreen(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state)
        screen.holder.fillRectColor(0, 0, kWidth - 1, kHeight - 1, RGB(10, 20, 30));
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(HelperFillScreen);

void HelperBlitScreen(benchmark::State& state)
{
    Screen screen;
    GdiObjectHolder picture(CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
    const RECT all { 0, 0, kWidth, kHeight };
    for (auto _ : state)
        screen.holder.blitBitmap(0, 0, static_cast<HBITMAP>(picture.get()), all);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(HelperBlitScreen);

void HelperBlitScreenTransparent(benchmark::State& state)
{
    Screen screen;
    GdiObjectHolder picture(CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
    const RECT all { 0, 0, kWidth, kHeight };
    for (auto _ : state)
        screen.holder.blitTransparent(0, 0, static_cast<HBITMAP>(picture.get()), all, kPictureKey);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(HelperBlitScreenTransparent);

void HelperDrawJapaneseStrings(benchmark::State& state)
{
    Screen screen;
    GdiObjectHolder font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, ""));
    const std::string text = platform::utf8ToCp932("歩兵第3連隊 移動");
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            screen.holder.drawTextColor((i * 37) % (kWidth - 100), (i * 13) % (kHeight - 16), text.c_str(),
                RGB(255, 255, 255), static_cast<HFONT>(font.get()));
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(HelperDrawJapaneseStrings);

} // namespace
