// Building the rule option panels from the table, showing a block in them and reading it back.
#include "editors/rule_option_panel.h"

#include "editors/panel_page.h"
#include "rules/move_checks.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

HWND makeControl(HWND parent, const char* className, const std::string& text, DWORD style, int controlId,
    RECT frame, HFONT font, DWORD exStyle = 0)
{
    HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, frame.left,
        frame.top, frame.right, frame.bottom, parent, reinterpret_cast<HMENU>(INT_PTR(controlId)), nullptr, nullptr);
    if (control && font)
        SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
    return control;
}

using ui::cp;

// One row: the label, then each radio pair opening its own group inside the page. The buttons
// cover their texts and let them show through, so a click on a text picks its choice.
void addRuleOptionRow(HWND page, RuleOptionPanel& panel, const RuleOptionRow& row, HFONT font)
{
    const int s = row.ruleSwitch;
    const int x = row.x;
    const int y = row.y;
    const std::string label = cp(row.label);
    const std::string text1 = cp(row.text1);
    makeControl(page, "Static", label, SS_LEFT, rule_option_id::labelId(s), { x, y, 6 * int(label.size()), 12 }, font);
    const int w = std::min(6 * int(text1.size()) + 18, 96);
    auto& buttons = panel.buttons[size_t(s)];
    auto& texts = panel.texts[size_t(s)];
    buttons[0] = makeControl(page, "Button", "", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, rule_option_id::buttonId(s, 0),
        { x + 16, y + 13, 96, 12 }, font, WS_EX_TRANSPARENT);
    texts[0] = makeControl(page, "Static", cp(row.text0), SS_LEFT, rule_option_id::textId(s, 0), { x + 32, y + 13, 80, 12 },
        font);
    buttons[1] = makeControl(page, "Button", "", BS_AUTORADIOBUTTON | WS_TABSTOP, rule_option_id::buttonId(s, 1),
        { x + 112, y + 13, w, 12 }, font, WS_EX_TRANSPARENT);
    texts[1] = makeControl(page, "Static", text1, SS_LEFT, rule_option_id::textId(s, 1), { x + 128, y + 13, w - 16, 12 }, font);
}

HWND makePage(swCWindow& owner, int controlId, RECT frame)
{
    auto* page = new RuleLabel(&owner, UINT(controlId));
    page->controlCreate({ int(frame.left), int(frame.top), int(frame.right), int(frame.bottom) });
    return page->handle();
}

void addChoiceItem(HWND combo, const std::string& text, int ruleNumber)
{
    const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    if (item >= 0)
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(item), LPARAM(ruleNumber));
}

// "ルール：" with the rule choice or the name box at the top of the carrying window.
void buildNameRow(swCWindow& owner, HFONT font, const GameState& state, const RuleBlock& block, bool editable, bool nameBox,
    int listedSlots, RuleOptionPanel& panel)
{
    HWND window = owner.handle();
    makeControl(window, "Static", cp("ルール："), SS_LEFT, rule_option_id::kRuleCaption, { 8, 11, 56, 12 }, font);
    if (nameBox) {
        panel.nameBox = makeControl(window, "Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, rule_option_id::kRuleName, { 68, 8, 96, 24 },
            font, WS_EX_CLIENTEDGE);
        SendMessageA(panel.nameBox, EM_LIMITTEXT, kRuleNameBytes, 0);
        EnableWindow(panel.nameBox, editable);
        return;
    }
    panel.combo = makeControl(window, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, rule_option_id::kRuleCombo,
        { 68, 8, 112, 224 }, font);
    addChoiceItem(panel.combo, cp("カスタム"), kCustomRule);
    for (int slot = 0; slot < listedSlots; ++slot)
        if (state.ruleSlot(slot).used())
            addChoiceItem(panel.combo, state.ruleSlot(slot).name, slot);
    selectRuleChoice(panel, block.lead);
    EnableWindow(panel.combo, editable);
}

