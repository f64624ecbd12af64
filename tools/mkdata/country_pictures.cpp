// "tkbmp" pictures of the countries' windows: the country boards "jinei.bmp" (normal mode),
// "jineis.bmp" (simple mode) and "ejinei.bmp" (the end-of-game summary), the change-player picture
// "changeplayer.bmp" and the battle results sheet "senka.bmp". The row titles and figures are
// drawn by the windows; the colour row and the results' labels are part of the pictures.
#include "infowin/country_board_layout.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"
#include "state/name_tables.h"

#include <vector>

namespace mkdata::country {
namespace {

namespace board = country_board;
using buttons::Align;
using buttons::drawLabel;

Rgb gameColour(int country)
{
    const uint32_t ref = playerColourRef(country);
    return { uint8_t(ref & 0xFF), uint8_t(ref >> 8 & 0xFF), uint8_t(ref >> 16 & 0xFF) };
}

struct BoardInks {
    uint8_t back, titles, titleRule, cell, cellRule, name, frame;
};

BoardInks boardInks(Palette& palette)
{
    return { palette.index({ 22, 28, 38 }), palette.index({ 206, 210, 198 }), palette.index({ 150, 154, 142 }),
        palette.index({ 38, 46, 62 }), palette.index({ 70, 82, 104 }), palette.index({ 250, 250, 250 }),
        palette.index({ 120, 132, 156 }) };
}

// One block of the board: the title column with a rule per row, the value cells of four columns,
// and the colour band of each column with its colour's name.
void drawBlock(Canvas& canvas, Palette& palette, const BoardInks& ink, int top, int firstCountry, const std::vector<int>& rows)
{
    canvas.fillRect(0, top, board::kTitleRight + 2, top + 21 * int(rows.size()) + 4, ink.titles);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        const int titleTop = top + board::kRows[i].titleTop;
        canvas.line(2, titleTop + board::kLineHeight + 3, board::kTitleRight, titleTop + board::kLineHeight + 3, ink.titleRule);
        for (int column = 0; column < 4; ++column) {
            const int x = board::columnX(column);
            if (row == board::kColour) {
                const uint8_t colour = palette.index(gameColour(firstCountry + column));
                canvas.fillRect(x, top + board::kColourTop, x + board::kCellWidth, top + board::kColourBottom, colour);
                canvas.frameRect(x, top + board::kColourTop, x + board::kCellWidth, top + board::kColourBottom, ink.frame);
                drawLabel(canvas, x, top + board::kColourTop, x + board::kCellWidth, top + board::kColourBottom,
                    playerColourName(firstCountry + column), ink.name, 12, true);
                continue;
            }
            const int valueTop = top + board::kRows[i].valueTop;
            canvas.fillRect(x, valueTop - 2, x + board::kCellWidth, valueTop + board::kLineHeight + 2, ink.cell);
            canvas.frameRect(x, valueTop - 2, x + board::kCellWidth, valueTop + board::kLineHeight + 2, ink.cellRule);
        }
    }
}

// The rows a board shows, in their places from the top of a block.
std::vector<int> rowsOf(int last, bool ending)
{
    std::vector<int> rows;
    for (int row = 0; row <= last; ++row)
        if (!ending || (row != board::kAnthem && row != board::kPact))
            rows.push_back(row);
    return rows;
}

void writeBoard(const std::filesystem::path& folder, const char* name, int height, int lowerTop, const std::vector<int>& rows)
{
    Palette palette;
    const BoardInks ink = boardInks(palette);
    Canvas canvas(board::kBoardWidth, height, ink.back);
    drawBlock(canvas, palette, ink, 0, 0, rows);
    drawBlock(canvas, palette, ink, lowerTop, 4, rows);
    canvas.line(0, lowerTop - 2, board::kBoardWidth - 1, lowerTop - 2, ink.frame);
    writeFile(folder / "tkbmp" / name, encodeBmp8(canvas, palette));
}

void writeChangePlayer(const std::filesystem::path& folder)
{
    Palette palette;
    const BoardInks ink = boardInks(palette);
    Canvas canvas(board::kBoardWidth, board::kChangePictureHeight, ink.back);
    const std::vector<int> rows { board::kColour, board::kName, board::kPlayer };
    for (int block = 0; block < 2; ++block)
        drawBlock(canvas, palette, ink, board::kChangeBlockPitch * block, 4 * block, rows);
    canvas.line(0, 2 * board::kChangeBlockPitch - 1, board::kBoardWidth - 1, 2 * board::kChangeBlockPitch - 1, ink.frame);
    writeFile(folder / "tkbmp" / "changeplayer.bmp", encodeBmp8(canvas, palette));
}

// The battle results sheet: four groups of three figures under their headings, the figures' wells
// at x 131..207.
void writeResultsSheet(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t paper = palette.index({ 214, 210, 194 });
    const uint8_t band = palette.index({ 70, 84, 64 });
    const uint8_t bandInk = palette.index({ 240, 240, 228 });
    const uint8_t ink = palette.index({ 30, 30, 26 });
    const uint8_t well = palette.index({ 238, 236, 226 });
    const uint8_t rule = palette.index({ 150, 146, 128 });
    Canvas canvas(216, 376, paper);
    canvas.frameRect(0, 0, 216, 376, rule);
    const char* const headings[4] = { "ターン", "軍資金", "戦力（機数）", "拠点" };
    const char* const labels[12] = { "規定ターン数", "現在ターン", "残りターン数", "総資金", "使用資金", "残り資金",
        "初期戦力", "損失戦力", "残存戦力", "総拠点数", "他陣営の拠点", "自陣営の拠点" };
    for (int g = 0; g < 4; ++g) {
        const int top = 6 + 92 * g;
        canvas.fillRect(4, top, 212, top + 20, band);
        drawLabel(canvas, 10, top + 2, 208, top + 18, headings[g], bandInk, 14, true, Align::Left);
        for (int r = 0; r < 3; ++r) {
            const int y = 32 + 92 * g + 20 * r;
            drawLabel(canvas, 10, y, 128, y + 16, labels[3 * g + r], ink, 12, false, Align::Left);
            canvas.fillRect(131, y - 1, 207, y + 17, well);
            canvas.frameRect(131, y - 1, 207, y + 17, rule);
        }
    }
    writeFile(folder / "tkbmp" / "senka.bmp", encodeBmp8(canvas, palette));
}

void writeCountryPictures(const std::filesystem::path& folder)
{
    writeBoard(folder, "jinei.bmp", board::kBoardHeight, board::kLowerBlockTop, rowsOf(board::kPact, false));
    writeBoard(folder, "jineis.bmp", board::kBoardHeightSimple, board::kLowerBlockTopSimple, rowsOf(board::kAlliance, false));
    writeBoard(folder, "ejinei.bmp", board::kEndingBoardHeight, board::kLowerBlockTopEnding, rowsOf(board::kAlliance, true));
    writeChangePlayer(folder);
    writeResultsSheet(folder);
}

} // namespace

MKDATA_GENERATOR("country_pictures", writeCountryPictures);

} // namespace mkdata::country
