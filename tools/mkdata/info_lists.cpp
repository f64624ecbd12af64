// "tkbmp" sheets of the terrain windows: the terrain list's column sheet "list_land.bmp" (titles
// above, row backgrounds below) and the legends of the terrain tables "list_move.bmp",
// "list_avoid.bmp" and "list_carry.bmp", whose row labels are part of the pictures.
#include "infowin/land_list_items.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

#include <string>
#include <vector>

namespace mkdata::info {
namespace {

using buttons::Align;
using buttons::drawLabel;

// Roughly how wide a label is at a font height: full-width characters square, ASCII half.
int labelWidth(const std::string& utf8, int height)
{
    int width = 0;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const bool ascii = lead < 0x80;
        i += ascii ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += ascii ? height / 2 : height;
    }
    return width;
}

int characterCount(const std::string& utf8)
{
    int n = 0;
    for (size_t i = 0; i < utf8.size(); ++n) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        i += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    return n;
}

// The byte length of the first n characters.
size_t firstCharacters(const std::string& utf8, int n)
{
    size_t i = 0;
    for (int k = 0; k < n && i < utf8.size(); ++k) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        i += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    return i;
}

// The largest of 12, 11 and 10 pixels at which the label fits the width.
int fittingHeight(const std::string& utf8, int width)
{
    for (int height : { 12, 11, 10 })
        if (labelWidth(utf8, height) <= width)
            return height;
    return 9;
}

void writeLandListSheet(const std::filesystem::path& folder)
{
    using namespace land_list;
    Palette palette;
    const uint8_t title = palette.index({ 64, 80, 104 });
    const uint8_t titleEdge = palette.index({ 120, 138, 164 });
    const uint8_t ink = palette.index({ 240, 242, 236 });
    const uint8_t paper = palette.index({ 236, 232, 214 });
    const uint8_t namePaper = palette.index({ 222, 228, 236 });
    const uint8_t rule = palette.index({ 176, 172, 156 });
    const uint8_t closing = palette.index({ 40, 44, 52 });
    Canvas canvas(kSheetWidth, kSheetHeight, paper);
    auto cell = [&](int left, int width, const std::string& label, uint8_t background) {
        canvas.fillRect(left, 0, left + width, kTitleHeight, title);
        canvas.line(left, 0, left + width - 1, 0, titleEdge);
        canvas.line(left, 0, left, kTitleHeight - 1, titleEdge);
        // A label too long for one line even at 10 pixels keeps the characters that fit at 12: two
        // lines in the 20-pixel strip would be too small to read ("道路施設" becomes "道路"; the
        // display-item window names it in full).
        std::string shown = label;
        if (fittingHeight(label, width - 2) < 10)
            while (fittingHeight(shown, width - 2) < 12 && characterCount(shown) > 1)
                shown = shown.substr(0, firstCharacters(shown, characterCount(shown) - 1));
        drawLabel(canvas, left, 2, left + width, kTitleHeight - 2, shown, ink, fittingHeight(shown, width - 2));
        canvas.fillRect(left, kTitleHeight, left + width, kSheetHeight, background);
        // Each column closes with a rule at its left; the closing column draws the last one.
        canvas.line(left, kTitleHeight, left, kSheetHeight - 1, rule);
        canvas.line(left, kSheetHeight - 1, left + width - 1, kSheetHeight - 1, rule);
    };
    cell(0, kNameWidth, "地形名", namePaper);
    for (int i = 0; i < kItemCount; ++i)
        cell(sheetX(i), item(i).width, item(i).label, paper);
    canvas.line(sheetX(kItemCount), 0, sheetX(kItemCount), kSheetHeight - 1, closing);
    writeFile(folder / "tkbmp" / "list_land.bmp", encodeBmp8(canvas, palette));
}

// A table's legend (64 wide) and its column background (20 wide) side by side. Rows of entries
// start at firstRow, 20 pixels apart; the column above them holds the name and the icon.
void writeTableSheet(const std::filesystem::path& folder, const char* file, int height, int firstRow,
    const std::vector<std::string>& labels, Rgb accent)
{
    constexpr int kLegend = 64;
    constexpr int kColumn = 20;
    Palette palette;
    const uint8_t back = palette.index({ 232, 230, 220 });
    const uint8_t head = palette.index(accent);
    const uint8_t ink = palette.index({ 20, 20, 24 });
    const uint8_t light = palette.index({ 244, 244, 238 });
    const uint8_t stripe = palette.index({ 222, 226, 232 });
    const uint8_t rule = palette.index({ 168, 166, 154 });
    const uint8_t well = palette.index({ 208, 204, 190 });
    const uint8_t white = palette.index({ 255, 255, 255 });
    Canvas canvas(kLegend + kColumn, height, back);
    // The legend: what the column above the entries holds, then one label per row.
    canvas.fillRect(0, 0, kLegend, firstRow - 2, head);
    drawLabel(canvas, 0, 20, kLegend, 36, "地形名", white, 12);
    drawLabel(canvas, 0, 74, kLegend, 94, "アイコン", white, 11);
    for (size_t r = 0; r < labels.size(); ++r) {
        const int top = firstRow + 20 * int(r) - 4;
        canvas.fillRect(0, top, kLegend, top + 20, r % 2 ? stripe : light);
        drawLabel(canvas, 2, top + 2, kLegend - 2, top + 18, labels[r], ink, fittingHeight(labels[r], kLegend - 4), false,
            Align::Left);
    }
    canvas.line(kLegend - 1, 0, kLegend - 1, height - 1, rule);
    // The column: a well for the name and the icon, then the rows' stripes.
    canvas.fillRect(kLegend, 0, kLegend + kColumn, firstRow - 2, well);
    for (size_t r = 0; r < labels.size(); ++r) {
        const int top = firstRow + 20 * int(r) - 4;
        canvas.fillRect(kLegend, top, kLegend + kColumn, top + 20, r % 2 ? stripe : light);
    }
    canvas.line(kLegend + kColumn - 1, 0, kLegend + kColumn - 1, height - 1, rule);
    writeFile(folder / "tkbmp" / file, encodeBmp8(canvas, palette));
}

// The 26 movement types as the tables label them.
const std::vector<std::string>& movementLabels()
{
    static const std::vector<std::string> labels = {
        "超高空", "高空", "低空", "ｷｬﾀﾋﾟﾗA", "ｷｬﾀﾋﾟﾗB", "ｷｬﾀﾋﾟﾗC", "ｷｬﾀﾋﾟﾗD", "ｷｬﾀﾋﾟﾗE", "ｷｬﾀﾋﾟﾗF",
        "車両A", "車両B", "車両C", "車両D", "車両E", "歩兵A", "歩兵B", "歩兵C", "海上A", "海上B",
        "海上C", "海中A", "海中B", "ホバーA", "ホバーB", "特殊A", "特殊B",
    };
    return labels;
}

// The eleven transport kinds: who takes units aboard or launches them where the code allows.
const std::vector<std::string>& transportLabels()
{
    static const std::vector<std::string> labels = {
        "輸送機", "VTOL機", "輸送ヘリ", "大型ヘリ", "揚陸艦", "輸送艦", "ﾎﾊﾞｰｸﾗﾌﾄ", "空母", "ヘリ空母", "輸送車両", "補給艦",
    };
    return labels;
}

void writeInfoLists(const std::filesystem::path& folder)
{
    writeLandListSheet(folder);
    writeTableSheet(folder, "list_move.bmp", 616, 100, movementLabels(), { 56, 92, 64 });
    writeTableSheet(folder, "list_avoid.bmp", 616, 100, movementLabels(), { 112, 72, 48 });
    writeTableSheet(folder, "list_carry.bmp", 316, 98, transportLabels(), { 60, 76, 120 });
}

} // namespace

MKDATA_GENERATOR("info_lists", writeInfoLists);

} // namespace mkdata::info