void showState(RuleOptionPanel& panel, const RuleOptionState& state)
{
    for (int s = 0; s < kRuleSwitchCount; ++s) {
        if (!panel.shows(s))
            continue;
        const int value = state.values[size_t(s)];
        for (int v = 0; v < 2; ++v) {
            SendMessageA(panel.buttons[size_t(s)][size_t(v)], BM_SETCHECK, v == value ? BST_CHECKED : BST_UNCHECKED, 0);
            EnableWindow(panel.texts[size_t(s)][size_t(v)], v == value);
            EnableWindow(panel.buttons[size_t(s)][size_t(v)], state.enabled[size_t(s)]);
        }
    }
}

int shownValue(const RuleOptionPanel& panel, int ruleSwitch)
{
    return SendMessageA(panel.buttons[size_t(ruleSwitch)][0], BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1;
}

} // namespace

void buildRuleOptionPanel(swCWindow& owner, HFONT font, const GameState& state, const RuleBlock& block, bool editable,
    bool nameBox, RuleOptionPanel& panel)
{
    panel = RuleOptionPanel {};
    buildNameRow(owner, font, state, block, editable, nameBox, kRuleSlotCount, panel);
    // A stop of the Tab walk, and a group of its own: the arrows turn its pages as a click does.
    panel.tab = makeControl(owner.handle(), WC_TABCONTROLA, "", WS_TABSTOP | WS_GROUP, rule_option_id::kTab, { 0, 36, 400, 360 }, font);
    const auto names = ruleOptionPageNames();
    for (size_t i = 0; i < names.size(); ++i) {
        std::string text = cp(names[i]);
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(panel.tab, TCM_INSERTITEMA, WPARAM(i), LPARAM(&item));
    }
    for (int p = 0; p < rule_option_id::kPageCount; ++p)
        panel.pages[size_t(p)] = makePage(owner, rule_option_id::kFirstPage + p, { 8, 60, 384, 330 });
    for (const RuleOptionRow& row : fullRuleOptionRows())
        addRuleOptionRow(panel.pages[size_t(row.page)], panel, row, font);
}

void buildShortRuleOptionPanel(swCWindow& owner, HFONT font, const GameState& state, const RuleBlock& block,
    bool editable, bool nameBox, RuleOptionPanel& panel)
{
    panel = RuleOptionPanel {};
    buildNameRow(owner, font, state, block, editable, nameBox, 1, panel);
    HWND page = makePage(owner, rule_option_id::kFirstPage, { 0, 40, 400, 90 });
    panel.pages.fill(page);
    for (const RuleOptionRow& row : shortRuleOptionRows())
        addRuleOptionRow(page, panel, row, font);
    ShowWindow(page, SW_SHOW);
}

void setRuleOptionValues(const GameState& state, RuleOptionPanel& panel, const RuleBlock& block, bool editable,
    bool lock)
{
    panel.lockStored = lock && !noUnitStored(state);
    panel.lockOnMap = lock && !noUnitOnMap(state);
    showState(panel, ruleOptionStateOf(block, editable, panel.lockStored, panel.lockOnMap));
}

bool clickRuleOption(RuleOptionPanel& panel, int controlId)
{
    int clicked = 0;
    int value = 0;
    if (!rule_option_id::decodeButtonId(controlId, clicked, value) || !panel.shows(clicked))
        return false;
    // The automatic radio button has already moved; everything else is read as it stands.
    RuleOptionState state;
    for (int s = 0; s < kRuleSwitchCount; ++s) {
        if (!panel.shows(s))
            continue;
        state.values[size_t(s)] = uint8_t(shownValue(panel, s));
        state.enabled[size_t(s)] = IsWindowEnabled(panel.buttons[size_t(s)][0]) != FALSE;
    }
    applyRuleGates(state);
    applyRuleLocks(state, panel.lockStored, panel.lockOnMap);
    showState(panel, state);
    return true;
}

