// NewsDialog: the closing news page, its sub-pages and when it is due.
#include "dialogs/news_dialog.h"

#include "dialogs/bitmap_canvas.h"
#include "dialogs/briefing_text.h"
#include "lib/media/bitmap_button.h"
#include "state/campaign_progress.h"
#include "state/game_state.h"
#include "ui/presentation.h"

namespace {

using namespace scenario_text;

constexpr RECT kUpperText { 18, 118, 418, 278 };
constexpr RECT kLowerText { 242, 310, 626, 450 };
constexpr RECT kPictureArea { 18, 302, 18 + kPictureBox.cx, 302 + kPictureBox.cy };

int textWidth(HFONT font, const std::string& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size {};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

} // namespace

bool closingNewsDue(GameState& state)
{
    if (!hasEndingNews(state))
        return false;
    const CampaignBlock& campaign = state.campaignBlock();
    if (campaign.campaignFlag != 1)
        return hasPlayerWon(state);
    if (campaign.currentStage < 1 || campaign.currentStage > kCampaignMapCount)
        return false;
    const int outcome = hasCampaignPlayerWon(state) ? 0 : hasCampaignPlayerLost(state) ? 2 : 1;
    return campaign.stageRows[campaign.currentStage - 1][kStageRowNewsOffset + outcome] == 1;
}

NewsDialog::NewsDialog(const WindowContext& context, swCWindow* owner)
    : PaperDialog(context, owner)
{
    const GameState& state = m_game;
    state.copyScenarioBlock(m_block);
    m_starts = pagedSubPageStarts(field(m_block, kClosingNews), kNewsShape, takeNewsTextLine);
    if (m_starts.empty())
        m_starts.push_back(0);
    m_page = loadPaperPicture("news.bmp");
    m_titleBand = loadPaperPicture("news2.bmp");
    m_picture = mapPicture(state, MapPicture::News);
    m_largeFont = makePaperFont(48, FW_BOLD);
    m_smallFont = makePaperFont(24, FW_BOLD);
    if (textWidth(m_largeFont->handle(), field(m_block, kClosingTitle)) > kTitleWidth)
        m_titleHeight = 24;
}

NewsDialog::~NewsDialog() = default;

int NewsDialog::OnInitDialog()
{
    placeCentred("ニュース");
    drawPage();
    new Button100x26(this, kBackFace, news_id::kBack, 409, 451);
    new Button100x26(this, kNextFace, news_id::kNext, 525, 451);
    new Button100x26(this, kCloseFace, news_id::kClose, 525, 451);
    updateButtons();
    return 0;
}

void NewsDialog::drawPage()
{
    m_canvas.reset(m_page.get());
    if (!m_canvas.handle())
        return;
    {
        SelectedBitmap canvas(m_canvas.handle());
        HDC dc = canvas.dc();
        int band = 0;
        if (m_titleBand) {
            const SIZE size = m_titleBand->bitmapGetSize();
            band = size.cy;
            PaletteHolder(dc).blitBitmap(17, 9, m_titleBand->handle(), { 0, 0, size.cx, size.cy });
        }
        // The title stands in the middle of the band, in the font that lets it fit.
        const int height = m_titleHeight;
        HFONT font = (height == 48 ? m_largeFont : m_smallFont)->handle();
        const std::string title = field(m_block, kClosingTitle);
        const int shadowTop = (band - height) / 2 + 11;
        const int top = (band - height) / 2 + 9;
        drawPaperText(dc, title, { 60, shadowTop, 588, shadowTop + height }, font, kPaperTitleShadow, DT_CENTER);
        drawPaperText(dc, title, { 57, top, 585, top + height }, font, kNoColour, DT_CENTER);
    }
    m_canvas.restore(m_page.get(), kPictureArea);
    {
        SelectedBitmap canvas(m_canvas.handle());
        drawFittedPicture(canvas.dc(), m_picture.get(), kPictureArea);
    }
    drawText();
}

void NewsDialog::drawText()
{
    m_canvas.restore(m_page.get(), kUpperText);
    m_canvas.restore(m_page.get(), kLowerText);
    if (!m_canvas.handle())
        return;
    const std::vector<std::string> lines
        = pagedSubPageLines(field(m_block, kClosingNews), kNewsShape, m_starts[size_t(m_subPage)], takeNewsTextLine);
    std::vector<PaperLine> placed;
    for (int i = 0; i < int(lines.size()); ++i) {
        const bool upper = i < kNewsShape.splitLine;
        placed.push_back({ lines[size_t(i)], upper ? 18 : 242, upper ? 118 + 20 * i : 310 + 20 * (i - kNewsShape.splitLine),
            kNewsShape.widthOf(i) });
    }
    SelectedBitmap canvas(m_canvas.handle());
    drawPaperLines(canvas.dc(), placed, m_look.font(kFont16).handle());
    InvalidateRect(handle(), nullptr, FALSE);
}

void NewsDialog::updateButtons()
{
    const bool last = m_subPage >= subPageCount() - 1;
    showButton(news_id::kBack, m_subPage > 0);
    showButton(news_id::kNext, !last);
    showButton(news_id::kClose, last);
}

int NewsDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    case news_id::kBack:
        if (m_subPage > 0) {
            --m_subPage;
            drawText();
            updateButtons();
        }
        return 1;
    case news_id::kNext:
        if (m_subPage >= subPageCount() - 1) {
            close(1);
            return 1;
        }
        ++m_subPage;
        drawText();
        updateButtons();
        return 1;
    case news_id::kClose:
        close(1);
        return 1;
    case IDCANCEL:
        close(0);
        return 1;
    case IDOK:
        return 1;
    default:
        return PaperDialog::OnCommand(msg, control, code);
    }
}
