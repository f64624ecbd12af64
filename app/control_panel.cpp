// ControlPanel: its messages and its drawing, composed off-screen and copied in one blit.
#include "app/control_panel.h"

#include "lib/media/bitmap.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/private_messages.h"
#include "ui/presentation.h"

namespace {

constexpr int kLeft = 8;
constexpr int kSideTop = 4;
constexpr int kUnitTop = 74;
constexpr int kHexTop = 189;
constexpr int kHeadingPitch = 18;
constexpr int kLinePitch = 15;

constexpr COLORREF kPanelBackground = RGB(24, 28, 22);
constexpr COLORREF kRule = RGB(92, 104, 84);

} // namespace

ControlPanel::ControlPanel(swCWindow* parent, GameState& state)
    : swCWindow(kClassName, parent)
    , m_state(state)
{
    m_windowClass.hbrBackground = nullptr;
    setStyle(WS_CHILD | WS_VISIBLE);
    setFrame(0, 0, kWidth, kHeight);
    readSide();
    readUnit();
    readHex();
}

ControlPanel::~ControlPanel() = default;

std::vector<PanelLine> ControlPanel::lines() const
{
    std::vector<PanelLine> all = m_sideLines;
    all.insert(all.end(), m_unitLines.begin(), m_unitLines.end());
    all.insert(all.end(), m_hexLines.begin(), m_hexLines.end());
    return all;
}

const UnitRecord* ControlPanel::seenUnit() const { return ViewerView(m_state).unit(m_unitSide, m_unitIndex); }

void ControlPanel::readSide() { m_sideLines = sideFactLines(m_state); }

void ControlPanel::readUnit() { m_unitLines = unitFactLines(m_state, m_unitSide, m_unitIndex); }

void ControlPanel::readHex()
{
    // The defence shown is the one the terrain gives the shown unit, while the viewer sees it.
    const UnitRecord* unit = m_state.unitOf(m_unitSide, m_unitIndex);
    const bool seen = unit && unitExists(*unit) && ViewerView(m_state).seesUnit(m_unitSide, m_unitIndex);
    m_hexLines = hexFactLines(m_state, m_hexX, m_hexY, seen ? unit : nullptr);
}

void ControlPanel::redraw()
{
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

int ControlPanel::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kPanelFullRefresh:
        readSide();
        readUnit();
        readHex();
        break;
    case ui_message::kPanelStartGameView:
        m_unitSide = m_unitIndex = m_hexX = m_hexY = -1;
        readSide();
        readUnit();
        readHex();
        break;
    case ui_message::kPanelShowUnit:
        m_unitSide = int(msg.wParam & 0xFFFF);
        m_unitIndex = int(msg.wParam >> 16 & 0xFFFF);
        readUnit();
        readHex();
        break;
    case ui_message::kPanelRefreshUnit:
        readUnit();
        break;
    case ui_message::kPanelShowHex:
        m_hexX = int(msg.wParam & 0xFFFF);
        m_hexY = int(msg.wParam >> 16 & 0xFFFF);
        readHex();
        break;
    case ui_message::kPanelRefreshHex:
        readHex();
        break;
    case ui_message::kPanelSideFacts:
        readSide();
        break;
    case ui_message::kPanelValue:
        m_value = uint8_t(msg.wParam);
        return 1;
    case WM_ERASEBKGND:
        msg.result = 1;
        return 1;
    case WM_PAINT:
        paint();
        return 1;
    default:
        return 0;
    }
    redraw();
    return 1;
}

void ControlPanel::paint()
{
    PaintDcHolder target(handle());
    RECT client {};
    GetClientRect(handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    swCBitmap picture(target, width, height);
    MemoryDcHolder canvas(target.dc());
    HGDIOBJ old = SelectObject(canvas.dc(), picture.handle());
    canvas.fillRectColor(0, 0, width - 1, height - 1, kPanelBackground);
    canvas.drawPolyline(4, kUnitTop - 4, width - 5, kUnitTop - 4, kRule);
    canvas.drawPolyline(4, kHexTop - 4, width - 5, kHexTop - 4, kRule);
    const HFONT headingFont = presentation().font(kFont14Bold).handle();
    const HFONT lineFont = presentation().font(kSmallFont).handle();
    auto drawSection = [&](const std::vector<PanelLine>& lines, int y) {
        for (const PanelLine& line : lines) {
            canvas.drawTextColor(kLeft, y, line.text.c_str(), line.colour, line.heading ? headingFont : lineFont);
            y += line.heading ? kHeadingPitch : kLinePitch;
        }
    };
    drawSection(m_sideLines, kSideTop);
    drawSection(m_unitLines, kUnitTop);
    drawSection(m_hexLines, kHexTop);
    BitBlt(target.dc(), 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
    SelectObject(canvas.dc(), old);
}
