// MapSettingsDialog: the map's general settings, the tab pages, the rule and victory buttons, OK
// with its checks and cancel with its snapshot.
#include "dialogs/map_settings_dialog.h"

#include "dialogs/map_preview_fields.h"
#include "dialogs/map_settings_boxes.h"
#include "dialogs/map_settings_common.h"
#include "dialogs/map_settings_ids.h"
#include "dialogs/map_settings_validation.h"
#include "dialogs/music_preview.h"
#include "editors/panel_page.h"
#include "editors/rule_setting_dialog.h"
#include "editors/victory_condition_dialog.h"
#include "lib/edit.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

constexpr SIZE kClient { 648, 478 };
constexpr SIZE kSimpleClient { 648, 442 };

using ui::cp;

void check(HWND dialog, int control, bool on) { CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED); }
bool checked(HWND dialog, int control) { return IsDlgButtonChecked(dialog, control) == BST_CHECKED; }

} // namespace

MapSettingsDialog::MapSettingsDialog(const WindowContext& context, swCWindow* owner)
    : KitWindow(dialog_template::kMapSettings, owner, false)
    , m_state(context.game)
    , m_look(context.look)
    , m_main(context.main)
{
    registerGameDialogTemplates();
    m_state.listMusicFiles();
    for (int c = 0; c < kCountryCount; ++c) {
        m_snapshot[size_t(c)] = m_state.country(c);
        if (const ProductionTypeRecord* own = m_state.sideProductionType(c))
            m_productionSnapshot[size_t(c)] = *own;
    }
    std::memcpy(m_neutralSnapshot, m_state.neutralBlock(), sizeof m_neutralSnapshot);
    m_ruleSnapshot = m_state.ruleBlock();
    m_participants.fill(-1);
    for (int c = 0; c < kCountryCount; ++c)
        if (m_state.country(c).controller != 0)
            m_participants[size_t(m_participantCount++)] = c;
}

MapSettingsDialog::~MapSettingsDialog() = default;

HWND MapSettingsDialog::slotPage() const { return m_slots ? m_slots->handle() : nullptr; }

bool MapSettingsDialog::previewStoppedMusic() const { return m_preview && m_preview->stoppedGameMusic(); }

int MapSettingsDialog::slotCountry(int slot, bool otherPage) const
{
    const int page = otherPage ? 1 - m_page : m_page;
    const int index = slot + kSlots * page;
    return slot >= 0 && slot < kSlots && index >= 0 && index < kCountryCount ? m_participants[size_t(index)] : -1;
}

int MapSettingsDialog::slotOfCountry(int country, bool otherPage) const
{
    for (int slot = 0; slot < kSlots; ++slot)
        if (country >= 0 && slotCountry(slot, otherPage) == country)
            return slot;
    return -1;
}

int MapSettingsDialog::OnInitDialog()
{
    const bool simple = m_state.isSimpleMode();
    const SIZE client = simple ? kSimpleClient : kClient;
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr, { client.cx, client.cy }, { .repaint = TRUE });
    SetWindowTextA(handle(), cp("マップ設定変更").c_str());
    m_neutralUnits = m_state.liveUnitCount(8);
    m_preview = std::make_unique<MusicPreview>(m_main, handle());
    createGeneralControls();
    for (int slot = 0; slot < kSlots; ++slot)
        createSlot(slot);
    createButtons();
    setDayNightEnables();
    loadPage();
    SendMessageA(handle(), DM_SETDEFID, map_settings_id::kOk, 0);
    SetFocus(item(map_settings_id::kComment));
    return 0;
}

