// SenkaInfoWindow: the current country's figures on "senka.bmp".
#include "infowin/senka_info_window.h"

#include "infowin/game_fonts.h"
#include "infowin/panel_text.h"
#include "lib/error.h"
#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "rules/game_thread.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"


namespace {

constexpr int kFigureLeft = 133;
constexpr int kFigureRight = 205;
constexpr int kFigureDigits = 9;
// The turn limit, the turn and the turns left, and the bases on the map: the same for everyone.
constexpr int kTurnRows = 3;
constexpr int kAllBasesRow = 9;

} // namespace

SenkaFigures senkaFigures(GameState& state, int country)
{
    SenkaFigures figures;
    const CountryRecord& record = state.country(country);
    int64_t* v = figures.values;
    v[0] = mapTurnLimit(state);
    v[1] = state.turnBlock().turn;
    v[2] = v[0] - v[1];
    v[3] = int64_t(record.runningTotal);
    v[4] = int64_t(record.fundsSpent);
    v[5] = v[3] - v[4];
    v[6] = record.membersAtStart;
    v[7] = record.membersLost;
    v[8] = v[6] - v[7];
    v[9] = int64_t(state.buildingCount());
    int64_t other = 0;
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const int owner = state.buildingAt(i).ownerPlusOne - 1;
        other += owner < 0 || !state.isAllied(country, owner);
    }
    v[10] = other;
    v[11] = v[9] - v[10];
    return figures;
}

SenkaInfoWindow::SenkaInfoWindow(const WindowContext& context, swCWindow* mainWindow)
    : KitWindow(kClassName, mainWindow)
    , m_game(context.game)
    , m_look(context.look)
{
    static const std::string title = platform::utf8ToCp932("戦果表");
    setTitle(title.c_str());
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 40, 40);
}

SenkaInfoWindow* SenkaInfoWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new SenkaInfoWindow(context, mainWindow), &SenkaInfoWindow::create);
}

bool SenkaInfoWindow::create(bool& windowMade)
{
    const auto load = [this] {
        const std::string path = m_look.bitmapPath("senka.bmp");
        m_picture.bitmapLoadFile(path.c_str());
        m_background.bitmapLoadFile(path.c_str());
    };
    if (!ui::loadAndCreate(*this, windowMade, load))
        return false;
    ui::placeInfoWindow(*this, kClassName, { kWidth, kHeight }, m_game.settings().leftInfoPanel);
    redraw();
    m_dialogKeys.attach(this);
    ShowWindow(handle(), SW_SHOW);
    return true;
}

void SenkaInfoWindow::redraw()
{
    BitmapDcHolder memory(m_picture.handle());
    HDC dc = memory.dc();
    memory.blitBitmap(0, 0, m_background.handle(), RECT { 0, 0, kWidth, kHeight });
    const int country = m_game.turnBlock().currentCountry;
    // The neutral side and the time before the first country have no record. Another country's
    // own figures show as the country information shows them.
    if (country < kCountryCount) {
        const SenkaFigures figures = senkaFigures(m_game, country);
        const bool known = ViewerView(m_game).knowsFigures(country);
        TextHolder text(dc, m_look.font(kFigureFont).handle(), kBlack);
        for (int i = 0; i < 12; ++i) {
            const bool everyones = i < kTurnRows || i == kAllBasesRow;
            const std::string figure = known || everyones ? panel::cappedFigure(figures.values[i], kFigureDigits) : "????????";
            panel::text(dc, kFigureLeft, kRows[i], kFigureRight, kRows[i] + 16, figure.c_str(), DT_RIGHT);
        }
    }
}

int SenkaInfoWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kResultsRefresh:
    case ui_message::kResultsRedraw:
        redraw();
        InvalidateRect(handle(), nullptr, FALSE);
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}
