// MainWindow's windows of the countries: the country, condition and battle results windows, the
// change of players, and the windows that close a finished game.
#include "app/main_window.h"

#include "ai/area_analysis.h"
#include "app/main_window_rules_link.h"
#include "app/menu_ids.h"
#include "dialogs/ending_window.h"
#include "dialogs/news_dialog.h"
#include "infowin/change_player_dialog.h"
#include "infowin/condition_info_window.h"
#include "infowin/country_info_window.h"
#include "infowin/senka_info_window.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/private_messages.h"
#include "ui/window_context.h"
#include "ui/window_services.h"

namespace {

struct InfoWindowKind {
    unsigned menuId;
    // The "Environment" key that reopens the window at the start of play.
    const char* showKey;
    HWND (*open)(const WindowContext& context, swCWindow* owner);
    UINT refresh;
};

template <class Window>
HWND openWindow(const WindowContext& context, swCWindow* owner)
{
    Window* window = Window::open(context, owner);
    return window ? window->handle() : nullptr;
}

const InfoWindowKind kInfoWindows[kInfoWindowSlots] = {
    { menu_id::kCountryInfo, "ShowCountryInfo", openWindow<CountryInfoWindow>, ui_message::kCountryInfoRefresh },
    { menu_id::kConditionInfo, "ShowConditionInfo", openWindow<ConditionInfoWindow>, ui_message::kConditionInfoRefresh },
    { menu_id::kResults, "ShowSenkaInfo", openWindow<SenkaInfoWindow>, ui_message::kResultsRefresh },
};

} // namespace

HWND MainWindow::infoWindow(int slot) const
{
    HWND window = m_infoWindows[size_t(slot)];
    return window && IsWindow(window) ? window : nullptr;
}

HWND MainWindow::countryInfoWindow() const { return infoWindow(kCountryWindow); }
HWND MainWindow::conditionInfoWindow() const { return infoWindow(kConditionWindow); }
HWND MainWindow::resultsWindow() const { return infoWindow(kResultsWindow); }

void MainWindow::openInfoWindow(int slot)
{
    if (HWND open = infoWindow(slot)) {
        SetWindowPos(open, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return;
    }
    const InfoWindowKind& kind = kInfoWindows[slot];
    HWND window = kind.open(makeWindowContext(m_state), this);
    m_infoWindows[size_t(slot)] = window;
    m_link.setInfoWindow(InfoWindowSlot(slot), window);
    if (window)
        makeNamedValue(kind.showKey).profileWriteBool(true);
    updateMenuStates();
}

void MainWindow::closeInfoWindow(int slot)
{
    // The members go first: the window's object deletes itself as it is destroyed.
    HWND window = infoWindow(slot);
    m_infoWindows[size_t(slot)] = nullptr;
    m_link.setInfoWindow(InfoWindowSlot(slot), nullptr);
    if (window)
        DestroyWindow(window);
    makeNamedValue(kInfoWindows[slot].showKey).profileWriteBool(false);
    updateMenuStates();
}

void MainWindow::openCountryInfo() { openInfoWindow(kCountryWindow); }
void MainWindow::closeCountryInfo() { closeInfoWindow(kCountryWindow); }
void MainWindow::openConditionInfo() { openInfoWindow(kConditionWindow); }
void MainWindow::closeConditionInfo() { closeInfoWindow(kConditionWindow); }
void MainWindow::openResults() { openInfoWindow(kResultsWindow); }
void MainWindow::closeResults() { closeInfoWindow(kResultsWindow); }

void MainWindow::toggleInfoWindow(unsigned menuId)
{
    for (int slot = 0; slot < kInfoWindowSlots; ++slot) {
        if (kInfoWindows[slot].menuId != menuId)
            continue;
        if (infoWindow(slot))
            closeInfoWindow(slot);
        else if (slot == kCountryWindow)
            PostMessageA(handle(), ui_message::kOpenCountryInfo, 0, 0);
        else
            openInfoWindow(slot);
    }
}

void MainWindow::openStartInfoWindows()
{
    for (int slot = 0; slot < kInfoWindowSlots; ++slot)
        if (!infoWindow(slot) && makeNamedValue(kInfoWindows[slot].showKey).profileReadBool(false))
            openInfoWindow(slot);
}

void MainWindow::refreshCountryWindows()
{
    for (int slot = 0; slot < kInfoWindowSlots; ++slot)
        if (HWND window = infoWindow(slot))
            PostMessageA(window, kInfoWindows[slot].refresh, 0, 0);
}

bool MainWindow::onCountryWindowMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kOpenCountryInfo:
        openCountryInfo();
        return true;
    case ui_message::kCloseCountryInfo:
        closeCountryInfo();
        return true;
    case ui_message::kCloseConditionInfo:
        closeConditionInfo();
        return true;
    case ui_message::kCloseResults:
        closeResults();
        return true;
    default:
        return false;
    }
}

void MainWindow::changePlayers()
{
    if (!commandStates().canEndGame)
        return;
    {
        ChangePlayerDialog dialog(makeWindowContext(m_state), this);
        ModalIdleOff idle;
        if (dialog.run() != 1)
            return;
    }
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    if (side < kCountryCount && m_state.countryTakesPart(side)) {
        if (AreaAnalysis* analysis = m_state.areaAnalysis())
            analysis->rebuild(m_state, side);
        if (m_state.isHumanCountry(side)) {
            turn.viewingCountry = int8_t(side);
        } else {
            // The view moves on to the next country in play that a person plays; with none it stays.
            for (int step = 1; step <= kCountryCount; ++step) {
                const int next = (side + step) % kCountryCount;
                if (m_state.countryTakesPart(next) && m_state.isHumanCountry(next)) {
                    turn.viewingCountry = int8_t(next);
                    break;
                }
            }
            // The person's wait is answered "no": the phase runs again, now for the computer.
            Handshake& handshake = m_state.handshake();
            if (turn.phase == kPhaseAction)
                handshake.answerUi(0);
            else
                handshake.answerUi2(0);
            handshake.replyToGame(4);
        }
    }
    refreshAfterChange();
}

void MainWindow::runEndOfPlayWindows()
{
    ModalIdleOff idle;
    // The map's closing news, when it has one, comes before the ending window.
    if (closingNewsDue(m_state)) {
        NewsDialog news(makeWindowContext(m_state), this);
        news.run();
    }
    EndingWindow ending(makeWindowContext(m_state), this);
    ending.run();
}
