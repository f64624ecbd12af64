// Fitting a sheet's colours into one 8-bit palette: every colour asked for while learning gets
// an entry close to it, magenta stays exact and greys stay grey for the colour filter.
#include "tools/mkdata/map_sheet_inks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using mkdata::Rgb;
using mkdata::sheet::InkTable;

namespace {

bool isGrey(Rgb c) { return c.r == c.g && c.g == c.b; }

int distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

TEST(InkTable, KeepsEveryColourWhenThePaletteHasRoom)
{
    InkTable inks;
    const Rgb colours[] = { mkdata::kMagenta, { 10, 20, 30 }, { 10, 20, 31 }, { 128, 128, 128 } };
    for (Rgb c : colours)
        EXPECT_EQ(inks.index(c), 0);
    inks.settle();
    ASSERT_EQ(inks.palette().colours().size(), 4u);
    for (Rgb c : colours)
        EXPECT_EQ(inks.palette().colours()[inks.index(c)], c);
}

TEST(InkTable, MergesTheClosestColoursKeepingMagentaExactAndGreysGrey)
{
    InkTable inks;
    std::vector<Rgb> asked { mkdata::kMagenta };
    for (int i = 0; i < 200; ++i)
        asked.push_back({ uint8_t(i), uint8_t(255 - i), uint8_t((i * 7) % 256) });
    // Near-greys beside real greys: merging them would let the filter tint the greys.
    for (int v = 0; v < 256; v += 4) {
        asked.push_back({ uint8_t(v), uint8_t(v), uint8_t(v) });
        asked.push_back({ uint8_t(v), uint8_t(v), uint8_t(v ^ 1) });
    }
    asked.push_back({ 255, 0, 254 });
    for (Rgb c : asked)
        inks.index(c);
    inks.settle();
    const auto& palette = inks.palette().colours();
    EXPECT_LE(palette.size(), 256u);
    EXPECT_EQ(palette[inks.index(mkdata::kMagenta)], mkdata::kMagenta);
    EXPECT_NE(inks.index(Rgb { 255, 0, 254 }), inks.index(mkdata::kMagenta));
    for (Rgb c : asked) {
        const Rgb got = palette[inks.index(c)];
        EXPECT_EQ(isGrey(got), isGrey(c));
        EXPECT_LE(distance(got, c), 24);
    }
}

TEST(InkTable, RefusesAColourItNeverLearned)
{
    InkTable inks;
    inks.index({ 1, 2, 3 });
    inks.settle();
    EXPECT_THROW(inks.index({ 3, 2, 1 }), std::runtime_error);
}

} // namespace
