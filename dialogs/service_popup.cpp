// ServicePopup: the service popups' shared heading, figures and closing.
#include "dialogs/service_popup.h"

#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"

#include <cstdio>
#include <cstring>

void ServicePopup::showChoices(UINT firstChoice, const Choice (&choices)[3])
{
    for (UINT i = 0; i < 3; ++i) {
        HWND window = GetDlgItem(handle(), int(firstChoice + i));
        if (auto* button = dynamic_cast<BitmapButton*>(windowFromHandle(window))) {
            button->setHeldPressed(choices[i].chosen);
            EnableWindow(window, choices[i].enabled);
            InvalidateRect(window, nullptr, FALSE);
        }
    }
}

std::string formatNumber(const char* format, long long value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string formatPair(const char* format, long long a, long long b)
{
    char text[48];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

ServicePopup::ServicePopup(const WindowContext& context, swCWindow* owner, int side, int index)
    : DrawnDialog(dialog_template::kPopup, owner,
          ui::WindowDescription { .drawn = true, .drag = Drag::Anywhere, .closing = ui::Closing::Itself })
    , m_game(context.game)
    , m_look(context.look)
    , m_side(side)
    , m_index(index)
{
    registerGameDialogTemplates();
}

const UnitRecord* ServicePopup::unit() const
{
    const UnitRecord* record = m_game.unitOf(m_side, m_index);
    return record && unitExists(*record) ? record : nullptr;
}

HFONT ServicePopup::font() const { return m_look.font(kSmallFont).handle(); }

void ServicePopup::drawUnitHeading(int x, int y, const RECT& nameArea, const RECT& typeArea)
{
    const UnitRecord* record = unit();
    if (!record)
        return;
    m_canvas.draw([&](HDC dc) { m_look.drawUnitIcon(dc, x, y, m_side, record->unitTypeId, 0); });
    const COLORREF white = RGB(255, 255, 255);
    const UINT line = DT_LEFT | DT_SINGLELINE;
    m_canvas.text(nameArea, std::string(record->name, strnlen(record->name, sizeof record->name)), white, font(), line);
    const UnitTypeRecord& type = record->type();
    m_canvas.text(typeArea, std::string(type.name, strnlen(type.name, sizeof type.name)), white, font(), line);
}

void ServicePopup::drawFigure(const RECT& area, const std::string& text)
{
    m_canvas.restore(area);
    m_canvas.text(area, text, RGB(255, 255, 255), font(), DT_RIGHT | DT_SINGLELINE);
}

void ServicePopup::closeGesture()
{
    refuse();
    closeWith(0);
}

int ServicePopup::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    switch (id) {
    case kAccept:
    case IDOK:
        accept();
        closeWith(1);
        return 1;
    case kRefuse:
    case IDCANCEL:
        closeGesture();
        return 1;
    default:
        if (choose(id))
            return 1;
        return DrawnDialog::OnCommand(msg, id, code);
    }
}
