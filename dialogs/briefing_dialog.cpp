// BriefingDialog: its pages and sub-pages, the buttons that leaf through them, and the blinking of
// the mission page's marks.
#include "dialogs/briefing_dialog.h"

#include "dialogs/brief_bitmap_window.h"
#include "dialogs/map_settings_flow.h"
#include "lib/media/bitmap_button.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "ui/main_window_services.h"

namespace {

bool isCampaign(const GameState& state) { return state.campaignBlock().campaignFlag == 1; }

} // namespace

BriefingDialog::BriefingDialog(const WindowContext& context, swCWindow* owner, BriefingMode mode)
    : PaperDialog(context, owner)
    , m_mode(mode)
{
    GameState& state = m_game;
    state.copyScenarioBlock(m_block);
    m_newsKind = pageKindOf(m_block.bytes[scenario_text::kNewsKind]);
    m_missionKind = pageKindOf(m_block.bytes[scenario_text::kMissionKind]);
    m_newsPicture = loadPaperPicture("news.bmp");
    m_missionPicture = loadPaperPicture("mission1.bmp");
    m_goalsPicture = loadPaperPicture("mission2.bmp");
    m_titleBand = loadPaperPicture("news2.bmp");
    m_mapPicture = mapPicture(state, MapPicture::Briefing);
    m_titleFont = makePaperFont(48, FW_NORMAL);
    m_headingFont = makePaperFont(18, FW_BOLD);
    layOut();
    m_newsOverview = std::make_unique<OverviewMap>(state, m_look, OverviewRow::Buildings);
    m_missionOverview = std::make_unique<OverviewMap>(state, m_look, OverviewRow::Image);
    std::vector<HexPos> marks;
    std::vector<HexPos> goals;
    state.collectBriefingHexes(marks);
    state.collectBriefingGoalHexes(goals);
    m_missionOverview->setMarks(marks, goals);
    m_missionOverview->drawMarks(0);
    m_page = startPage();
}

BriefingDialog::~BriefingDialog() = default;

void BriefingDialog::layOut()
{
    using namespace scenario_text;
    if (m_newsKind == PageKind::Paged)
        m_newsStarts = pagedSubPageStarts(field(m_block, kNews), kNewsShape);
    if (m_missionKind == PageKind::Paged)
        m_missionStarts = pagedSubPageStarts(field(m_block, kMission), kMissionShape);
    m_goalsPages = goalsSubPages(field(m_block, kGoals), field(m_block, kCamps));
    prepareScrolled(BriefingPage::News);
    prepareScrolled(BriefingPage::Mission);
}

void BriefingDialog::prepareScrolled(BriefingPage page)
{
    using namespace scenario_text;
    const bool news = page == BriefingPage::News;
    if ((news ? m_newsKind : m_missionKind) != PageKind::Scrolled)
        return;
    const ScrolledLayout layout = scrolledLayout(field(m_block, news ? kNews : kMission), news ? kNewsShape : kMissionShape);
    if (layout.pictureHeight() > kMaxScrolledPictureHeight)
        fallBackToPaged(page);
}

void BriefingDialog::fallBackToPaged(BriefingPage page)
{
    using namespace scenario_text;
    const bool news = page == BriefingPage::News;
    (news ? m_newsKind : m_missionKind) = PageKind::Paged;
    (news ? m_newsStarts : m_missionStarts)
        = pagedSubPageStarts(field(m_block, news ? kNews : kMission), news ? kNewsShape : kMissionShape);
}

PageKind BriefingDialog::kindOf(BriefingPage page) const
{
    switch (page) {
    case BriefingPage::News: return m_mode == BriefingMode::BeforePlay ? m_newsKind : PageKind::None;
    case BriefingPage::Mission: return m_missionKind;
    default: return PageKind::Paged;
    }
}

bool BriefingDialog::hasPage(BriefingPage page) const { return kindOf(page) != PageKind::None; }

int BriefingDialog::subPageCount(BriefingPage page) const
{
    switch (kindOf(page)) {
    case PageKind::Paged:
        if (page == BriefingPage::News)
            return int(m_newsStarts.size());
        if (page == BriefingPage::Mission)
            return int(m_missionStarts.size());
        return int(m_goalsPages.size());
    default:
        return 0;
    }
}

BriefingPage BriefingDialog::startPage() const
{
    if (hasPage(BriefingPage::News))
        return BriefingPage::News;
    if (hasPage(BriefingPage::Mission))
        return BriefingPage::Mission;
    return BriefingPage::Goals;
}

int BriefingDialog::OnInitDialog()
{
    placeCentred("ブリーフィング");
    new Button100x26(this, kBackFace, briefing_id::kBack, 409, 451);
    new Button100x26(this, kNextFace, briefing_id::kNext, 525, 451);
    new Button100x26(this, m_mode == BriefingMode::BeforePlay ? kStartFace : kCloseFace, briefing_id::kStart, 525, 451);
    if (m_mode == BriefingMode::BeforePlay)
        new Button100x26(this, kMapSettingsFace, briefing_id::kMapSettings, 177, 451);
    m_scroll = new BriefBitmapWindow(this);
    if (!m_scroll->Create())
        m_scroll = nullptr;
    enterPage(m_page, 0);
    return 0;
}