void readRuleOptionValues(const RuleOptionPanel& panel, RuleBlock& block)
{
    for (int s = 0; s < kRuleSwitchCount; ++s)
        if (panel.shows(s))
            block.switches[s] = uint8_t(shownValue(panel, s));
}

void showRulePage(const RuleOptionPanel& panel, int page, int oldPage)
{
    if (page < 0 || page >= rule_option_id::kPageCount)
        return;
    if (oldPage >= 0 && oldPage < rule_option_id::kPageCount && panel.pages[size_t(oldPage)] != panel.pages[size_t(page)])
        ShowWindow(panel.pages[size_t(oldPage)], SW_HIDE);
    HWND shown = panel.pages[size_t(page)];
    // Just above the tab control, which it covers: the Tab walk goes from the rule choice
    // through the page's options to the tabs and the buttons.
    HWND above = panel.tab ? GetWindow(panel.tab, GW_HWNDPREV) : nullptr;
    if (above == shown)
        above = GetWindow(shown, GW_HWNDPREV);
    SetWindowPos(shown, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (panel.tab ? 0 : SWP_NOZORDER));
    InvalidateRect(shown, nullptr, TRUE);
    UpdateWindow(shown);
}

bool followRuleTab(const RuleOptionPanel& panel, const NMHDR* header, int& page)
{
    if (!header || !panel.tab || header->hwndFrom != panel.tab || header->code != UINT(TCN_SELCHANGE))
        return false;
    const int chosen = int(SendMessageA(panel.tab, TCM_GETCURSEL, 0, 0));
    if (chosen >= 0 && chosen != page) {
        showRulePage(panel, chosen, page);
        page = chosen;
    }
    return true;
}

void selectRuleChoice(const RuleOptionPanel& panel, int ruleNumber)
{
    if (!panel.combo)
        return;
    const LRESULT count = SendMessageA(panel.combo, CB_GETCOUNT, 0, 0);
    LRESULT chosen = 0;
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(panel.combo, CB_GETITEMDATA, WPARAM(i), 0) == ruleNumber) {
            chosen = i;
            break;
        }
    SendMessageA(panel.combo, CB_SETCURSEL, WPARAM(chosen), 0);
}

int chosenRuleNumber(const RuleOptionPanel& panel)
{
    const LRESULT item = panel.combo ? SendMessageA(panel.combo, CB_GETCURSEL, 0, 0) : CB_ERR;
    return item == CB_ERR ? 0 : int(SendMessageA(panel.combo, CB_GETITEMDATA, WPARAM(item), 0));
}

RulePanelWindow::RulePanelWindow(const WindowContext& context, swCWindow* owner, UINT templateId, bool modeless, bool shortForm)
    : KitWindow(templateId, owner, modeless)
    , m_game(context.game)
    , m_look(context.look)
    , m_short(shortForm)
{
}

SIZE RulePanelWindow::clientSize() const { return { 400, m_short ? 170 : 436 }; }

void RulePanelWindow::buildPanel(const RuleBlock& block, bool editable, bool nameBox)
{
    if (m_short)
        buildShortRuleOptionPanel(*this, m_look.font(kSmallFont).handle(), m_game, block, editable, nameBox, m_panel);
    else
        buildRuleOptionPanel(*this, m_look.font(kSmallFont).handle(), m_game, block, editable, nameBox, m_panel);
}

void RulePanelWindow::showFirstPage()
{
    m_page = 0;
    showRulePage(m_panel, m_page, -1);
}

int RulePanelWindow::OnMessage(MessageRecord& msg)
{
    if (runPanelCommand(*this, msg))
        return 1;
    return KitWindow::OnMessage(msg);
}

int RulePanelWindow::OnNotify(MessageRecord&, UINT, NMHDR* header)
{
    return followRuleTab(m_panel, header, m_page) ? 1 : 0;
}