// The controls are made in reading order, which is the order Tab takes: the options at the top,
// the page strip, the country slots (createSlot), then the buttons.
void MapSettingsDialog::createGeneralControls()
{
    const bool simple = m_state.isSimpleMode();
    const int pageHeight = simple ? 212 : 248;
    HWND dialog = handle();
    HFONT font = m_look.font(kSmallFont).handle();
    const MapHeader& header = m_state.mapHeader();
    makeMapHeading(dialog, m_state, font, map_settings_id::kHeading);
    makeSettingsControl(dialog, "Static", cp(" ﾀｰﾝ制限："), SS_LEFT, map_settings_id::kTurnLimitLabel, { 160, 68, 72, 12 }, font);
    auto* limit = new swCEdit(this, map_settings_id::kTurnLimit, 0);
    limit->editSetAllowedChars("0123456789");
    limit->setStyle(WS_CHILD | WS_VISIBLE | ES_RIGHT | WS_DISABLED, WS_EX_CLIENTEDGE);
    limit->controlCreate({ 224, 64, 30, 20 });
    SendMessageA(limit->handle(), EM_LIMITTEXT, 3, 0);
    SendMessageA(limit->handle(), WM_SETFONT, WPARAM(font), FALSE);
    SetDlgItemInt(dialog, map_settings_id::kTurnLimit, UINT(header.turnLimit), FALSE);
    makeSettingsControl(dialog, "Button", cp("昼のみ"), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, map_settings_id::kDayOnly,
        { 290, 20, 60, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("夜のみ"), BS_AUTORADIOBUTTON, map_settings_id::kNightOnly, { 290, 35, 60, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("昼夜"), BS_AUTORADIOBUTTON, map_settings_id::kDayAndNight, { 290, 50, 40, 12 }, font);
    makeSettingsControl(dialog, "Static", cp(" 昼夜ﾀｰﾝ："), SS_LEFT, map_settings_id::kDayNightLabel, { 330, 50, 60, 12 }, font);
    auto* turns = new swCEdit(this, map_settings_id::kDayNightTurns, 0);
    turns->editSetAllowedChars("0123456789");
    turns->setStyle(WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_RIGHT, WS_EX_CLIENTEDGE);
    turns->controlCreate({ 390, 47, 26, 18 });
    SendMessageA(turns->handle(), EM_LIMITTEXT, 3, 0);
    SendMessageA(turns->handle(), WM_SETFONT, WPARAM(font), FALSE);
    SetDlgItemInt(dialog, map_settings_id::kDayNightTurns, UINT(shownDayNightTurns(header)), FALSE);
    makeSettingsControl(dialog, "Static", cp("開始時間："), SS_LEFT, map_settings_id::kStartLabel, { 296, 65, 60, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("昼"), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, map_settings_id::kStartDay,
        { 356, 65, 30, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("夜"), BS_AUTORADIOBUTTON, map_settings_id::kStartNight, { 386, 65, 30, 12 }, font);
    check(dialog, map_settings_id::kStartDay, header.startTime == 0);
    check(dialog, map_settings_id::kStartNight, header.startTime == 1);
    const DayNight dayNight = dayNightOf(header);
    const bool switchOn = m_state.ruleOn(kRuleDayNight);
    check(dialog, map_settings_id::kDayOnly, !switchOn || dayNight == DayNight::DayOnly);
    check(dialog, map_settings_id::kNightOnly, switchOn && dayNight == DayNight::NightOnly);
    check(dialog, map_settings_id::kDayAndNight, switchOn && dayNight == DayNight::Alternating);
    makeSettingsControl(dialog, "Static", cp("建物収入："), SS_LEFT, map_settings_id::kIncomeLabel, { 160, 86, 60, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("あり"), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, map_settings_id::kIncomeYes,
        { 220, 86, 48, 12 }, font);
    makeSettingsControl(dialog, "Button", cp("なし"), BS_AUTORADIOBUTTON, map_settings_id::kIncomeNo, { 268, 86, 48, 12 }, font);
    check(dialog, map_settings_id::kIncomeYes, header.buildingIncome == 1);
    check(dialog, map_settings_id::kIncomeNo, header.buildingIncome != 1);
    makeSettingsControl(dialog, "Edit", std::string(mapDescription(header)),
        ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_GROUP | WS_TABSTOP, map_settings_id::kComment, { 160, 102, 256, 62 }, font);
    makeSettingsControl(dialog, "Static", cp("建物数："), SS_LEFT, map_settings_id::kFacilityLabel, { 423, 20, 48, 12 }, font);
    m_thumbnail = createMapPreviews(*this, m_state, m_look, map_settings_id::kThumbnail, map_settings_id::kFacilityTable);

    // The strip stands above the slot page in the Tab order, and so in the z-order: transparent,
    // it leaves its body to the page beneath.
    m_tab = makeSettingsControl(dialog, WC_TABCONTROLA, "", WS_GROUP | WS_TABSTOP, map_settings_id::kTab,
        { 4, 166, 640, pageHeight + 28 }, font);
    SetWindowLongPtrA(m_tab, GWL_EXSTYLE, GetWindowLongPtrA(m_tab, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    for (int page = 0; page < pageCount(); ++page) {
        std::string text;
        for (int i = 0; i < kSlots; ++i)
            if (const int c = m_participants[size_t(4 * page + i)]; c >= 0)
                text += colourLetter(c);
        TCITEMA tab {};
        tab.mask = TCIF_TEXT;
        tab.pszText = text.data();
        SendMessageA(m_tab, TCM_INSERTITEMA, WPARAM(page), LPARAM(&tab));
    }
}

void MapSettingsDialog::createButtons()
{
    const int height = m_state.isSimpleMode() ? kSimpleClient.cy : kClient.cy;
    HWND dialog = handle();
    HFONT buttons = m_look.font(kFont14).handle();
    makeSettingsControl(dialog, "Button", cp("ルール設定"), BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, map_settings_id::kRules,
        { 8, height - 28, 96, 24 }, buttons);
    if (!m_state.isSimpleMode())
        makeSettingsControl(dialog, "Button", cp("勝利条件設定"), BS_PUSHBUTTON | WS_TABSTOP, map_settings_id::kVictory,
            { 112, height - 28, 96, 24 }, buttons);
    makeSettingsControl(dialog, "Static", "", SS_LEFT, map_settings_id::kNote, { 220, height - 28, 190, 24 },
        m_look.font(kSmallFont).handle());
    makeSettingsControl(dialog, "Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, map_settings_id::kOk, { 440, height - 28, 96, 24 }, buttons);
    makeSettingsControl(dialog, "Button", cp("ｷｬﾝｾﾙ"), BS_PUSHBUTTON | WS_TABSTOP, map_settings_id::kCancel,
        { 544, height - 28, 96, 24 }, buttons);
}

void MapSettingsDialog::setDayNightEnables()
{
    HWND dialog = handle();
    const bool switchOn = m_state.ruleOn(kRuleDayNight);
    for (int control : { map_settings_id::kDayOnly, map_settings_id::kNightOnly, map_settings_id::kDayAndNight })
        EnableWindow(item(control), switchOn);
    if (!switchOn) {
        check(dialog, map_settings_id::kDayOnly, true);
        check(dialog, map_settings_id::kNightOnly, false);
        check(dialog, map_settings_id::kDayAndNight, false);
    }
    const bool alternating = checked(dialog, map_settings_id::kDayAndNight);
    for (int control : { map_settings_id::kDayNightTurns, map_settings_id::kDayNightLabel, map_settings_id::kStartLabel, map_settings_id::kStartDay, map_settings_id::kStartNight })
        EnableWindow(item(control), alternating);
}

bool MapSettingsDialog::validate(unsigned counted)
{
    const SettingsCheck result = checkSettings(settingsFactsOf(m_state), counted);
    if (result.fault == SettingsFault::None)
        return true;
    modalMessageBox(this, settingsFaultText(result).c_str(), cp("注意").c_str());
    return false;
}

bool MapSettingsDialog::changePage(int page)
{
    if (page == m_page || page < 0 || page >= pageCount())
        return false;
    storePage();
    unsigned counted = 0;
    for (int slot = 0; slot < kSlots; ++slot)
        if (const int c = slotCountry(slot); c >= 0)
            counted |= 1u << c;
    if (!validate(counted)) {
        // Setting the selection sends no notification: the page left stays as it is.
        SendMessageA(m_tab, TCM_SETCURSEL, WPARAM(m_page), 0);
        return false;
    }
    m_page = page;
    loadPage();
    return true;
}

bool MapSettingsDialog::checkDayNightTurns()
{
    // The turns between day and night are checked only while they alternate; a period as long as
    // the game would never bring the other time.
    if (!m_state.ruleOn(kRuleDayNight) || !checked(handle(), map_settings_id::kDayAndNight))
        return true;
    const int turns = int(GetDlgItemInt(handle(), map_settings_id::kDayNightTurns, nullptr, FALSE));
    const int limit = m_state.mapHeader().turnLimit;
    const char* fault = nullptr;
    if (turns == 0)
        fault = "昼夜ターン数を設定してください。";
    else if (limit > 0 && turns >= limit)
        fault = "昼夜ターン数に最大ターン数以上の値が設定されています。";
    if (!fault)
        return true;
    modalMessageBox(this, cp(fault).c_str(), cp("注意").c_str());
    return false;
}

bool MapSettingsDialog::accept()
{
    storePage();
    if (!validate(0xFF) || !checkDayNightTurns())
        return false;
    HWND dialog = handle();
    MapHeader& header = m_state.mapHeader();
    // The turn limit cannot be edited here: the map's own stands, whatever it is.
    if (checked(dialog, map_settings_id::kDayAndNight)) {
        header.setDayNightTurns(int(GetDlgItemInt(dialog, map_settings_id::kDayNightTurns, nullptr, FALSE)));
        header.startTime = uint8_t(checked(dialog, map_settings_id::kStartDay) ? 0 : 1);
    } else {
        header.setDayNightTurns(kNoAlternation);
        header.startTime = uint8_t(checked(dialog, map_settings_id::kNightOnly) ? 1 : 0);
    }
    header.buildingIncome = checked(dialog, map_settings_id::kIncomeYes) ? 1 : 0;
    m_state.neutralBlock()[0] = uint8_t(m_camps->shownCivilianMask());
    m_state.pruneVictoryConditions(m_state.neutralBlock()[0]);
    return true;
}

int MapSettingsDialog::DataExchange(int save)
{
    if (save && !accept())
        return 0;
    return DialogBase::DataExchange(save);
}

void MapSettingsDialog::cancel()
{
    if (m_preview && m_preview->stoppedGameMusic())
        m_main.restartMusic();
    for (int c = 0; c < kCountryCount; ++c) {
        m_state.country(c) = m_snapshot[size_t(c)];
        m_state.setSideProductionType(c, m_productionSnapshot[size_t(c)]);
    }
    std::memcpy(m_state.neutralBlock(), m_neutralSnapshot, sizeof m_neutralSnapshot);
    m_state.ruleBlock() = m_ruleSnapshot;
    end(0);
}

void MapSettingsDialog::end(INT_PTR result)
{
    m_result = result;
    Destroy();
}

void MapSettingsDialog::openRules()
{
    RuleSlot rules;
    rules.block = m_state.ruleBlock();
    const uint8_t productionLimit = rules.block.switches[kRuleProductionLimit];
    const std::optional<RuleSlot> chosen = RuleSettingDialog::runForMode(makeWindowContext(m_state), this, rules, kRuleSet);
    if (!chosen)
        return;
    const RuleSlot& edited = *chosen;
    m_state.ruleBlock() = edited.block;
    setDayNightEnables();
    if (edited.block.switches[kRuleProductionLimit] != productionLimit)
        for (int slot = 0; slot < kSlots; ++slot)
            setSlotEnables(slot);
}

void MapSettingsDialog::openVictoryConditions()
{
    uint8_t& neutral = m_state.neutralBlock()[0];
    const uint8_t kept = neutral;
    neutral = uint8_t(m_camps->shownCivilianMask());
    m_state.pruneVictoryConditions(neutral);
    VictoryConditionDialog dialog(makeWindowContext(m_state), this, 0, victoryConditionEntriesOf(m_state), kVictorySet);
    dialog.run();
    if (dialog.result() == 1)
        storeVictoryConditionEntries(m_state, dialog.entries());
    neutral = kept;
}

int MapSettingsDialog::OnMessage(MessageRecord& msg)
{
    if (runPanelCommand(*this, msg))
        return 1;
    if (msg.message == WM_TIMER)
        return 1;
    return KitWindow::OnMessage(msg);
}

void MapSettingsDialog::destroying()
{
    if (m_preview)
        m_preview->stop();
}

int MapSettingsDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    const int c = int(control);
    if (c >= map_settings_id::kParticipation && c < map_settings_id::kParticipation + kSlots) {
        if (code == CBN_SELCHANGE)
            changeParticipation(c - map_settings_id::kParticipation);
        return 1;
    }
    if (c >= map_settings_id::kAlliance && c < map_settings_id::kAlliance + 8 * kSlots) {
        if (code == BN_CLICKED)
            m_camps->onAllianceClicked((c - map_settings_id::kAlliance) / 8, (c - map_settings_id::kAlliance) % 8);
        return 1;
    }
    if (c >= map_settings_id::kCivilian && c < map_settings_id::kCivilian + kSlots) {
        if (code == BN_CLICKED)
            m_camps->onCivilianClicked(c - map_settings_id::kCivilian);
        return 1;
    }
    if (c >= map_settings_id::kPact && c < map_settings_id::kPact + 8 * kSlots) {
        if (code == BN_CLICKED)
            m_camps->onPactClicked((c - map_settings_id::kPact) / 8, (c - map_settings_id::kPact) % 8);
        return 1;
    }
    if (c >= map_settings_id::kMusicPreview && c < map_settings_id::kMusicPreview + kSlots) {
        const int slot = c - map_settings_id::kMusicPreview;
        HWND list = slotItem(map_settings_id::kMusic + slot);
        const int selected = int(SendMessageA(list, CB_GETCURSEL, 0, 0));
        const int music = selected < 0 ? -1 : int(SendMessageA(list, CB_GETITEMDATA, WPARAM(selected), 0));
        m_preview->play(m_state, music);
        return 1;
    }
    switch (c) {
    case map_settings_id::kImageView:
    case map_settings_id::kBuildingsView:
        if (code == BN_CLICKED)
            showThumbnailView(m_thumbnail, IsDlgButtonChecked(handle(), map_settings_id::kBuildingsView) == BST_CHECKED);
        return 1;
    case map_settings_id::kDayOnly:
    case map_settings_id::kNightOnly:
    case map_settings_id::kDayAndNight:
        setDayNightEnables();
        return 1;
    case map_settings_id::kRules: openRules(); return 1;
    case map_settings_id::kVictory: openVictoryConditions(); return 1;
    case map_settings_id::kOk:
    case IDOK:
        if (DataExchange(1))
            end(1);
        return 1;
    case map_settings_id::kCancel:
    case IDCANCEL:
        cancel();
        return 1;
    default:
        return DialogBase::OnCommand(msg, control, code);
    }
}

int MapSettingsDialog::OnNotify(MessageRecord&, UINT control, NMHDR* header)
{
    if (control != UINT(map_settings_id::kTab) || !header || header->code != UINT(TCN_SELCHANGE))
        return 0;
    changePage(int(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0)));
    return 1;
}
