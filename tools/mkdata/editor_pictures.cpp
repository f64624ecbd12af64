// "tkbmp" backgrounds of the editors' drawn windows: "slot_rule.bmp", the rule list.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

namespace mkdata::editors {
namespace {

// The rule list's window: 20 rows of 232 x 20 at (8, 36 + 20 r), its buttons below them at y 448.
constexpr int kWidth = 248;
constexpr int kHeight = 480;
constexpr int kRowLeft = 8;
constexpr int kRowTop = 36;
constexpr int kRowWidth = 232;
constexpr int kRowHeight = 20;
constexpr int kRows = 20;

void writeRuleList(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t back = palette.index({ 30, 36, 44 });
    const uint8_t light = palette.index({ 120, 134, 150 });
    const uint8_t shade = palette.index({ 12, 14, 18 });
    const uint8_t title = palette.index({ 236, 226, 190 });
    const uint8_t rowA = palette.index({ 44, 54, 68 });
    const uint8_t rowB = palette.index({ 38, 46, 58 });
    const uint8_t rule = palette.index({ 62, 74, 90 });
    Canvas canvas(kWidth, kHeight, back);
    // A raised frame round the window, and the title in the band above the rows.
    canvas.line(0, 0, kWidth - 1, 0, light);
    canvas.line(0, 0, 0, kHeight - 1, light);
    canvas.line(0, kHeight - 1, kWidth - 1, kHeight - 1, shade);
    canvas.line(kWidth - 1, 0, kWidth - 1, kHeight - 1, shade);
    buttons::drawLabel(canvas, 8, 6, kWidth - 8, 30, "ルール作成", title, 16, true);
    canvas.line(8, 31, kWidth - 9, 31, light);
    // The rows alternate in shade; thin rules part the name, the date and the time.
    for (int r = 0; r < kRows; ++r) {
        const int top = kRowTop + kRowHeight * r;
        canvas.fillRect(kRowLeft, top, kRowLeft + kRowWidth, top + kRowHeight, r % 2 ? rowB : rowA);
        for (int x : { 88, 164 })
            canvas.line(kRowLeft + x, top + 3, kRowLeft + x, top + kRowHeight - 4, rule);
    }
    const int bottom = kRowTop + kRowHeight * kRows;
    canvas.line(kRowLeft - 1, kRowTop - 1, kRowLeft + kRowWidth, kRowTop - 1, shade);
    canvas.line(kRowLeft - 1, kRowTop - 1, kRowLeft - 1, bottom, shade);
    canvas.line(kRowLeft - 1, bottom, kRowLeft + kRowWidth, bottom, light);
    canvas.line(kRowLeft + kRowWidth, kRowTop - 1, kRowLeft + kRowWidth, bottom, light);
    writeFile(folder / "tkbmp" / "slot_rule.bmp", encodeBmp8(canvas, palette));
}

} // namespace

MKDATA_GENERATOR("editor_pictures", writeRuleList);

} // namespace mkdata::editors
