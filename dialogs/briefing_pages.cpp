// BriefingDialog's drawing: the news, mission and goals pages on its canvas, and the text picture
// of a scrolled page.
#include "dialogs/briefing_dialog.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/brief_bitmap_window.h"
#include "dialogs/map_preview_fields.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include <cstdio>

namespace {

using namespace scenario_text;

constexpr POINT kNewsOverview { 433, 85 };
constexpr POINT kMissionOverview { 25, 273 };
constexpr RECT kNewsPictureBox { 18, 289, 18 + kPictureBox.cx, 289 + kPictureBox.cy };

std::string fieldText(const ScenarioBlock& block, int offset) { return scenario_text::field(block, offset); }

// Lines of a paged sub-page at the page's two columns of positions.
std::vector<PaperLine> placeLines(const std::vector<std::string>& lines, const PagedShape& shape, POINT first,
    POINT second)
{
    std::vector<PaperLine> placed;
    for (int i = 0; i < int(lines.size()); ++i) {
        const bool upper = i < shape.splitLine;
        const POINT at = upper ? POINT { first.x, first.y + 20 * i } : POINT { second.x, second.y + 20 * (i - shape.splitLine) };
        placed.push_back({ lines[size_t(i)], int(at.x), int(at.y), shape.widthOf(i) });
    }
    return placed;
}

HFONT bodyFont(const Presentation& look) { return look.font(kFont16).handle(); }

} // namespace

const swCBitmap* BriefingDialog::pagePicture(BriefingPage page) const
{
    switch (page) {
    case BriefingPage::News: return m_newsPicture.get();
    case BriefingPage::Mission: return m_missionPicture.get();
    default: return m_goalsPicture.get();
    }
}

void BriefingDialog::drawPage()
{
    m_canvas.reset(m_newsPicture.get());
    if (m_page != BriefingPage::News)
        m_canvas.restore(pagePicture(m_page), { 0, 0, kPaperSize.cx, kPaperSize.cy });
    if (kindOf(m_page) == PageKind::Scrolled)
        showScrolled(m_page);
    else if (m_scroll)
        m_scroll->hideText();
    switch (m_page) {
    case BriefingPage::News: drawNewsPage(); break;
    case BriefingPage::Mission: drawMissionPage(); break;
    default: drawGoalsPage(); break;
    }
}

void BriefingDialog::drawOverview(const OverviewMap* map, POINT square)
{
    if (!map || !map->picture() || !m_canvas.handle())
        return;
    const POINT at = map->originIn(square);
    SelectedBitmap canvas(m_canvas.handle());
    PaletteHolder(canvas.dc()).blitBitmap(at.x, at.y, map->picture(), { 0, 0, map->scale().width, map->scale().height });
}

void BriefingDialog::drawNewsPage()
{
    if (m_titleBand && m_canvas.handle()) {
        const SIZE band = m_titleBand->bitmapGetSize();
        SelectedBitmap canvas(m_canvas.handle());
        PaletteHolder(canvas.dc()).blitBitmap(17, 9, m_titleBand->handle(), { 0, 0, band.cx, band.cy });
    }
    drawOverview(m_newsOverview.get(), kNewsOverview);
    if (!m_canvas.handle())
        return;
    SelectedBitmap canvas(m_canvas.handle());
    HDC dc = canvas.dc();
    const std::string paper = fieldText(m_block, kNewspaper);
    drawPaperText(dc, paper, { 60, 19, 588, 67 }, m_titleFont->handle(), kPaperTitleShadow, DT_CENTER);
    drawPaperText(dc, paper, { 57, 16, 585, 64 }, m_titleFont->handle(), kNoColour, DT_CENTER);
    drawPaperText(dc, fieldText(m_block, kHeadline), { 20, 86, 400, 104 }, m_headingFont->handle());
    drawFittedPicture(dc, m_mapPicture.get(), kNewsPictureBox);
    if (kindOf(BriefingPage::News) != PageKind::Paged || m_subPage >= int(m_newsStarts.size()))
        return;
    const auto lines = pagedSubPageLines(field(m_block, kNews), kNewsShape, m_newsStarts[size_t(m_subPage)]);
    drawPaperLines(dc, placeLines(lines, kNewsShape, { 18, 118 }, { 242, 310 }), bodyFont(m_look));
}

