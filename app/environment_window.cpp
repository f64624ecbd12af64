// EnvironmentWindow: loading the options into the controls and writing back only what changed.
#include "app/environment_window.h"

#include "platform/kernel/host.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct CheckOption {
    int control;
    const char* key;
    bool GameSettings::*flag;
};

constexpr CheckOption kChecks[] = {
    { environment_id::kPlaySe, "PlaySE", &GameSettings::playSe },
    { environment_id::kPlayBgm, "PlayBGM", &GameSettings::playBgm },
    { environment_id::kPlayChime, "PlayChime", &GameSettings::playChime },
    { environment_id::kPlayMoneyAlarm, "PlayMoneyAlarm", &GameSettings::playMoneyAlarm },
    { environment_id::kShowFight, "ShowFight", &GameSettings::showFight },
    { environment_id::kFightScene, "FightOnReal", &GameSettings::fightOnReal },
    { environment_id::kFightOfAll, "FightOfAll", &GameSettings::fightOfAll },
    { environment_id::kBombAnim, "MapOnBombAnim", &GameSettings::mapOnBombAnim },
    { environment_id::kLevelEffect, "LevelEffect", &GameSettings::levelEffect },
    { environment_id::kStageNight, "StageNight", &GameSettings::stageNight },
    { environment_id::kTroopNumbers, "MapOnTroopNum", &GameSettings::mapOnTroopNum },
    { environment_id::kLeftInfoPanel, "LeftInfoPanel", &GameSettings::leftInfoPanel },
    { environment_id::kShowIncome, "ShowIncome", &GameSettings::showIncome },
    { environment_id::kShowTurnEnd, "ShowTurnEnd", &GameSettings::showTurnEnd },
    { environment_id::kShowBuildDialog, "ShowBuildDialog", &GameSettings::showBuildDialog },
    { environment_id::kAskSupply, "AskSupply", &GameSettings::askSupply },
};

constexpr int kTroopMoveChoices = 3;

// Options that mean something only while their switch is on are greyed with it.
struct Dependents {
    int control;
    int dependents[3];
};

constexpr Dependents kDependents[] = {
    { environment_id::kShowFight, { environment_id::kFightScene, environment_id::kFightWindow, environment_id::kFightOfAll } },
    { environment_id::kPlaySe, { environment_id::kSeVolume } },
    { environment_id::kPlayBgm, { environment_id::kWaveVolume } },
    { environment_id::kPlayMoneyAlarm, { environment_id::kMoneyAlarm } },
};

// Writes an integer key when the value changed.
void storeNumber(int32_t& field, int32_t value, const char* key)
{
    if (field == value)
        return;
    field = value;
    makeNamedValue(key).profileWriteInt(value);
}

} // namespace

bool anyPhaseHelpEnabled()
{
    return std::any_of(std::begin(kPhaseHelpKeys), std::end(kPhaseHelpKeys),
        [](const char* key) { return makeNamedValue(key).profileReadBool(true); });
}

void setAllPhaseHelp(bool on)
{
    for (const char* key : kPhaseHelpKeys)
        makeNamedValue(key).profileWriteBool(on);
}

EnvironmentWindow::EnvironmentWindow(swCWindow* owner, GameSettings& settings)
    : DialogBase(kTemplate, owner, false)
    , m_settings(settings)
{
    registerEnvironmentTemplate();
}

int EnvironmentWindow::volumePosition(int32_t volume)
{
    int steps = int(std::lround(double(volume) / kVolumeStep));
    return std::clamp(kVolumeSteps + steps, 0, kVolumeSteps);
}

int32_t EnvironmentWindow::positionVolume(int position)
{
    return int32_t(std::clamp(position, 0, kVolumeSteps) - kVolumeSteps) * kVolumeStep;
}

// Nonzero: the dialog manager puts the focus on the first option.
int EnvironmentWindow::OnInitDialog() { return 1; }

int EnvironmentWindow::DataExchange(int save)
{
    if (save)
        store();
    else
        load();
    return DialogBase::DataExchange(save);
}

