// VictoryConditionDialog: its page, loading and saving a country's entry, and the tab that refuses
// to leave a country whose share is out of range.
#include "editors/victory_condition_dialog.h"

#include "editors/panel_page.h"
#include "editors/window_frame.h"
#include "lib/edit.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "ui/dialog_templates.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <string>

namespace {

constexpr SIZE kVictoryClient { 316, 280 };

// The page's controls, in page coordinates; the edit box is made apart for its digit filter.
struct PageControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    RECT frame; // x, y, width, height
};

const PageControl kPageControls[] = {
    { victory_id::kConditionsGroup, "Button", "勝利条件", BS_GROUPBOX, { 0, 0, 308, 124 } },
    { victory_id::kBuilding, "Button", "建物勝利条件", BS_AUTOCHECKBOX | WS_TABSTOP, { 16, 16, 96, 14 } },
    { victory_id::kBuildingAll, "Button", "すべて", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 112, 16, 60, 14 } },
    { victory_id::kBuildingAny, "Button", "どれかひとつ", BS_AUTORADIOBUTTON, { 172, 16, 96, 14 } },
    { victory_id::kUnit, "Button", "部隊勝利条件", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 16, 36, 96, 14 } },
    { victory_id::kUnitAll, "Button", "すべて", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 112, 36, 60, 14 } },
    { victory_id::kUnitAny, "Button", "どれかひとつ", BS_AUTORADIOBUTTON, { 172, 36, 96, 14 } },
    { victory_id::kTransport, "Button", "輸送勝利条件", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 16, 56, 96, 14 } },
    { victory_id::kShareCaption, "Static", "達成機数", SS_LEFT, { 112, 56, 48, 12 } },
    { victory_id::kShareUnit, "Static", "%以上", SS_LEFT, { 190, 56, 30, 12 } },
    { victory_id::kCivilians, "Button", "民間人陣営の部隊も含む", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 112, 74, 156, 14 } },
    { victory_id::kAnyOne, "Button", "上記どれかひとつの条件を満たすと勝利となる。", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
        { 16, 92, 288, 12 } },
    { victory_id::kAllOf, "Button", "上記すべての条件を満たすと勝利となる。", BS_AUTORADIOBUTTON, { 16, 106, 276, 12 } },
    { victory_id::kTurnOverGroup, "Button", "ターンオーバー", BS_GROUPBOX | WS_GROUP, { 0, 132, 308, 54 } },
    { victory_id::kTurnOverCaption, "Static", "ターン制限を越えた場合", SS_LEFT, { 16, 148, 132, 12 } },
    { victory_id::kVictory, "Button", "勝利", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 32, 166, 48, 14 } },
    { victory_id::kDefeat, "Button", "敗北", BS_AUTORADIOBUTTON, { 80, 166, 48, 14 } },
    { victory_id::kDraw, "Button", "引分", BS_AUTORADIOBUTTON, { 128, 166, 48, 14 } },
};

using ui::cp;

} // namespace

VictoryConditionDialog::VictoryConditionDialog(const WindowContext& context, swCWindow* owner, int modeless,
    const VictoryConditionEntries& entries, VictoryDialogMode mode)
    : KitWindow(modeless == 1 ? dialog_template::kModelessInfo : dialog_template::kRuleSetting, owner, modeless == 1)
    , m_game(context.game)
    , m_look(context.look)
    , m_entries(entries)
    , m_mode(mode)
{
    registerGameDialogTemplates();
}

int VictoryConditionDialog::OnInitDialog()
{
    if (modeless())
        ui::placeInfoWindow(*this, kPlacementPrefix, { kVictoryClient.cx, kVictoryClient.cy },
            m_game.settings().leftInfoPanel, TRUE);
    else
        ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr,
            { kVictoryClient.cx, kVictoryClient.cy }, { .repaint = TRUE });
    HFONT font = m_look.font(kSmallFont).handle();
    m_tab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_MULTILINE, 0, 0,
        kVictoryClient.cx, 242, handle(), reinterpret_cast<HMENU>(INT_PTR(victory_id::kTab)), nullptr, nullptr);
    SendMessageA(m_tab, WM_SETFONT, WPARAM(font), FALSE);
    for (int c = 0; c < kCountryCount; ++c) {
        std::string name = playerColourName(c);
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageA(m_tab, TCM_INSERTITEMA, WPARAM(c), LPARAM(&item));
    }
    createPage();
    if (m_mode == kVictorySet) {
        makePushButton(handle(), m_look, "OK", victory_id::kOk, 108, 248);
        makePushButton(handle(), m_look, "ｷｬﾝｾﾙ", victory_id::kCancel, 212, 248);
        SendMessageA(handle(), DM_SETDEFID, victory_id::kOk, 0);
    } else {
        makePushButton(handle(), m_look, "OK", victory_id::kCancel, 212, 248);
        SendMessageA(handle(), DM_SETDEFID, victory_id::kCancel, 0);
    }
    m_country = 0;
    loadCountry(0, -1);
    SetWindowTextA(handle(), cp(m_mode == kVictorySet ? "勝利条件設定" : "勝利条件確認").c_str());
    return 0;
}

