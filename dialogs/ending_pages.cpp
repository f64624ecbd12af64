// EndingWindow's pages: the summary on the country board and the statistics graphs with their reveal.
#include "dialogs/ending_backdrop.h"
#include "dialogs/ending_window.h"
#include "dialogs/map_preview_fields.h"
#include "infowin/country_info_window.h"
#include "infowin/game_fonts.h"
#include "infowin/turn_graph.h"
#include "lib/error.h"
#include "platform/kernel/host.h"
#include "rules/game_thread.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr POINT kBoardAt { 16, 36 };
// Where the chart stands on the page: its top-left corner and its foot.
constexpr POINT kChartAt { 71, 36 };
constexpr turn_graph::Frame kFrame { POINT { 71, 436 }, 70, 70, 10, 64, kWhite };

struct GraphPage {
    const char* title;
    int field;
};
constexpr GraphPage kGraphPages[7] = {
    { "領土数：数", 0 },
    { "収入：資金", 1 },
    { "戦力数：部隊数", 4 },
    { "戦力価値：価格", 5 },
    { "撃破数：機数", 2 },
    { "損害数：機数", 3 },
    { "被害額：価格", 6 },
};

const char* graphBackground(int resultKind)
{
    return resultKind == 0 ? "end1_bg1.bmp" : resultKind == 2 ? "end2_bg1.bmp" : "end3_bg1.bmp";
}

void drawText(HDC dc, RECT box, const std::string& text)
{
    DrawTextA(dc, text.c_str(), int(text.size()), &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void EndingWindow::drawSummary()
{
    GameState& state = m_game;
    m_backdrop->fillBlack();
    HDC dc = m_backdrop->beginDraw();
    if (!dc)
        return;
    swCBitmap board;
    try {
        board.bitmapLoadFile(m_look.bitmapPath("ejinei.bmp").c_str());
    } catch (swCError* error) {
        delete error;
    }
    if (board.handle()) {
        {
            BitmapDcHolder memory(board.handle());
            CountryInfoWindow::drawHeader(memory.dc(), m_look, state, BoardKind::Ending);
            CountryInfoWindow::drawTable(memory.dc(), m_look, state, nullptr, BoardDisclosure::Everything, BoardKind::Ending);
        }
        const SIZE size = board.bitmapGetSize();
        PaletteHolder(dc).blitBitmap(kBoardAt.x, kBoardAt.y, board.handle(), RECT { 0, 0, size.cx, size.cy });
    }
    HGDIOBJ oldFont = SelectObject(dc, m_look.font(kTextFont).handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kWhite);
    drawText(dc, RECT { 10, 10, 381, 24 }, platform::utf8ToCp932("マップ名： ") + std::string(mapName(state.mapHeader())));
    char turns[64];
    std::snprintf(turns, sizeof turns, platform::utf8ToCp932("終了ターン数： %d").c_str(), finalTurnOf(state, m_resultCountry));
    drawText(dc, RECT { 380, 10, 506, 24 }, turns);
    SelectObject(dc, oldFont);
    m_backdrop->endDraw(dc);
}

turn_graph::Graph EndingWindow::computeGraph(int field) const
{
    GameState& state = m_game;
    return turn_graph::computeGraph(turn_graph::statsRecords(state), field, { m_countryMask, m_gameCountries }, state.turnBlock().turn);
}

void EndingWindow::drawGraph()
{
    const GraphPage& page = kGraphPages[m_page - 1];
    try {
        m_graphBackground.bitmapLoadFile(m_look.bitmapPath(graphBackground(m_resultKind)).c_str());
    } catch (swCError* error) {
        delete error;
    }
    m_backdrop->fillBlack();
    m_backdrop->drawPicture(graphBackground(m_resultKind), 0, 0);
    const turn_graph::Graph graph = computeGraph(page.field);
    if (HDC dc = m_backdrop->beginDraw()) {
        PaletteHolder holder(dc);
        holder.drawPolyline(71, 436, 570, 436, kWhite);
        holder.drawPolyline(70, 36, 70, 436, kWhite);
        HGDIOBJ oldFont = SelectObject(dc, m_look.font(kSmallFont).handle());
        turn_graph::drawAxes(dc, kFrame, graph);
        SelectObject(dc, m_look.font(kTextFont).handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kWhite);
        drawText(dc, RECT { 100, 10, 240, 24 }, platform::utf8ToCp932(page.title));
        SelectObject(dc, oldFont);
        m_backdrop->endDraw(dc);
    }
    renderChart();
}

void EndingWindow::renderChart()
{
    if (!m_chart.handle()) {
        WindowDcHolder screen(handle());
        m_chart.bitmapCreateCompatible(screen, kChartWidth, kChartHeight);
    }
    BitmapDcHolder memory(m_chart.handle());
    if (m_graphBackground.handle())
        memory.blitBitmap(0, 0, m_graphBackground.handle(), RECT { kChartAt.x, kChartAt.y, kChartAt.x + kChartWidth, kChartAt.y + kChartHeight });
    else
        memory.fillRectColor(0, 0, kChartWidth - 1, kChartHeight - 1, 0x02000000);
    const turn_graph::Graph graph = computeGraph(kGraphPages[m_page - 1].field);
    turn_graph::drawSegments(memory.dc(), POINT { 0, kChartHeight }, graph.segments);
}

void EndingWindow::showChart()
{
    const int width = std::clamp(m_revealWidth, 0, kChartWidth);
    if (width > 0) {
        if (HDC dc = m_backdrop->beginDraw()) {
            PaletteHolder(dc).blitBitmap(kChartAt.x, kChartAt.y, m_chart.handle(), RECT { 0, 0, width, kChartHeight });
            m_backdrop->endDraw(dc);
        }
    }
    RECT chart { kChartAt.x, kChartAt.y, kChartAt.x + kChartWidth, kChartAt.y + kChartHeight };
    InvalidateRect(handle(), &chart, FALSE);
}

void EndingWindow::revealStep()
{
    m_revealWidth = std::min(m_revealWidth + 5, kChartWidth);
    showChart();
    if (m_revealWidth >= kChartWidth)
        stopReveal();
}
