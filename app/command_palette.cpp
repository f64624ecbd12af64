// CommandPalette: the command buttons with their names, enabled by the rules' mask of the shown unit.
#include "app/command_palette.h"

#include "app/palette_look.h"
#include "ui/private_messages.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/dc_holders.h"
#include "platform/kernel/host.h"

#include <string>

namespace {

constexpr int kMargin = 4;
constexpr int kCellWidth = 106;
constexpr int kRowPitch = 25;
constexpr int kGridRows = 12;
constexpr int kBottomRowTop = kMargin + kGridRows * kRowPitch + 4;
constexpr int kEndButtonLeft = 30;
constexpr int kCancelButtonLeft = 114;
constexpr int kEndActionCode = 26;
constexpr int kMoveOrderCode = 25;

constexpr COLORREF kText = RGB(236, 236, 220);
constexpr COLORREF kGreyText = RGB(110, 112, 104);

const char* const kNames[CommandPalette::kCommandCount] = { "", "攻撃", "射撃", "占領", "変形", "破壊", "妨害", "修復",
    "補強", "合流", "分散", "収納", "搭載", "空挺", "武装交換", "架橋", "ﾄｰﾁｶ設営", "道路施設", "補給", "解散",
    "民間人収容", "民間人解放", "自爆", "地雷除去", "機雷掃海", "", "行動終了" };

bool hasButton(int code) { return code > 0 && code < CommandPalette::kCommandCount && code != kMoveOrderCode; }

POINT gridCell(int code)
{
    const int i = code - 1;
    return { kMargin + (i % 2) * kCellWidth, kMargin + (i / 2) * kRowPitch };
}

} // namespace

const char* commandName(int code)
{
    static const auto names = [] {
        std::array<std::string, CommandPalette::kCommandCount> out;
        for (int i = 0; i < CommandPalette::kCommandCount; ++i)
            out[size_t(i)] = platform::utf8ToCp932(kNames[i]);
        return out;
    }();
    return code >= 0 && code < CommandPalette::kCommandCount ? names[size_t(code)].c_str() : "";
}

CommandPalette::CommandPalette(swCWindow* parent)
    : swCWindow(kClassName, parent)
{
    m_windowClass.hbrBackground = nullptr;
    setStyle(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    setFrame(0, 0, kWidth, kHeight);
}

CommandPalette::~CommandPalette() = default;

BOOL CommandPalette::Create()
{
    if (!swCWindow::Create())
        return FALSE;
    m_font.fontCreate(12, FW_NORMAL, platform::utf8ToCp932("ＭＳ ゴシック").c_str());
    // The global new: the palette owns its buttons; they do not delete themselves with their windows.
    for (int code = 1; code < kCommandCount; ++code) {
        if (!hasButton(code))
            continue;
        const UINT id = kFirstButtonId + UINT(code);
        if (code == kEndActionCode) {
            m_buttons[size_t(code)].reset(::new ComButton72x24(this, 0, id, kEndButtonLeft, kBottomRowTop));
        } else {
            const POINT at = gridCell(code);
            m_buttons[size_t(code)].reset(::new ComButton24x24(this, code - 1, id, at.x, at.y));
        }
    }
    m_cancel.reset(::new ComButton72x24(this, 1, kCancelButtonId, kCancelButtonLeft, kBottomRowTop));
    showCommands(0, -1);
    return TRUE;
}

void CommandPalette::enable(BitmapButton* button, bool on)
{
    if (button && button->handle() && bool(IsWindowEnabled(button->handle())) != on)
        EnableWindow(button->handle(), on ? TRUE : FALSE);
}

void CommandPalette::showCommands(uint32_t mask, int32_t unit)
{
    const bool hasUnit = unit >= 0;
    m_unit = hasUnit ? unit : -1;
    m_mask = hasUnit ? mask : 0;
    for (int code = 1; code < kCommandCount; ++code) {
        const bool on = hasUnit && (code == kEndActionCode || (m_mask >> code & 1u) != 0);
        enable(m_buttons[size_t(code)].get(), on);
    }
    enable(m_cancel.get(), hasUnit);
    if (handle())
        InvalidateRect(handle(), nullptr, FALSE);
}

bool CommandPalette::isCommandEnabled(int code) const
{
    HWND button = commandButton(code);
    return button && IsWindowEnabled(button);
}

HWND CommandPalette::commandButton(int code) const
{
    if (!hasButton(code) || !m_buttons[size_t(code)])
        return nullptr;
    return m_buttons[size_t(code)]->handle();
}

HWND CommandPalette::cancelButton() const { return m_cancel ? m_cancel->handle() : nullptr; }

int CommandPalette::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kPaletteShowCommands:
        // -1 may arrive widened or as its 32-bit pattern; both mean no unit.
        showCommands(uint32_t(msg.wParam), int32_t(uint32_t(msg.lParam)));
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
}

int CommandPalette::OnCommand(MessageRecord&, UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return 0;
    if (id == kCancelButtonId) {
        if (m_mapWindow)
            PostMessageA(m_mapWindow, ui_message::kMapCancelOrder, 0, 0);
        return 1;
    }
    const int command = int(id) - int(kFirstButtonId);
    if (!hasButton(command))
        return 0;
    if (m_mapWindow && isCommandEnabled(command))
        PostMessageA(m_mapWindow, ui_message::kMapCommandChosen, WPARAM(command), 0);
    return 1;
}

void CommandPalette::paint()
{
    PaintDcHolder dc(handle());
    RECT client {};
    GetClientRect(handle(), &client);
    dc.fillRectColor(0, 0, client.right - 1, client.bottom - 1, kPaletteBackground);
    for (int code = 1; code < kEndActionCode; ++code) {
        if (!hasButton(code))
            continue;
        const POINT at = gridCell(code);
        const COLORREF colour = isCommandEnabled(code) ? kText : kGreyText;
        dc.drawTextColor(at.x + 28, at.y + 6, commandName(code), colour, m_font.handle());
    }
}