void VictoryConditionDialog::createPage()
{
    auto* page = new WinCondLabel(this, victory_id::kPage);
    page->controlCreate({ 4, 44, 308, 190 });
    m_page = page->handle();
    HFONT font = m_look.font(kSmallFont).handle();
    for (const PageControl& c : kPageControls) {
        HWND control = CreateWindowExA(0, c.className, cp(c.text).c_str(), WS_CHILD | WS_VISIBLE | c.style,
            c.frame.left, c.frame.top, c.frame.right, c.frame.bottom, m_page, reinterpret_cast<HMENU>(INT_PTR(c.id)),
            nullptr, nullptr);
        SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
        // The share sits between its caption and its unit, in the tab order of the transport row.
        if (c.id == victory_id::kShareCaption) {
            auto* share = new swCEdit(page, victory_id::kShare, ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP);
            share->editSetAllowedChars("0123456789");
            share->setStyle(WS_CHILD | WS_VISIBLE | ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
            share->controlCreate({ 160, 53, 30, 18 });
            SendMessageA(share->handle(), EM_LIMITTEXT, 3, 0);
            SendMessageA(share->handle(), WM_SETFONT, WPARAM(font), FALSE);
        }
    }
}

bool VictoryConditionDialog::pageSettable() const
{
    return m_mode == kVictorySet && victoryConditionsSettable(m_game, m_country);
}

bool VictoryConditionDialog::loadCountry(int country, int previous)
{
    SetWindowPos(m_page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (previous >= 0 && !saveCountry(previous)) {
        SendMessageA(m_tab, TCM_SETCURSEL, WPARAM(previous), 0);
        m_country = previous;
        return false;
    }
    m_country = country;
    using namespace victory_entry;
    const VictoryConditionEntry& e = m_entries[size_t(country)];
    auto check = [this](int control, bool on) { CheckDlgButton(m_page, control, on ? BST_CHECKED : BST_UNCHECKED); };
    check(victory_id::kBuilding, e[kBuilding] != 0);
    check(victory_id::kBuildingAny, e[kBuilding] == 2);
    check(victory_id::kBuildingAll, e[kBuilding] != 2);
    check(victory_id::kUnit, e[kUnit] != 0);
    check(victory_id::kUnitAny, e[kUnit] == 2);
    check(victory_id::kUnitAll, e[kUnit] != 2);
    check(victory_id::kTransport, e[kShare] != 0);
    SetDlgItemInt(m_page, victory_id::kShare, e[kShare] ? e[kShare] : 100, FALSE);
    check(victory_id::kCivilians, e[kFlags] & kCountCivilians);
    check(victory_id::kAllOf, e[kFlags] & kAllConditions);
    check(victory_id::kAnyOne, !(e[kFlags] & kAllConditions));
    check(victory_id::kVictory, e[kTurnOver] == 1);
    check(victory_id::kDefeat, e[kTurnOver] == 2);
    check(victory_id::kDraw, e[kTurnOver] == 0);
    if (pageSettable()) {
        applyEnabling();
    } else {
        for (const PageControl& c : kPageControls)
            if (c.id != victory_id::kConditionsGroup && c.id != victory_id::kTurnOverGroup)
                EnableWindow(GetDlgItem(m_page, c.id), FALSE);
        EnableWindow(GetDlgItem(m_page, victory_id::kShare), FALSE);
        check(victory_id::kAnyOne, false);
        check(victory_id::kAllOf, false);
    }
    InvalidateRect(m_page, nullptr, TRUE);
    return true;
}

void VictoryConditionDialog::applyEnabling()
{
    auto checked = [this](int control) { return IsDlgButtonChecked(m_page, control) == BST_CHECKED; };
    VictoryPageChecks checks { checked(victory_id::kBuilding), checked(victory_id::kUnit), checked(victory_id::kTransport),
        checked(victory_id::kCivilians), checked(victory_id::kAnyOne), checked(victory_id::kAllOf) };
    const VictoryConditionChances chances = victoryConditionChances(m_game, m_country);
    const VictoryPageEnabling on =
        applyVictoryEnabling(chances, m_entries[size_t(m_country)][victory_entry::kFlags], checks);
    auto enable = [this](int control, bool state) { EnableWindow(GetDlgItem(m_page, control), state); };
    enable(victory_id::kBuilding, on.building);
    enable(victory_id::kBuildingAll, on.buildingChoice);
    enable(victory_id::kBuildingAny, on.buildingChoice);
    enable(victory_id::kUnit, on.unit);
    enable(victory_id::kUnitAll, on.unitChoice);
    enable(victory_id::kUnitAny, on.unitChoice);
    enable(victory_id::kTransport, on.transport);
    for (int control : { victory_id::kShare, victory_id::kShareCaption, victory_id::kShareUnit })
        enable(control, on.share);
    enable(victory_id::kCivilians, on.civilians);
    enable(victory_id::kAnyOne, on.combination);
    enable(victory_id::kAllOf, on.combination);
    for (int control : { victory_id::kTurnOverCaption, victory_id::kVictory, victory_id::kDefeat, victory_id::kDraw })
        enable(control, on.turnOver);
    CheckDlgButton(m_page, victory_id::kCivilians, checks.civilians ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_page, victory_id::kAnyOne, checks.anyOne ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_page, victory_id::kAllOf, checks.allOf ? BST_CHECKED : BST_UNCHECKED);
}

bool VictoryConditionDialog::saveCountry(int country)
{
    // A greyed page could not be changed; its entry stays exactly as it came in.
    if (m_mode != kVictorySet || !victoryConditionsSettable(m_game, country))
        return true;
    auto checked = [this](int control) { return IsDlgButtonChecked(m_page, control) == BST_CHECKED; };
    using namespace victory_entry;
    VictoryConditionEntry& e = m_entries[size_t(country)];
    int share = 0;
    bool civilians = false;
    if (checked(victory_id::kTransport)) {
        BOOL read = FALSE;
        share = int(GetDlgItemInt(m_page, victory_id::kShare, &read, FALSE));
        if (!read || share < 1 || share > 100) {
            modalMessageBox(this, cp("達成機数には1～100までを指定してください。").c_str(), cp("注意").c_str());
            return false;
        }
        civilians = checked(victory_id::kCivilians);
    }
    e[kShare] = uint8_t(share);
    e[kFlags] = uint8_t((e[kFlags] & ~(kCountCivilians | kAllConditions)) | (civilians ? kCountCivilians : 0)
        | (checked(victory_id::kAllOf) ? kAllConditions : 0));
    e[kBuilding] = !checked(victory_id::kBuilding) ? 0 : checked(victory_id::kBuildingAll) ? 1 : 2;
    e[kUnit] = !checked(victory_id::kUnit) ? 0 : checked(victory_id::kUnitAll) ? 1 : 2;
    e[kTurnOver] = checked(victory_id::kVictory) ? 1 : checked(victory_id::kDefeat) ? 2 : 0;
    return true;
}

void VictoryConditionDialog::close(INT_PTR result)
{
    if (!modeless()) {
        ui::endWindow(*this, result);
        return;
    }
    askOwnerToClose(*this, ui_message::kCloseVictoryWindow);
}

const ui::WindowDescription& VictoryConditionDialog::description() const
{
    // Only the modeless form keeps its place.
    static const ui::WindowDescription kModal { nullptr, false, ui::Drag::ByFrame, ui::Closing::Itself, 0, 0, true };
    static const ui::WindowDescription kModeless { kPlacementPrefix, false, ui::Drag::ByFrame, ui::Closing::Itself, 0, 0, true };
    return modeless() ? kModeless : kModal;
}

void VictoryConditionDialog::closeGesture() { close(0); }

int VictoryConditionDialog::OnMessage(MessageRecord& msg)
{
    if (runPanelCommand(*this, msg))
        return 1;
    return KitWindow::OnMessage(msg);
}

int VictoryConditionDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    // Enter reaches the dialog as IDOK: the confirm form has only its closing "OK".
    case IDOK:
        if (m_mode != kVictorySet) {
            close(0);
            return 1;
        }
        [[fallthrough]];
    case victory_id::kOk:
        if (m_mode == kVictorySet && saveCountry(m_country))
            close(1);
        return 1;
    case victory_id::kCancel:
    case IDCANCEL:
        close(0);
        return 1;
    case victory_id::kBuilding:
    case victory_id::kUnit:
    case victory_id::kTransport:
        if (code == BN_CLICKED && pageSettable())
            applyEnabling();
        return 1;
    default:
        return DialogBase::OnCommand(msg, control, code);
    }
}

int VictoryConditionDialog::OnNotify(MessageRecord&, UINT control, NMHDR* header)
{
    if (control != UINT(victory_id::kTab) || !header || header->code != UINT(TCN_SELCHANGE))
        return 0;
    const int chosen = int(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0));
    if (chosen >= 0 && chosen < kCountryCount && chosen != m_country)
        loadCountry(chosen, m_country);
    return 1;
}
