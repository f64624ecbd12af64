// RuleListWindow: the drawn list of the user rules, its selection and the edit of one rule.
#include "editors/rule_list_window.h"

#include "editors/rule_setting_dialog.h"
#include "editors/window_frame.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <cstdio>

namespace {

constexpr SIZE kRuleListClient { 248, 480 };
constexpr COLORREF kTextColour = 0x02FFFFFF;

RECT pressedRow()
{
    const auto& r = bitmap_buttons::kRuleListSelectedRow;
    return { r.left, r.top, r.right, r.bottom };
}

void drawText(HDC dc, const std::string& text, RECT area, UINT format)
{
    DrawTextA(dc, text.c_str(), int(text.size()), &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void stampRuleSlot(RuleSlot& slot, const SYSTEMTIME& now)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", now.wYear, now.wMonth, now.wDay);
    slot.date = text;
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    slot.time = text;
}

RuleSlotButton::RuleSlotButton(swCWindow* parent, const GameState& game, const Presentation& look, int row, const swCBitmap& background,
    const swCBitmap& buttons, int x, int y)
    : swCControl("Button", parent, UINT(rule_list_id::kFirstRow + row), BS_OWNERDRAW)
    , m_game(game)
    , m_look(look)
    , m_row(row)
    , m_background(background)
    , m_buttons(buttons)
    , m_x(x)
    , m_y(y)
{
    controlCreate({ x, y, kWidth, kHeight });
}

void RuleSlotButton::setPressed(bool pressed)
{
    m_pressed = pressed;
    setTabStop(pressed);
}

int RuleSlotButton::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_GETDLGCODE: {
        const auto* key = reinterpret_cast<const MSG*>(msg.lParam);
        const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        msg.result = DLGC_BUTTON | DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
        return 1;
    }
    case WM_KEYDOWN:
        if (msg.wParam == VK_DOWN || msg.wParam == VK_UP) {
            const int next = m_row + (msg.wParam == VK_DOWN ? 1 : -1);
            if (next >= 0 && next < rule_list_id::kRowCount)
                SendMessageA(GetDlgItem(GetParent(handle()), rule_list_id::kFirstRow + next), BM_CLICK, 0, 0);
            return 1;
        }
        if (msg.wParam == VK_RETURN) {
            postToParent(WM_COMMAND, MAKEWPARAM(controlId(), BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(handle()));
            return 1;
        }
        break;
    default:
        break;
    }
    return swCControl::OnMessage(msg);
}

void RuleSlotButton::DrawItem(DRAWITEMSTRUCT* item)
{
    PaletteHolder holder(item->hDC);
    if (m_pressed)
        holder.blitBitmap(0, 0, m_buttons.handle(), pressedRow());
    else
        holder.blitBitmap(0, 0, m_background.handle(), RECT { m_x, m_y, m_x + kWidth, m_y + kHeight });
    const RuleSlot& slot = m_game.ruleSlot(rule_list_id::kFirstListedSlot + m_row);
    HDC dc = item->hDC;
    HGDIOBJ oldFont = SelectObject(dc, m_look.font(kSmallFont).handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, kTextColour);
    if (slot.used()) {
        drawText(dc, slot.name, { 8, 4, 80, 16 }, DT_LEFT);
        drawText(dc, slot.date, { 96, 4, 156, 16 }, DT_LEFT);
        drawText(dc, slot.time, { 172, 4, 220, 16 }, DT_LEFT);
    } else {
        drawText(dc, "--------", { 8, 4, 80, 16 }, DT_CENTER);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    // The row Tab reached shows it; Space then chooses it.
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item->rcItem);
}

RuleListWindow::RuleListWindow(const WindowContext& context, swCWindow* owner)
    : DrawnEditorWindow(dialog_template::kPopup, owner, "slot_rule.bmp", kPlacementPrefix, ui::Closing::EndModal,
          rule_list_id::kClose)
    , m_context(context)
    , m_game(context.game)
{
    registerGameDialogTemplates();
}

int RuleListWindow::OnInitDialog()
{
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr,
        { kRuleListClient.cx, kRuleListClient.cy }, { .repaint = TRUE });
    // Not shown (the window has no caption); it names the window for the person's tools.
    SetWindowTextA(handle(), platform::utf8ToCp932("ルール作成").c_str());
    for (int row = 0; row < rule_list_id::kRowCount; ++row) {
        m_rows[size_t(row)] = new RuleSlotButton(this, m_game, m_context.look, row, *m_background, *m_buttons, 8, 36 + 20 * row);
        m_rows[size_t(row)]->setPressed(row == m_selected);
    }
    new EditGridButton72x24(this, 0, rule_list_id::kEdit, 80, 448);
    new EditGridButton72x24(this, 2, rule_list_id::kClose, 168, 448);
    windowRestorePlacement(kPlacementPrefix, false, true);
    return 0;
}

int RuleListWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    const int row = int(control) - rule_list_id::kFirstRow;
    if (row >= 0 && row < rule_list_id::kRowCount) {
        select(row);
        if (code == BN_DOUBLECLICKED)
            edit(row);
        return 1;
    }
    switch (control) {
    case rule_list_id::kEdit:
        edit(m_selected);
        return 1;
    default:
        return DrawnEditorWindow::OnCommand(msg, control, code);
    }
}

void RuleListWindow::select(int row)
{
    m_selected = row;
    for (RuleSlotButton* button : m_rows) {
        const bool pressed = button == m_rows[size_t(row)];
        if (button->pressed() == pressed)
            continue;
        button->setPressed(pressed);
        InvalidateRect(button->handle(), nullptr, FALSE);
        UpdateWindow(button->handle());
    }
}

void RuleListWindow::edit(int row)
{
    const int slotIndex = rule_list_id::kFirstListedSlot + row;
    const RuleSlot& current = m_game.ruleSlot(slotIndex);
    std::optional<RuleSlot> chosen = RuleSettingDialog::runForMode(m_context, this, current, kRuleEdit);
    if (!chosen)
        return;
    RuleSlot& edited = *chosen;
    SYSTEMTIME now {};
    GetLocalTime(&now);
    stampRuleSlot(edited, now);
    // The rule file is named by the block's rule number: it must be the slot's own, never a fixed rule's.
    edited.block.lead = uint8_t(slotIndex);
    m_game.setRuleSlot(slotIndex, edited);
    InvalidateRect(m_rows[size_t(row)]->handle(), nullptr, FALSE);
    m_game.saveRuleFile(slotIndex);
}