void EnvironmentWindow::load()
{
    HWND dialog = handle();
    for (const CheckOption& option : kChecks)
        CheckDlgButton(dialog, option.control, m_settings.*option.flag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, environment_id::kFightWindow, m_settings.fightOnReal ? BST_UNCHECKED : BST_CHECKED);
    m_phaseHelp = anyPhaseHelpEnabled();
    CheckDlgButton(dialog, environment_id::kPhaseHelp, m_phaseHelp ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, environment_id::kMoneyAlarm, UINT(m_settings.moneyAlarm), TRUE);

    m_sePosition = volumePosition(m_settings.seVolume);
    m_wavePosition = volumePosition(m_settings.waveVolume);
    for (auto [control, position] : { std::pair { environment_id::kSeVolume, m_sePosition }, { environment_id::kWaveVolume, m_wavePosition } }) {
        SendDlgItemMessageA(dialog, control, TBM_SETRANGE, FALSE, MAKELPARAM(0, kVolumeSteps));
        SendDlgItemMessageA(dialog, control, TBM_SETPOS, TRUE, position);
    }

    const char* const moves[kTroopMoveChoices] = { "1ヘクスずつ", "2ヘクスおき", "最初のヘクスのみ" };
    for (const char* text : moves)
        SendDlgItemMessageA(dialog, environment_id::kTroopMoveAnim, CB_ADDSTRING, 0,
            LPARAM(platform::utf8ToCp932(text).c_str()));
    // A stored value the list does not know shows no choice and stays as it is.
    int move = m_settings.troopMoveAnim;
    SendDlgItemMessageA(dialog, environment_id::kTroopMoveAnim, CB_SETCURSEL, move >= 0 && move < kTroopMoveChoices ? move : -1, 0);
    for (const Dependents& entry : kDependents)
        enableDependents(entry.control);
}

void EnvironmentWindow::store()
{
    HWND dialog = handle();
    for (const CheckOption& option : kChecks) {
        bool on = IsDlgButtonChecked(dialog, option.control) == BST_CHECKED;
        if (on == m_settings.*option.flag)
            continue;
        m_settings.*option.flag = on;
        makeNamedValue(option.key).profileWriteBool(on);
    }
    bool phaseHelp = IsDlgButtonChecked(dialog, environment_id::kPhaseHelp) == BST_CHECKED;
    if (phaseHelp != m_phaseHelp)
        setAllPhaseHelp(phaseHelp);

    BOOL translated = FALSE;
    int alarm = int(GetDlgItemInt(dialog, environment_id::kMoneyAlarm, &translated, TRUE));
    if (translated)
        storeNumber(m_settings.moneyAlarm, alarm, "MoneyAlarm");

    // An untouched slider keeps the stored volume, even one between the slider's steps.
    int se = int(SendDlgItemMessageA(dialog, environment_id::kSeVolume, TBM_GETPOS, 0, 0));
    if (se != m_sePosition)
        storeNumber(m_settings.seVolume, positionVolume(se), "SeVolume");
    int wave = int(SendDlgItemMessageA(dialog, environment_id::kWaveVolume, TBM_GETPOS, 0, 0));
    if (wave != m_wavePosition)
        storeNumber(m_settings.waveVolume, positionVolume(wave), "WaveVolume");

    int move = int(SendDlgItemMessageA(dialog, environment_id::kTroopMoveAnim, CB_GETCURSEL, 0, 0));
    if (move >= 0 && move < kTroopMoveChoices)
        storeNumber(m_settings.troopMoveAnim, move, "TroopMoveAnim");
}

bool EnvironmentWindow::enableDependents(int control)
{
    for (const Dependents& entry : kDependents) {
        if (entry.control != control)
            continue;
        BOOL on = IsDlgButtonChecked(handle(), control) == BST_CHECKED;
        for (int dependent : entry.dependents)
            if (dependent)
                EnableWindow(GetDlgItem(handle(), dependent), on);
        return true;
    }
    return false;
}

int EnvironmentWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    // The switches are auto check boxes: the click has already toggled them.
    if (code == BN_CLICKED && enableDependents(int(control)))
        return 1;
    return DialogBase::OnCommand(msg, control, code);
}
