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

namespace vid = victory_id;

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
    { vid::kConditionsGroup, "Button", "勝利条件", BS_GROUPBOX, { 0, 0, 308, 124 } },
    { vid::kBuilding, "Button", "建物勝利条件", BS_AUTOCHECKBOX | WS_TABSTOP, { 16, 16, 96, 14 } },
    { vid::kBuildingAll, "Button", "すべて", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 112, 16, 60, 14 } },
    { vid::kBuildingAny, "Button", "どれかひとつ", BS_AUTORADIOBUTTON, { 172, 16, 96, 14 } },
    { vid::kUnit, "Button", "部隊勝利条件", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 16, 36, 96, 14 } },
    { vid::kUnitAll, "Button", "すべて", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 112, 36, 60, 14 } },
    { vid::kUnitAny, "Button", "どれかひとつ", BS_AUTORADIOBUTTON, { 172, 36, 96, 14 } },
    { vid::kTransport, "Button", "輸送勝利条件", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 16, 56, 96, 14 } },
    { vid::kShareCaption, "Static", "達成機数", SS_LEFT, { 112, 56, 48, 12 } },
    { vid::kShareUnit, "Static", "%以上", SS_LEFT, { 190, 56, 30, 12 } },
    { vid::kCivilians, "Button", "民間人陣営の部隊も含む", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, { 112, 74, 156, 14 } },
    { vid::kAnyOne, "Button", "上記どれかひとつの条件を満たすと勝利となる。", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
        { 16, 92, 288, 12 } },
    { vid::kAllOf, "Button", "上記すべての条件を満たすと勝利となる。", BS_AUTORADIOBUTTON, { 16, 106, 276, 12 } },
    { vid::kTurnOverGroup, "Button", "ターンオーバー", BS_GROUPBOX | WS_GROUP, { 0, 132, 308, 54 } },
    { vid::kTurnOverCaption, "Static", "ターン制限を越えた場合", SS_LEFT, { 16, 148, 132, 12 } },
    { vid::kVictory, "Button", "勝利", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, { 32, 166, 48, 14 } },
    { vid::kDefeat, "Button", "敗北", BS_AUTORADIOBUTTON, { 80, 166, 48, 14 } },
    { vid::kDraw, "Button", "引分", BS_AUTORADIOBUTTON, { 128, 166, 48, 14 } },
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
        kVictoryClient.cx, 242, handle(), reinterpret_cast<HMENU>(INT_PTR(vid::kTab)), nullptr, nullptr);
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
        makePushButton(handle(), m_look, "OK", vid::kOk, 108, 248);
        makePushButton(handle(), m_look, "ｷｬﾝｾﾙ", vid::kCancel, 212, 248);
        SendMessageA(handle(), DM_SETDEFID, vid::kOk, 0);
    } else {
        makePushButton(handle(), m_look, "OK", vid::kCancel, 212, 248);
        SendMessageA(handle(), DM_SETDEFID, vid::kCancel, 0);
    }
    m_country = 0;
    loadCountry(0, -1);
    SetWindowTextA(handle(), cp(m_mode == kVictorySet ? "勝利条件設定" : "勝利条件確認").c_str());
    return 0;
}

