// MapSettingsListDialog: the general facts, the eight country columns and the buttons.
#include "dialogs/map_settings_list_dialog.h"

#include "dialogs/map_preview_fields.h"
#include "dialogs/map_settings_common.h"
#include "dialogs/map_settings_ids.h"
#include "editors/rule_setting_dialog.h"
#include "editors/victory_condition_dialog.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

constexpr SIZE kListClient { 648, 690 };
constexpr SIZE kListSimpleClient { 648, 618 };

using ui::cp;

constexpr CountryFrameIds kListFrameIds { map_list_id::kGroupBox, map_list_id::kLabels, map_list_id::kAlliance, map_list_id::kCivilian, map_list_id::kPact };

const char* dayNightWord(DayNight dayNight)
{
    switch (dayNight) {
    case DayNight::DayOnly: return "昼のみ";
    case DayNight::NightOnly: return "夜のみ";
    default: return "昼夜";
    }
}

} // namespace

MapSettingsListDialog::MapSettingsListDialog(const WindowContext& context, swCWindow* owner, bool withCancel, bool withChange)
    : KitWindow(dialog_template::kMapSettings, owner, false)
    , m_state(context.game)
    , m_look(context.look)
    , m_withCancel(withCancel)
    , m_withChange(withChange)
{
    registerGameDialogTemplates();
    m_state.listMusicFiles();
}

int MapSettingsListDialog::OnInitDialog()
{
    const SIZE client = m_state.isSimpleMode() ? kListSimpleClient : kListClient;
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr, { client.cx, client.cy }, { .repaint = TRUE });
    SetWindowTextA(handle(), cp("マップ設定一覧").c_str());
    createGeneralControls();
    for (int c = 0; c < kCountryCount; ++c)
        createCountry(c);
    SendMessageA(handle(), DM_SETDEFID, map_list_id::kOk, 0);
    SetFocus(GetDlgItem(handle(), map_list_id::kComment));
    return 0;
}

void MapSettingsListDialog::createGeneralControls()
{
    const int height = m_state.isSimpleMode() ? kListSimpleClient.cy : kListClient.cy;
    HWND dialog = handle();
    HFONT font = m_look.font(kSmallFont).handle();
    HFONT buttons = m_look.font(kFont14).handle();
    const MapHeader& header = m_state.mapHeader();
    const bool campaign = m_state.campaignBlock().campaignFlag == 1;
    makeSettingsControl(dialog, "Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, map_list_id::kOk,
        { m_withCancel ? 440 : 544, height - 28, 96, 24 }, buttons);
    if (m_withCancel)
        makeSettingsControl(dialog, "Button", cp("ｷｬﾝｾﾙ"), BS_PUSHBUTTON | WS_TABSTOP, map_list_id::kCancel,
            { 544, height - 28, 96, 24 }, buttons);
    makeMapHeading(dialog, m_state, font, map_list_id::kHeading);
    makeSettingsControl(dialog, "Static", cp(" ﾀｰﾝ制限：") + std::to_string(header.turnLimit), SS_LEFT,
        map_list_id::kTurnLimit, { 160, 68, 90, 12 }, font);
    makeSettingsControl(dialog, "Static",
        cp("建物収入：") + cp(header.buildingIncome == 1 ? "あり" : "なし"), SS_LEFT, map_list_id::kIncome,
        { 160, 86, 90, 12 }, font);
    const DayNight dayNight = dayNightOf(header);
    makeSettingsControl(dialog, "Static", cp(dayNightWord(dayNight)), SS_LEFT, map_list_id::kDayNight, { 296, 50, 36, 12 }, font);
    if (dayNight == DayNight::Alternating) {
        makeSettingsControl(dialog, "Static", cp(" 昼夜ﾀｰﾝ：") + std::to_string(shownDayNightTurns(header)), SS_LEFT,
            map_list_id::kDayNightTurns, { 330, 50, 78, 12 }, font);
        makeSettingsControl(dialog, "Static",
            cp("開始時間：") + cp(header.startTime == 0 ? "昼" : "夜"), SS_LEFT, map_list_id::kStartTime,
            { 296, 65, 72, 12 }, font);
    }
    makeSettingsControl(dialog, "Edit", std::string(mapDescription(header)),
        ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, map_list_id::kComment, { 160, 102, 256, 62 }, font);
    makeSettingsControl(dialog, "Static", cp("建物数："), SS_LEFT, map_list_id::kFacilityLabel, { 423, 20, 48, 12 }, font);
    m_thumbnail = createMapPreviews(*this, m_state, m_look, map_list_id::kThumbnail, map_list_id::kFacilityTable);
    if (m_withChange) {
        makeSettingsControl(dialog, "Button", cp("設定変更"), BS_PUSHBUTTON | WS_TABSTOP, map_list_id::kChange,
            { 8, height - 28, 96, 24 }, buttons);
    } else if (campaign) {
        makeSettingsControl(dialog, "Button", cp("ルール設定"), BS_PUSHBUTTON | WS_TABSTOP, map_list_id::kRules,
            { 8, height - 28, 96, 24 }, buttons);
        makeSettingsControl(dialog, "Button", cp("勝利条件設定"), BS_PUSHBUTTON | WS_TABSTOP, map_list_id::kVictory,
            { 112, height - 28, 96, 24 }, buttons);
    }
}