void BriefingDialog::drawMissionPage()
{
    drawOverview(m_missionOverview.get(), kMissionOverview);
    if (!m_canvas.handle())
        return;
    SelectedBitmap canvas(m_canvas.handle());
    HDC dc = canvas.dc();
    // A scrolled page writes its title into the text picture, which scrolls it away with the text.
    if (kindOf(BriefingPage::Mission) == PageKind::Scrolled)
        return;
    drawPaperText(dc, fieldText(m_block, kMissionTitle), { 18, 115, 638, 133 }, m_headingFont->handle());
    if (kindOf(BriefingPage::Mission) != PageKind::Paged || m_subPage >= int(m_missionStarts.size()))
        return;
    const auto lines = pagedSubPageLines(field(m_block, kMission), kMissionShape, m_missionStarts[size_t(m_subPage)]);
    drawPaperLines(dc, placeLines(lines, kMissionShape, { 25, 149 }, { 233, 305 }), bodyFont(m_look));
}

void BriefingDialog::drawGoalsPage()
{
    if (!m_canvas.handle())
        return;
    SelectedBitmap canvas(m_canvas.handle());
    HDC dc = canvas.dc();
    if (m_subPage < int(m_goalsPages.size())) {
        const auto lines = goalsSubPageLines(field(m_block, kGoals), field(m_block, kCamps), m_goalsPages[size_t(m_subPage)]);
        for (int i = 0; i < int(lines.size()); ++i) {
            const int y = 115 + 20 * i;
            if (lines[size_t(i)].heading)
                drawPaperText(dc, lines[size_t(i)].text, { 18, y, 98, y + 18 }, m_headingFont->handle());
            else
                drawPaperLines(dc, { { lines[size_t(i)].text, 18, y, kGoalsShape.firstWidth } }, bodyFont(m_look));
        }
    }
    char difficulty[64];
    std::snprintf(difficulty, sizeof difficulty, "%s %s", platform::utf8ToCp932("難易度").c_str(),
        starRatingText(m_game.mapHeader().difficulty));
    drawPaperText(dc, difficulty, { 33, 453, 193, 469 }, bodyFont(m_look));
}

std::unique_ptr<swCBitmap> BriefingDialog::makeScrolledText(BriefingPage page) const
{
    const bool news = page == BriefingPage::News;
    const ScrolledLayout layout = scrolledLayout(field(m_block, news ? kNews : kMission), news ? kNewsShape : kMissionShape);
    const int height = layout.pictureHeight();
    if (height > kMaxScrolledPictureHeight)
        return nullptr;
    auto text = std::make_unique<swCBitmap>();
    text->bitmapCreateCompatible(WindowDcHolder(nullptr), BriefBitmapWindow::kViewWidth, height);
    if (!text->handle())
        return nullptr;
    SelectedBitmap canvas(text->handle());
    HDC dc = canvas.dc();
    PaletteHolder(dc).fillRectColor(0, 0, BriefBitmapWindow::kViewWidth - 1, height - 1, paletteGrey(255));
    const PagedShape& shape = news ? kNewsShape : kMissionShape;
    std::vector<PaperLine> lines;
    if (news) {
        lines = placeLines(layout.firstScreen, shape, { 0, 1 }, { 218, 193 });
    } else {
        drawPaperText(dc, fieldText(m_block, kMissionTitle), { 0, 0, 620, 18 }, m_headingFont->handle());
        lines = placeLines(layout.firstScreen, shape, { 2, 32 }, { 215, 188 });
    }
    const int x = news ? 0 : 2;
    for (int k = 0; k < int(layout.further.size()); ++k)
        lines.push_back({ layout.further[size_t(k)], x, 350 + 20 * k, kScrolledLineWidth });
    drawPaperLines(dc, lines, bodyFont(m_look));
    return text;
}

void BriefingDialog::showScrolled(BriefingPage page)
{
    if (!m_scroll)
        return;
    std::unique_ptr<swCBitmap> text = makeScrolledText(page);
    if (!text) {
        // A picture that cannot be made: the page is leafed through instead.
        fallBackToPaged(page);
        m_scroll->hideText();
        return;
    }
    const POINT origin = BriefBitmapWindow::kOrigin;
    BriefBitmapWindow::Content content;
    content.page = pagePicture(page);
    const OverviewMap* overview = page == BriefingPage::News ? m_newsOverview.get() : m_missionOverview.get();
    const POINT square = page == BriefingPage::News ? kNewsOverview : kMissionOverview;
    if (page == BriefingPage::News && m_mapPicture && m_mapPicture->handle()) {
        content.picture = m_mapPicture.get();
        RECT box = fitPictureInBox(m_mapPicture->bitmapGetSize(), kNewsPictureBox);
        OffsetRect(&box, -origin.x, -origin.y);
        content.pictureBox = box;
    }
    if (overview && overview->picture()) {
        const POINT at = overview->originIn(square);
        content.overview = overview->picture();
        content.overviewAt = { at.x - origin.x, at.y - origin.y };
        content.overviewSize = { overview->scale().width, overview->scale().height };
    }
    m_scroll->showText(content, std::move(text));
}
