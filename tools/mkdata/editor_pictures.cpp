// "tkbmp" backgrounds of the editors' drawn windows: "slot_rule.bmp", the rule list;
// "slot_type.bmp", the production-type list; "edit_bg.bmp", the production-type editor.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

#include <algorithm>

namespace mkdata::editors {
namespace {

using buttons::Align;
using buttons::drawLabel;

// The colours every editor window shares; the rows stay dark under the lists' white text.
struct Inks {
    uint8_t back, light, shade, title, rowA, rowB, rule, label;
};

Inks makeInks(Palette& palette)
{
    return { palette.index({ 30, 36, 44 }), palette.index({ 120, 134, 150 }), palette.index({ 12, 14, 18 }),
        palette.index({ 236, 226, 190 }), palette.index({ 44, 54, 68 }), palette.index({ 38, 46, 58 }),
        palette.index({ 62, 74, 90 }), palette.index({ 200, 206, 214 }) };
}

// A raised frame round the window.
void frameWindow(Canvas& canvas, const Inks& ink)
{
    const int w = canvas.width();
    const int h = canvas.height();
    canvas.line(0, 0, w - 1, 0, ink.light);
    canvas.line(0, 0, 0, h - 1, ink.light);
    canvas.line(0, h - 1, w - 1, h - 1, ink.shade);
    canvas.line(w - 1, 0, w - 1, h - 1, ink.shade);
}

// A sunken rim just outside the rectangle.
void sink(Canvas& canvas, const Inks& ink, int left, int top, int right, int bottom)
{
    canvas.line(left - 1, top - 1, right, top - 1, ink.shade);
    canvas.line(left - 1, top - 1, left - 1, bottom, ink.shade);
    canvas.line(left - 1, bottom, right, bottom, ink.light);
    canvas.line(right, top - 1, right, bottom, ink.light);
}

// Rows of `height` alternating in shade from `top` down to `bottom`.
void stripeRows(Canvas& canvas, const Inks& ink, int left, int top, int right, int bottom, int height)
{
    for (int y = top, r = 0; y < bottom; y += height, ++r)
        canvas.fillRect(left, y, right, std::min(bottom, y + height), r % 2 ? ink.rowB : ink.rowA);
}

void writeRuleList(const std::filesystem::path& folder)
{
    // 20 rows of 232 x 20 at (8, 36 + 20 r), the buttons below them at y 448.
    constexpr int kRowLeft = 8, kRowTop = 36, kRowWidth = 232, kRowHeight = 20, kRows = 20;
    Palette palette;
    const Inks ink = makeInks(palette);
    Canvas canvas(248, 480, ink.back);
    frameWindow(canvas, ink);
    drawLabel(canvas, 8, 6, canvas.width() - 8, 30, "ルール作成", ink.title, 16, true);
    canvas.line(8, 31, canvas.width() - 9, 31, ink.light);
    // Thin rules part the name, the date and the time.
    const int bottom = kRowTop + kRowHeight * kRows;
    stripeRows(canvas, ink, kRowLeft, kRowTop, kRowLeft + kRowWidth, bottom, kRowHeight);
    for (int top = kRowTop; top < bottom; top += kRowHeight)
        for (int x : { 88, 164 })
            canvas.line(kRowLeft + x, top + 3, kRowLeft + x, top + kRowHeight - 4, ink.rule);
    sink(canvas, ink, kRowLeft, kRowTop, kRowLeft + kRowWidth, bottom);
    writeFile(folder / "tkbmp" / "slot_rule.bmp", encodeBmp8(canvas, palette));
}

// The production-type list: every unselected row copies the strip at the list's origin (8, 36),
// 468 x 20; the list fills (8, 36)-(492, 436) and its buttons stand at y 448.
void writeProductList(const std::filesystem::path& folder)
{
    constexpr int kLeft = 8, kTop = 36, kRowWidth = 468, kRowHeight = 20, kListRight = 492, kListBottom = 436;
    // Where each column's figures stand within a row, as the list draws them.
    struct Column {
        const char* title;
        int left, right;
    };
    const Column columns[] = { { "名称", 8, 92 }, { "合計", 117, 153 }, { "超高空", 161, 199 }, { "高空", 201, 239 },
        { "低空", 241, 279 }, { "地上", 281, 319 }, { "海上", 321, 359 }, { "海中", 361, 399 }, { "コスト", 408, 456 } };
    Palette palette;
    const Inks ink = makeInks(palette);
    Canvas canvas(500, 480, ink.back);
    frameWindow(canvas, ink);
    drawLabel(canvas, 8, 2, 200, 18, "生産タイプ", ink.title, 14, true, Align::Left);
    for (const Column& c : columns)
        drawLabel(canvas, kLeft + c.left, 20, kLeft + c.right, 34, c.title, ink.label, 12, false,
            c.right - c.left > 60 ? Align::Left : Align::Centre);
    canvas.fillRect(kLeft, kTop, kListRight, kListBottom, ink.rowB);
    canvas.fillRect(kLeft, kTop, kLeft + kRowWidth, kTop + kRowHeight, ink.rowA);
    canvas.line(kLeft, kTop + kRowHeight - 1, kLeft + kRowWidth - 1, kTop + kRowHeight - 1, ink.rule);
    for (int x : { 110, 160, 402 })
        canvas.line(kLeft + x, kTop + 3, kLeft + x, kTop + kRowHeight - 4, ink.rule);
    sink(canvas, ink, kLeft, kTop, kListRight, kListBottom);
    canvas.line(8, 442, canvas.width() - 9, 442, ink.light);
    writeFile(folder / "tkbmp" / "slot_type.bmp", encodeBmp8(canvas, palette));
}

// The production-type editor: the name and class filter at the top left, the totals panel at
// (388, 38)-(772, 74) with its headings, the two lists below their sort buttons (left x 8-400,
// right x 438-772, y 140-500) and the buttons along y 506.
void writeProductEditor(const std::filesystem::path& folder)
{
    constexpr int kListTop = 140, kListBottom = 500, kRowHeight = 18;
    Palette palette;
    const Inks ink = makeInks(palette);
    const uint8_t panel = palette.index({ 20, 26, 34 });
    Canvas canvas(784, 544, ink.back);
    frameWindow(canvas, ink);
    drawLabel(canvas, 8, 14, 108, 32, "生産タイプ名", ink.label, 12, false, Align::Left);
    canvas.fillRect(112, 15, 224, 33, ink.shade);
    drawLabel(canvas, 8, 40, 108, 58, "兵器タイプ", ink.label, 12, false, Align::Left);
    drawLabel(canvas, 300, 2, 480, 18, "生産タイプ編集", ink.title, 14, true, Align::Left);
    // The totals: one column of 56 per figure, ending at 436 + 56 k; counts above, costs below.
    const char* const headings[] = { "合計", "超高空", "高空", "低空", "地上", "海上", "海中" };
    for (int k = 0; k < 7; ++k) {
        const int right = 436 + 56 * k;
        drawLabel(canvas, right - 52, 22, right, 36, headings[k], ink.label, 12, false, Align::Right);
    }
    canvas.fillRect(388, 38, 772, 74, panel);
    canvas.line(388, 56, 771, 56, ink.rule);
    drawLabel(canvas, 330, 38, 384, 52, "種類", ink.label, 12, false, Align::Right);
    drawLabel(canvas, 330, 60, 384, 74, "コスト", ink.label, 12, false, Align::Right);
    sink(canvas, ink, 388, 38, 772, 74);
    drawLabel(canvas, 8, 100, 370, 118, "追加できる兵器", ink.label, 12, false, Align::Left);
    drawLabel(canvas, 438, 100, 772, 118, "生産タイプの兵器", ink.label, 12, false, Align::Left);
    stripeRows(canvas, ink, 8, kListTop, 400, kListBottom, kRowHeight);
    stripeRows(canvas, ink, 438, kListTop, 772, kListBottom, kRowHeight);
    sink(canvas, ink, 8, kListTop, 400, kListBottom);
    sink(canvas, ink, 438, kListTop, 772, kListBottom);
    writeFile(folder / "tkbmp" / "edit_bg.bmp", encodeBmp8(canvas, palette));
}

void writeEditorPictures(const std::filesystem::path& folder)
{
    writeRuleList(folder);
    writeProductList(folder);
    writeProductEditor(folder);
}

} // namespace

MKDATA_GENERATOR("editor_pictures", writeEditorPictures);

} // namespace mkdata::editors
