// "tkbmp\testcard.bmp": a small test card for checking how pictures load, blit, tint and mirror.
// Colour bars and a grey ramp to recolour, an arrow pointing right to show mirroring, and
// magenta wherever the card is transparent.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"

namespace mkdata::pictures {
namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 64;

void writeTestCard(const std::filesystem::path& programFolder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    Canvas card(kWidth, kHeight, clear);

    const Rgb bars[] = { { 255, 0, 0 }, { 255, 255, 0 }, { 0, 255, 0 }, { 0, 255, 255 }, { 0, 0, 255 }, { 255, 255, 255 } };
    for (int i = 0; i < 6; ++i)
        card.fillRect(1 + 8 * i, 1, 9 + 8 * i, 25, palette.index(bars[i]));
    card.frameRect(0, 0, 50, 26, palette.index({ 64, 64, 64 }));

    for (int i = 0; i < 8; ++i) {
        const uint8_t level = uint8_t(i * 255 / 7);
        card.fillRect(12 * i, 52, 12 * i + 12, 64, palette.index({ level, level, level }));
    }

    const uint8_t navy = palette.index({ 0, 0, 128 });
    card.fillPolygon({ { 54, 10 }, { 76, 10 }, { 76, 2 }, { 94, 18 }, { 76, 34 }, { 76, 26 }, { 54, 26 } }, navy);
    card.fillCircle(63, 18, 4, palette.index({ 255, 200, 0 }));

    const uint8_t green = palette.index({ 0, 128, 0 });
    card.line(2, 30, 46, 48, green);
    card.line(2, 48, 46, 30, green);
    card.fillRect(54, 38, 94, 48, palette.index({ 160, 80, 32 }));
    card.fillRect(60, 41, 88, 45, clear);

    writeFile(programFolder / "tkbmp" / "testcard.bmp", encodeBmp8(card, palette));
}

} // namespace

MKDATA_GENERATOR("pictures_test_card", writeTestCard);

} // namespace mkdata::pictures
