// EndingWindow: creation, the backdrop's presenting, the timers and the page order.
#include "dialogs/ending_window.h"

#include "dialogs/ending_backdrop.h"
#include "dialogs/evaluation_page.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/window_services.h"
#include "state/campaign_progress.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"

EndingWindow::EndingWindow(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kEnding, owner)
    , m_game(context.game)
    , m_main(context.main)
    , m_look(context.look)
{
    registerGameDialogTemplates();
    m_resultKind = hasPlayerWon(m_game) ? 0 : hasPlayerLost(m_game) ? 2 : 1;
    m_resultCountry = ::resultCountry(m_game);
}

EndingWindow::~EndingWindow() = default;

INT_PTR EndingWindow::run()
{
    CreateModal();
    return result();
}

void EndingWindow::placeWindow()
{
    RECT frame { 0, 0, EndingBackdrop::kWidth, EndingBackdrop::kHeight };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle(), GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT area {};
    HWND owner = parent() ? parent()->handle() : nullptr;
    if (owner) {
        GetClientRect(owner, &area);
        MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    windowFitWorkArea(area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2,
        width, height, FALSE, 1);
}

int EndingWindow::OnInitDialog()
{
    placeWindow();
    try {
        m_backdrop = std::make_unique<EndingBackdrop>(this, m_look);
        POINT origin { 0, 0 };
        ClientToScreen(handle(), &origin);
        m_backdrop->moveTo(origin);
        m_evaluation = std::make_unique<EvaluationBuildUp>(m_game, m_look, *m_backdrop, handle());
        int k = 0;
        for (int c = 0; c < kCountryCount; ++c) {
            if (m_game.country(c).controller == 0)
                continue;
            auto* button = new CheckMarkButton(this, c, ending_id::kFirstCountry + UINT(c), 71 + 18 * k, 480);
            button->setHeldPressed(true);
            m_countryButtons[size_t(c)] = button;
            m_countryMask |= uint8_t(1u << c);
            ++k;
        }
        m_gameCountries = m_countryMask;
        showPage();
        createButtons();
    } catch (swCError* error) {
        error->Show(parent() ? parent()->handle() : nullptr);
        delete error;
        setResult(0);
        DestroyModal();
        return 1;
    }
    m_main.requestMusic(m_resultKind == 0 ? tune::kVictory : tune::kDefeat, true);
    return 1;
}

void EndingWindow::createButtons()
{
    m_next = new EndButton88x32(this, 1, ending_id::kNext, 544, 480);
    m_finish = new EndButton88x32(this, 2, ending_id::kFinish, 544, 480);
    ShowWindow(m_finish->handle(), SW_HIDE);
    m_previous = new EndButton88x32(this, 0, ending_id::kPrevious, 440, 480);
    EnableWindow(m_previous->handle(), FALSE);
}

void EndingWindow::startTimer(UINT_PTR timer, UINT ms)
{
    bool& active = m_timerActive[size_t(timer)];
    if (active)
        KillTimer(handle(), timer);
    SetTimer(handle(), timer, ms, nullptr);
    active = true;
}

void EndingWindow::killTimer(UINT_PTR timer)
{
    bool& active = m_timerActive[size_t(timer)];
    if (!active)
        return;
    KillTimer(handle(), timer);
    active = false;
}

void EndingWindow::killAllTimers()
{
    for (UINT_PTR timer = 0; timer < UINT_PTR(kTimerCount); ++timer)
        killTimer(timer);
}

void EndingWindow::stopReveal()
{
    m_revealRunning = false;
    killTimer(kRevealTimer);
}

void EndingWindow::showPage()
{
    if (m_revealRunning)
        stopReveal();
    const bool graphPage = m_page > kSummaryPage && m_page < kEvaluationPage;
    for (CheckMarkButton* button : m_countryButtons)
        if (button)
            ShowWindow(button->handle(), graphPage ? SW_SHOW : SW_HIDE);
    if (m_page == kSummaryPage) {
        drawSummary();
    } else if (graphPage) {
        drawGraph();
        m_revealWidth = 0;
        m_revealRunning = true;
        startTimer(kRevealTimer, kTickMs);
    } else if (m_evaluation->prepare(m_resultKind, m_resultCountry)) {
        startTimer(kBuildUpTimer, kTickMs);
    }
}

void EndingWindow::nextPage()
{
    killAllTimers();
    if (m_page == kSummaryPage)
        EnableWindow(m_previous->handle(), TRUE);
    ++m_page;
    if (m_page > kEvaluationPage) {
        setResult(1);
        DestroyModal();
        return;
    }
    showPage();
    InvalidateRect(handle(), nullptr, FALSE);
    if (m_page == kEvaluationPage) {
        ShowWindow(m_finish->handle(), SW_SHOW);
        ShowWindow(m_next->handle(), SW_HIDE);
    }
}

void EndingWindow::previousPage()
{
    killAllTimers();
    if (m_page == kSummaryPage)
        return;
    if (m_page == kEvaluationPage) {
        ShowWindow(m_next->handle(), SW_SHOW);
        ShowWindow(m_finish->handle(), SW_HIDE);
    }
    --m_page;
    showPage();
    InvalidateRect(handle(), nullptr, FALSE);
    if (m_page == kSummaryPage)
        EnableWindow(m_previous->handle(), FALSE);
}

void EndingWindow::toggleCountry(int country)
{
    m_countryMask ^= uint8_t(1u << country);
    if (CheckMarkButton* button = m_countryButtons[size_t(country)])
        button->holdPressed((m_countryMask & (1u << country)) != 0);
    if (m_page > kSummaryPage && m_page < kEvaluationPage) {
        renderChart();
        showChart();
    }
}

int EndingWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(msg.lParam);
        if (m_backdrop && position && !(position->flags & SWP_NOZORDER))
            m_backdrop->present();
        return 0;
    }
    case WM_MOVE:
        if (m_backdrop) {
            POINT origin { 0, 0 };
            ClientToScreen(handle(), &origin);
            m_backdrop->moveTo(origin);
        }
        return 0;
    case WM_TIMER:
        if (msg.wParam == kRevealTimer)
            revealStep();
        else if (msg.wParam == kBuildUpTimer && m_evaluation && !m_evaluation->tick())
            killTimer(kBuildUpTimer);
        return 1;
    default:
        break;
    }
    return KitWindow::OnMessage(msg);
}

void EndingWindow::destroying()
{
    stopReveal();
    killAllTimers();
    if (m_evaluation)
        m_evaluation->release();
    m_main.stopAllSounds();
}

// The backdrop shows the whole page over the client area.
void EndingWindow::showPicture(HDC, const RECT&)
{
    if (m_backdrop)
        m_backdrop->present();
}

int EndingWindow::OnCommand(MessageRecord&, UINT commandId, UINT)
{
    switch (commandId) {
    case ending_id::kNext:
    case ending_id::kFinish:
        nextPage();
        return 1;
    case ending_id::kPrevious:
        previousPage();
        return 1;
    case IDOK:
        return 1;
    case IDCANCEL:
        setResult(0);
        DestroyModal();
        return 1;
    default:
        if (commandId >= ending_id::kFirstCountry && commandId < ending_id::kFirstCountry + kCountryCount) {
            toggleCountry(int(commandId - ending_id::kFirstCountry));
            return 1;
        }
        return 0;
    }
}