void MapSettingsListDialog::createCountry(int c)
{
    HWND dialog = handle();
    HFONT font = m_look.font(kSmallFont).handle();
    const bool simple = m_state.isSimpleMode();
    const int pageHeight = simple ? 212 : 248;
    CountryFrame frame;
    frame.ids = kListFrameIds;
    frame.index = c;
    frame.origin = { 158 * (c % 4) + 8, pageHeight * (c / 4) + 166 };
    frame.pageHeight = pageHeight;
    frame.simple = simple;
    createCountryFrame(dialog, frame, font);
    createRelationBoxes(dialog, frame, font);
    const CountryRecord& country = m_state.country(c);
    const bool active = country.takesPart();
    SetDlgItemTextA(dialog, map_list_id::kGroupBox + c, playerColourName(c));
    const int x = frame.origin.x;
    const int y = frame.origin.y;
    // Read-only, yet Tab stops as any edit field, so the keyboard can scroll a long text.
    const DWORD centred = ES_READONLY | ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
    const DWORD right = ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
    const ProductionTypeRecord* own = m_state.sideProductionType(c);
    const struct {
        int id;
        std::string text;
        DWORD style;
        RECT frame;
    } fields[] = {
        { map_list_id::kParticipation, participationText(country), centred, { x + 30, y + 13, 114, 20 } },
        { map_list_id::kName, std::string(boundedText(country.name, sizeof country.name)), centred, { x + 30, y + 33, 114, 20 } },
        { map_list_id::kProductionType, own ? std::string(boundedText(own->name, sizeof own->name)) : std::string(), centred, { x + 30, y + 53, 114, 20 } },
        { map_list_id::kFunds, std::to_string(country.funds), right, { x + 30, y + 73, 114, 20 } },
        { map_list_id::kFundsCap, std::to_string(country.fundsCeiling), right, { x + 30, y + 93, 114, 20 } },
        { map_list_id::kUnitLimit, std::to_string(country.unitListLength), right, { x + 30, y + 113, simple ? 114 : 40, 20 } },
        { map_list_id::kProductionLimit, std::to_string(country.productionLimit), right, { x + 104, y + 113, 40, 20 } },
        { map_list_id::kMusic, musicNameOf(m_state, country.anthemCode), centred, { x + 30, y + 133, 114, 20 } },
        { map_list_id::kStrategy, computerStrategyName(country.analysisByte), centred, { x + 30, y + 153, 114, 20 } },
    };
    for (const auto& f : fields) {
        HWND control = makeSettingsControl(dialog, "Edit", f.text, f.style, f.id + c, f.frame, font);
        EnableWindow(control, active);
        if (f.id == map_list_id::kProductionLimit && simple)
            ShowWindow(control, SW_HIDE);
    }
    const bool civilians = m_state.liveUnitCount(8) > 0 && m_state.isAllied(c, 8);
    CheckDlgButton(dialog, map_list_id::kCivilian + c, civilians ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, map_list_id::kCivilian + c), FALSE);
    for (int k = 0; k < kCountryCount; ++k) {
        const bool allied = k == c || (country.allianceMask >> k & 1);
        CheckDlgButton(dialog, map_list_id::kAlliance + 8 * c + k, allied ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, map_list_id::kPact + 8 * c + k, country.pactMask >> k & 1 ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, map_list_id::kAlliance + 8 * c + k), FALSE);
        EnableWindow(GetDlgItem(dialog, map_list_id::kPact + 8 * c + k), FALSE);
    }
    const int labels = map_list_id::kLabels + 11 * c;
    for (int k = 0; k <= 10; ++k)
        EnableWindow(GetDlgItem(dialog, labels + k), active);
    EnableWindow(GetDlgItem(dialog, map_list_id::kGroupBox + c), active);
}

void MapSettingsListDialog::showRules()
{
    RuleSlot rules;
    rules.block = m_state.ruleBlock();
    RuleSettingDialog::runForMode(makeWindowContext(m_state), this, rules, kRuleConfirm);
}

void MapSettingsListDialog::showVictoryConditions()
{
    VictoryConditionDialog dialog(makeWindowContext(m_state), this, 0, victoryConditionEntriesOf(m_state), kVictoryConfirm);
    dialog.run();
}

const ui::WindowDescription& MapSettingsListDialog::description() const
{
    static constexpr ui::WindowDescription kDescription { .floating = true, .okButton = map_list_id::kOk,
        .cancelButton = map_list_id::kCancel };
    return kDescription;
}

int MapSettingsListDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    case map_list_id::kChange:
        m_changeRequested = true;
        ui::endWindow(*this, 1);
        return 1;
    case map_list_id::kImageView:
    case map_list_id::kBuildingsView:
        if (code == BN_CLICKED)
            showThumbnailView(m_thumbnail, IsDlgButtonChecked(handle(), map_list_id::kBuildingsView) == BST_CHECKED);
        return 1;
    case map_list_id::kRules: showRules(); return 1;
    case map_list_id::kVictory: showVictoryConditions(); return 1;
    default:
        return KitWindow::OnCommand(msg, control, code);
    }
}
