// EnvironmentWindow: the modal "環境設定" dialog of the options a person changes.
#pragma once

#include "lib/dialog_base.h"
#include "state/game_settings.h"

namespace environment_id {
constexpr int kPlaySe = 1100;
constexpr int kPlayBgm = 1101;
constexpr int kPlayChime = 1102;
constexpr int kPlayMoneyAlarm = 1103;
constexpr int kMoneyAlarm = 1104;
constexpr int kSeVolume = 1105;
constexpr int kWaveVolume = 1106;
constexpr int kShowFight = 1110;
constexpr int kFightScene = 1111;
constexpr int kFightWindow = 1112;
constexpr int kFightOfAll = 1113;
constexpr int kBombAnim = 1120;
constexpr int kLevelEffect = 1121;
constexpr int kStageNight = 1122;
constexpr int kTroopNumbers = 1123;
constexpr int kLeftInfoPanel = 1124;
constexpr int kTroopMoveAnim = 1125;
constexpr int kShowIncome = 1130;
constexpr int kShowTurnEnd = 1131;
constexpr int kShowBuildDialog = 1132;
constexpr int kPhaseHelp = 1133;
constexpr int kAskSupply = 1134;
} // namespace environment_id

// OK stores the changed options in the settings and writes exactly their keys; Cancel leaves
// both alone. Result 1 after OK.
class EnvironmentWindow : public DialogBase {
public:
    static constexpr UINT kTemplate = 170;
    // The volume sliders move in steps of this many hundredths of a decibel.
    static constexpr int kVolumeStep = 250;
    static constexpr int kVolumeSteps = 20;

    EnvironmentWindow(swCWindow* owner, GameSettings& settings);

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int DataExchange(int save) override;

    // The slider position of a stored volume, and the volume of a position.
    static int volumePosition(int32_t volume);
    static int32_t positionVolume(int position);

private:
    void load();
    void store();
    // Greys what depends on the switch; false when the control is no switch.
    bool enableDependents(int control);

    GameSettings& m_settings;
    int m_sePosition = 0;
    int m_wavePosition = 0;
    bool m_phaseHelp = true;
};

// The phase explanations are on while any phase's key is on.
bool anyPhaseHelpEnabled();
void setAllPhaseHelp(bool on);

// Registers template 170 once.
void registerEnvironmentTemplate();