void BriefingDialog::enterPage(BriefingPage page, int subPage)
{
    if (m_timerRunning && page != BriefingPage::Mission) {
        KillTimer(handle(), kBlinkTimer);
        m_timerRunning = false;
    }
    m_page = page;
    m_subPage = subPage;
    drawPage();
    if (m_page == BriefingPage::Mission && !m_timerRunning)
        m_timerRunning = SetTimer(handle(), kBlinkTimer, kBlinkIntervalMs, nullptr) != 0;
    updateButtons();
    InvalidateRect(handle(), nullptr, FALSE);
}

void BriefingDialog::lastSubPageOf(BriefingPage page)
{
    enterPage(page, std::max(0, subPageCount(page) - 1));
}

void BriefingDialog::updateButtons()
{
    const bool last = m_page == BriefingPage::Goals && m_subPage >= subPageCount() - 1;
    showButton(briefing_id::kNext, !last);
    showButton(briefing_id::kStart, last);
    showButton(briefing_id::kMapSettings, last);
    // Enter and Space go on, never back: the way forward is the default and holds the focus.
    const int forward = last ? briefing_id::kStart : briefing_id::kNext;
    SendMessageA(handle(), DM_SETDEFID, WPARAM(forward), 0);
    if (HWND button = GetDlgItem(handle(), forward))
        SetFocus(button);
    // A campaign's later maps cannot go back past their first page: the previous map is over.
    const GameState& state = m_game;
    const bool noWayBack = isCampaign(state) && m_mode == BriefingMode::BeforePlay
        && state.campaignBlock().currentStage >= 2 && m_subPage == 0 && m_page == startPage();
    showButton(briefing_id::kBack, !noWayBack);
}

void BriefingDialog::playButtonSound(int slot) const
{
    if (m_game.settings().playSe)
        m_main.playSound(slot);
}

void BriefingDialog::back()
{
    playButtonSound(sound_slot::kPageButton);
    if (m_subPage > 0) {
        enterPage(m_page, m_subPage - 1);
        return;
    }
    const bool newsBefore = m_mode == BriefingMode::BeforePlay && hasPage(BriefingPage::News);
    if (m_page == BriefingPage::Goals && hasPage(BriefingPage::Mission))
        lastSubPageOf(BriefingPage::Mission);
    else if (m_page != BriefingPage::News && newsBefore)
        lastSubPageOf(BriefingPage::News);
    else
        close(0);
}

void BriefingDialog::next()
{
    playButtonSound(sound_slot::kPageButton);
    if (m_subPage < subPageCount() - 1) {
        enterPage(m_page, m_subPage + 1);
        return;
    }
    if (m_page == BriefingPage::News && hasPage(BriefingPage::Mission))
        enterPage(BriefingPage::Mission, 0);
    else if (m_page != BriefingPage::Goals)
        enterPage(BriefingPage::Goals, 0);
}

void BriefingDialog::openMapSettings()
{
    const bool campaign = isCampaign(m_game);
    runMapSettingsStep({ m_game, m_main, m_look }, this,
        campaign ? MapSettingsListButtons::OkOnly : MapSettingsListButtons::CancelAndChange);
}

void BriefingDialog::blink()
{
    if (!m_missionOverview || m_page != BriefingPage::Mission)
        return;
    m_missionOverview->drawMarks(m_blinkCounter);
    ++m_blinkCounter;
    drawOverview(m_missionOverview.get(), { 25, 273 });
    const POINT at = m_missionOverview->originIn({ 25, 273 });
    const OverviewScale& s = m_missionOverview->scale();
    const RECT area { at.x, at.y, at.x + s.width, at.y + s.height };
    InvalidateRect(handle(), &area, FALSE);
    if (m_scroll && IsWindowVisible(m_scroll->handle()))
        m_scroll->refresh();
}

int BriefingDialog::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_TIMER:
        if (msg.wParam == kBlinkTimer)
            blink();
        return 1;
    default:
        break;
    }
    return PaperDialog::OnMessage(msg);
}

void BriefingDialog::destroying()
{
    if (m_timerRunning)
        KillTimer(handle(), kBlinkTimer);
    m_timerRunning = false;
}

int BriefingDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    case briefing_id::kBack: back(); return 1;
    case briefing_id::kNext: next(); return 1;
    case briefing_id::kStart:
        playButtonSound(sound_slot::kStartButton);
        close(1);
        return 1;
    case briefing_id::kMapSettings: openMapSettings(); return 1;
    case IDOK:
        if (m_mode == BriefingMode::BeforePlay)
            close(1);
        return 1;
    case IDCANCEL:
        close(0);
        return 1;
    default:
        return PaperDialog::OnCommand(msg, control, code);
    }
}