void VictoryConditionDialog::createPage()
{
    auto* page = new WinCondLabel(this, vid::kPage);
    page->controlCreate({ 4, 44, 308, 190 });
    m_page = page->handle();
    HFONT font = m_look.font(kSmallFont).handle();
    for (const PageControl& c : kPageControls) {
        HWND control = CreateWindowExA(0, c.className, cp(c.text).c_str(), WS_CHILD | WS_VISIBLE | c.style,
            c.frame.left, c.frame.top, c.frame.right, c.frame.bottom, m_page, reinterpret_cast<HMENU>(INT_PTR(c.id)),
            nullptr, nullptr);
        SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
        // The share sits between its caption and its unit, in the tab order of the transport row.
        if (c.id == vid::kShareCaption) {
            auto* share = new swCEdit(page, vid::kShare, ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP);
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
    check(vid::kBuilding, e[kBuilding] != 0);
    check(vid::kBuildingAny, e[kBuilding] == 2);
    check(vid::kBuildingAll, e[kBuilding] != 2);
    check(vid::kUnit, e[kUnit] != 0);
    check(vid::kUnitAny, e[kUnit] == 2);
    check(vid::kUnitAll, e[kUnit] != 2);
    check(vid::kTransport, e[kShare] != 0);
    SetDlgItemInt(m_page, vid::kShare, e[kShare] ? e[kShare] : 100, FALSE);
    check(vid::kCivilians, e[kFlags] & kCountCivilians);
    check(vid::kAllOf, e[kFlags] & kAllConditions);
    check(vid::kAnyOne, !(e[kFlags] & kAllConditions));
    check(vid::kVictory, e[kTurnOver] == 1);
    check(vid::kDefeat, e[kTurnOver] == 2);
    check(vid::kDraw, e[kTurnOver] == 0);
    if (pageSettable()) {
        applyEnabling();
    } else {
        for (const PageControl& c : kPageControls)
            if (c.id != vid::kConditionsGroup && c.id != vid::kTurnOverGroup)
                EnableWindow(GetDlgItem(m_page, c.id), FALSE);
        EnableWindow(GetDlgItem(m_page, vid::kShare), FALSE);
        check(vid::kAnyOne, false);
        check(vid::kAllOf, false);
    }
    InvalidateRect(m_page, nullptr, TRUE);
    return true;
}

void VictoryConditionDialog::applyEnabling()
{
    auto checked = [this](int control) { return IsDlgButtonChecked(m_page, control) == BST_CHECKED; };
    VictoryPageChecks checks { checked(vid::kBuilding), checked(vid::kUnit), checked(vid::kTransport),
        checked(vid::kCivilians), checked(vid::kAnyOne), checked(vid::kAllOf) };
    const VictoryConditionChances chances = victoryConditionChances(m_game, m_country);
    const VictoryPageEnabling on =
        applyVictoryEnabling(chances, m_entries[size_t(m_country)][victory_entry::kFlags], checks);
    auto enable = [this](int control, bool state) { EnableWindow(GetDlgItem(m_page, control), state); };
    enable(vid::kBuilding, on.building);
    enable(vid::kBuildingAll, on.buildingChoice);
    enable(vid::kBuildingAny, on.buildingChoice);
    enable(vid::kUnit, on.unit);
    enable(vid::kUnitAll, on.unitChoice);
    enable(vid::kUnitAny, on.unitChoice);
    enable(vid::kTransport, on.transport);
    for (int control : { vid::kShare, vid::kShareCaption, vid::kShareUnit })
        enable(control, on.share);
    enable(vid::kCivilians, on.civilians);
    enable(vid::kAnyOne, on.combination);
    enable(vid::kAllOf, on.combination);
    for (int control : { vid::kTurnOverCaption, vid::kVictory, vid::kDefeat, vid::kDraw })
        enable(control, on.turnOver);
    CheckDlgButton(m_page, vid::kCivilians, checks.civilians ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_page, vid::kAnyOne, checks.anyOne ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_page, vid::kAllOf, checks.allOf ? BST_CHECKED : BST_UNCHECKED);
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
    if (checked(vid::kTransport)) {
        BOOL read = FALSE;
        share = int(GetDlgItemInt(m_page, vid::kShare, &read, FALSE));
        if (!read || share < 1 || share > 100) {
            modalMessageBox(this, cp("達成機数には1～100までを指定してください。").c_str(), cp("注意").c_str());
            return false;
        }
        civilians = checked(vid::kCivilians);
    }
    e[kShare] = uint8_t(share);
    e[kFlags] = uint8_t((e[kFlags] & ~(kCountCivilians | kAllConditions)) | (civilians ? kCountCivilians : 0)
        | (checked(vid::kAllOf) ? kAllConditions : 0));
    e[kBuilding] = !checked(vid::kBuilding) ? 0 : checked(vid::kBuildingAll) ? 1 : 2;
    e[kUnit] = !checked(vid::kUnit) ? 0 : checked(vid::kUnitAll) ? 1 : 2;
    e[kTurnOver] = checked(vid::kVictory) ? 1 : checked(vid::kDefeat) ? 2 : 0;
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
    case vid::kOk:
        if (m_mode == kVictorySet && saveCountry(m_country))
            close(1);
        return 1;
    case vid::kCancel:
    case IDCANCEL:
        close(0);
        return 1;
    case vid::kBuilding:
    case vid::kUnit:
    case vid::kTransport:
        if (code == BN_CLICKED && pageSettable())
            applyEnabling();
        return 1;
    default:
        return DialogBase::OnCommand(msg, control, code);
    }
}

int VictoryConditionDialog::OnNotify(MessageRecord&, UINT control, NMHDR* header)
{
    if (control != UINT(vid::kTab) || !header || header->code != UINT(TCN_SELCHANGE))
        return 0;
    const int chosen = int(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0));
    if (chosen >= 0 && chosen < kCountryCount && chosen != m_country)
        loadCountry(chosen, m_country);
    return 1;
}
