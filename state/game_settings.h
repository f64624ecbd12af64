// GameSettings: the "Environment" group of the ini file, one member per key, and its reading and writing.
#pragma once

#include "lib/profile.h"

#include <climits>
#include <cstdint>

constexpr const char* kEnvironmentSection = "Environment";

// The settings address of an "Environment" key.
swCProfileKey makeNamedValue(const char* key);

struct GameSettings {
    bool showFight = true;
    bool fightOnReal = true;
    bool fightOfAll = true;
    bool mapOnTroopNum = true;
    bool mapOnBombAnim = true;
    bool mapOnLabel = true;
    bool mapOnLabelSize = false;
    bool playBgm = true;
    bool playSe = true;
    bool playChime = true;
    int32_t waveVolume = 0;
    int32_t seVolume = 0;
    bool showIncome = true;
    bool showTurnEnd = true;
    bool troopCommandFix = false;
    bool mapOnWinLabel = true;
    bool mapOnWinLabelSize = false;
    int32_t troopMoveAnim = 0;
    bool autoSave = false;
    bool autoSaveCountry = false;
    bool mailVsHistory = true;
    bool stageNight = true;
    bool networkLog = false;
    bool networkChatBepp = true;
    int32_t networkCutSecond = 60;
    bool hel = false;
    int32_t historyWinTimeWidth = 54;
    int32_t historyWinPosWidth = 54;
    int32_t historyWinActionWidth = 240;
    int32_t historyWinResultWidth = 180;
    int32_t historyOption = -1;
    int32_t troopListOption = -1;
    int32_t landListOption = -1;
    // Kept for the ini file only: a save always carries its history.
    bool writeHistory = false;
    bool showActionHistory = false;
    // Normal mode only: 0 in simple mode, where the key is left as stored.
    bool showUnitIcon = true;
    bool selArms = false;
    uint8_t selArmsKind = 3;
    bool playMoneyAlarm = false;
    int32_t moneyAlarm = 0;
    bool askIntercept = false;
    bool showBuildDialog = true;
    bool showSwerve = true;
    bool movingFight = true;
    // Normal mode only, as showUnitIcon.
    bool supplyLine = true;
    int32_t sleepInterval = 50;
    int32_t sleepTime = 100; // milliseconds, at most kMaxSleepTime
    bool levelEffect = true;
    bool fixedInfoPanel = true;
    bool leftInfoPanel = true;
    bool showQuickTroop = true;
    bool showQuickLand = true;
    int32_t showTimeQuickInfo = 50;
    bool askSupply = false;

    bool operator==(const GameSettings&) const = default;
};

enum class SettingKind : uint8_t {
    Boolean,
    Integer,
    // An integer kept in a byte.
    Byte,
    // A column width (an integer with its own range).
    Width,
    // Named in the key table but never read or written here.
    NameOnly,
    // Written by the game file dialog, not read here.
    String,
    // "SimpleMode": read first by start-up, written only on a mode switch.
    Mode,
};

struct SettingKey {
    const char* key;
    SettingKind kind;
    int fallback;
    bool normalModeOnly;
    // A stored number outside reads as the nearest bound: what the program can use of it.
    int low = INT_MIN;
    int high = INT_MAX;
};

constexpr int kSettingKeyCount = 59;
// The longest pause of the computer player between its steps, in milliseconds.
constexpr int kMaxSleepTime = 1000;
// The keys in table order, "SimpleMode" last.
const SettingKey* settingKeys();

// The members of every key but "SimpleMode"; in simple mode the normal-mode-only members are 0
// and their keys are untouched.
void readSettings(GameSettings& settings, bool simpleMode);
void writeSettings(const GameSettings& settings, bool simpleMode);

// "SimpleMode": 2 when the key is missing.
int readStoredMode();
// 1 for a stored 1, else 0.
uint8_t readModeFlag();
// After a mode switch the next start runs the opposite of the running mode.
void writeSwitchedMode(bool runningSimple);

constexpr int kMinimumColumnWidth = 10;
constexpr int kMaximumColumnWidth = 2000;

// The keys of the phase explanations, phases 0..6; read each time they are asked, default on.
constexpr const char* kPhaseHelpKeys[] = {
    "FaseStart", "FaseMissile", "FaseIncome", "FaseSupply", "FaseFill", "FaseAction", "FaseProduct",
};
