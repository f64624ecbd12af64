// IncomeWindow: its figures drawn once on the picture, a close button and drag by any point.
#include "infowin/income_window.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"

#include <cstdio>

namespace {

std::string number(const char* format, long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

IncomeWindow::IncomeWindow(const WindowContext& context, swCWindow* parent, int32_t income)
    : DrawnDialog(dialog_template::kPopup, parent, { .drawn = true, .drag = Drag::Anywhere, .closing = ui::Closing::EndModal })
    , m_game(context.game)
    , m_look(context.look)
    , m_income(income)
{
    registerGameDialogTemplates();
}

int IncomeWindow::OnInitDialog()
{
    placeCentred(kWidth, kHeight);
    m_canvas.load(m_look, "income.bmp", { 0, 0, kWidth, kHeight });
    GameState& state = m_game;
    // The income of the country whose phase it is, told only to a viewer who knows its figures.
    if (const CountryRecord* known = ViewerView(state).figures(state.turnBlock().currentCountry)) {
        const CountryRecord& country = *known;
        HFONT font = m_look.font(kSmallFont).handle();
        const UINT right = DT_RIGHT | DT_SINGLELINE;
        m_canvas.text({ 216, 12, 252, 24 }, number("%lld", m_income), RGB(255, 255, 255), font, right);
        const COLORREF funds = country.funds == country.fundsCeiling ? kCeilingColour : RGB(255, 255, 255);
        m_canvas.text({ 192, 36, 252, 48 }, number("%lld", country.funds), funds, font, right);
        const std::string rate = state.ruleOn(kRuleMarketRate) ? number("%lld%%", country.marketRate) : "--";
        m_canvas.text({ 228, 60, 252, 72 }, rate, RGB(255, 255, 255), font, right);
    }
    makeBitmapButton<IncomeButton112x32>(this, 0, kCloseButton, 144, 128);
    SendMessageA(handle(), DM_SETDEFID, kCloseButton, 0);
    return 1;
}

int IncomeWindow::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    if (id == kCloseButton || id == IDOK) {
        closeWith(1);
        return 1;
    }
    return DrawnDialog::OnCommand(msg, id, code);
}
