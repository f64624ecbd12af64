// The country board's contents and drawing: the row titles and every country's cells, shared by the
// country window and the end-of-game summary.
#include "infowin/country_board_layout.h"
#include "infowin/country_info_window.h"
#include "infowin/game_fonts.h"
#include "lib/error.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "ui/palette_colours.h"
#include "ui/presentation.h"
#include "ui/window_kit.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <string>

namespace board = country_board;

namespace {

constexpr int kMarkWidth = 18;
constexpr int kMarkHeight = 14;
// The blank a figure keeps from the rules at each side of its cell.
constexpr int kCellMargin = 3;

using ui::cp;

// Which rows a block shows, and the place each takes: the summary moves the alliance row up into
// the anthem row's place.
bool rowShown(int row, BoardKind kind, bool simple)
{
    if (kind == BoardKind::Ending)
        return row != board::kAnthem && row != board::kPact;
    return row != board::kPact || !simple;
}

int rowPlace(int row, BoardKind kind) { return kind == BoardKind::Ending && row == board::kAlliance ? board::kAnthem : row; }

template <typename... Args>
std::string format(const char* pattern, Args... values)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

// Out of play: gone, or beaten when its outcome says so; in play: beaten, standing or won.
BoardCell stateCell(const CountryRecord& country)
{
    const bool beaten = country.outcome > 100;
    const char* text = "勝　　利";
    if (country.inPlay != 1)
        text = beaten ? "敗　　北" : "滅　　亡";
    else if (beaten)
        text = "敗　　北";
    else if (country.outcome == 0 || country.outcome == 100)
        text = "健　　在";
    return { cp(text), country.inPlay != 1 || beaten };
}

std::string anthemName(const GameState& state, int code)
{
    const auto& names = code < tune::kMusicListBase ? state.anthemNames() : state.musicNames();
    const size_t entry = size_t(code < tune::kMusicListBase ? code : code - tune::kMusicListBase);
    return entry < names.size() ? names[entry] : std::string();
}

// In the text font, or in the small font where that would fill the cell to its edges: the
// seventeen characters of funds and their limit.
void drawCellText(HDC dc, const RECT& box, const BoardCell& cell, HFONT smallFont)
{
    if (cell.grey)
        SetTextColor(dc, kGrey);
    SIZE size {};
    GetTextExtentPoint32A(dc, cell.text.c_str(), int(cell.text.size()), &size);
    HGDIOBJ textFont = nullptr;
    if (size.cx > board::kCellWidth - 2 * kCellMargin)
        textFont = SelectObject(dc, smallFont);
    RECT r = box;
    DrawTextA(dc, cell.text.c_str(), int(cell.text.size()), &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (textFont)
        SelectObject(dc, textFont);
    SetTextColor(dc, kWhite);
}

// The marks side by side from the cell's left edge plus half the room the centred count leaves.
void drawMarks(HDC dc, const RECT& box, const swCBitmap& marks, const BoardMarks& shown)
{
    PaletteHolder holder(dc);
    int x = box.left + (board::kCellWidth - kMarkWidth * shown.centredOn) / 2;
    for (int k = 0; k < kCountryCount; ++k) {
        if (!(shown.countries & (1u << k)))
            continue;
        // The plain row of the strip: a box in the country's colour without a tick.
        holder.blitBitmap(x, box.top, marks.handle(), RECT { kMarkWidth * k, kMarkHeight, kMarkWidth * (k + 1), 2 * kMarkHeight });
        x += kMarkWidth;
    }
}

} // namespace

BoardCell countryBoardCell(GameState& state, int c, int row, BoardDisclosure disclosure)
{
    const CountryRecord& country = state.country(c);
    const bool hidden = disclosure == BoardDisclosure::ByRules && !ViewerView(state).knowsFigures(c);
    switch (row) {
    case board::kName:
        return { std::string(country.name, strnlen(country.name, sizeof country.name)) };
    case board::kPlayer:
        return { cp(country.controller == 1 ? "ＵＳＥＲ" : "ＣＯＭＰ") };
    case board::kState:
        return stateCell(country);
    case board::kFunds:
        return { hidden ? format("????????" "/%-8d", int(country.fundsCeiling))
                        : format("%8d/%-8d", int(country.funds), int(country.fundsCeiling)) };
    case board::kIncome:
        return { hidden ? std::string("?????????") : format("%9d", state.countBuildingsOf(c)) };
    case board::kBuildings:
        return { hidden ? std::string("?????????") : format("%9d", state.countOwnedBuildings(c)) };
    case board::kUnits:
        return { hidden ? format("????" "/%-4d", int(country.unitListLength))
                        : format("%4d/%-4d", state.liveUnitCount(c), int(country.unitListLength)) };
    case board::kProductionType: {
        const ProductionTypeRecord* type = state.sideProductionType(c);
        return { type ? std::string(type->name, strnlen(type->name, sizeof type->name)) : std::string() };
    }
    case board::kAnthem:
        return { anthemName(state, country.anthemCode) };
    default:
        return {};
    }
}

BoardMarks countryBoardMarks(GameState& state, int c, int row)
{
    unsigned allies = 0;
    unsigned pacts = 0;
    for (int k = 0; k < kCountryCount; ++k) {
        if (k == c || state.country(k).controller == 0)
            continue;
        allies |= state.isAllied(c, k) ? 1u << k : 0;
        pacts |= state.hasPactWith(c, k) ? 1u << k : 0;
    }
    if (row == board::kAlliance)
        return { allies, std::popcount(allies) };
    if (row == board::kPact)
        return { pacts, std::popcount(pacts & ~allies) };
    return {};
}

int CountryInfoWindow::blockTop(int block, BoardKind kind, bool simple)
{
    if (block == 0)
        return 0;
    if (kind == BoardKind::Ending)
        return board::kLowerBlockTopEnding;
    return simple ? board::kLowerBlockTopSimple : board::kLowerBlockTop;
}

void CountryInfoWindow::drawHeader(HDC dc, const Presentation& look, const GameState& state, BoardKind kind)
{
    const bool simple = state.isSimpleMode();
    TextHolder textState(dc, look.font(kTextFont).handle(), kBlack);
    for (int block = 0; block < 2; ++block) {
        for (int row = 0; row < board::kRowCount; ++row) {
            if (!rowShown(row, kind, simple))
                continue;
            const int top = blockTop(block, kind, simple) + board::kRows[rowPlace(row, kind)].titleTop;
            RECT box { board::kTitleLeft, top, board::kTitleRight, top + board::kLineHeight };
            const std::string title = cp(board::kRows[row].title);
            DrawTextA(dc, title.c_str(), int(title.size()), &box, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
}

void CountryInfoWindow::drawTable(HDC dc, const Presentation& look, GameState& state, const swCBitmap* clean, BoardDisclosure disclosure, BoardKind kind)
{
    const bool simple = state.isSimpleMode();
    swCBitmap marks;
    try {
        marks.bitmapLoadFile(look.bitmapPath("cmark18_14.bmp").c_str());
    } catch (swCError* error) {
        // The rows of allies and pacts then stay empty.
        delete error;
    }
    TextHolder textState(dc, look.font(kTextFont).handle(), kWhite);
    for (int c = 0; c < kCountryCount; ++c) {
        if (state.country(c).controller == 0)
            continue;
        const int x = board::columnX(c);
        for (int row = board::kName; row < board::kRowCount; ++row) {
            if (!rowShown(row, kind, simple))
                continue;
            const int y = blockTop(c / 4, kind, simple) + board::kRows[rowPlace(row, kind)].valueTop;
            const RECT box { x, y, x + board::kCellWidth, y + board::kLineHeight };
            if (clean && clean->handle())
                PaletteHolder(dc).blitBitmap(box.left, box.top, clean->handle(), box);
            if (row == board::kAlliance || row == board::kPact) {
                if (marks.handle())
                    drawMarks(dc, box, marks, countryBoardMarks(state, c, row));
                continue;
            }
            drawCellText(dc, box, countryBoardCell(state, c, row, disclosure), look.font(kSmallFont).handle());
        }
    }
}
