// The "Environment" key table and the reading and writing of the game's settings.
#include "state/game_settings.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

using K = SettingKind;

// The quietest volume, in hundredths of a decibel, as the sound layer takes it.
constexpr int kMinimumVolume = -10000;
constexpr int kDaySeconds = 24 * 60 * 60;
// The alarm box takes nine digits.
constexpr int kMaxMoneyAlarm = 999'999'999;

constexpr SettingKey kKeys[kSettingKeyCount] = {
    { "ShowFight", K::Boolean, 1, false },
    { "FightOnReal", K::Boolean, 1, false },
    { "FightOfAll", K::Boolean, 1, false },
    { "MapOnTroopNum", K::Boolean, 1, false },
    { "MapOnBombAnim", K::Boolean, 1, false },
    { "MapOnLabel", K::Boolean, 1, false },
    { "MapOnLabelSize", K::Boolean, 0, false },
    { "PlayBGM", K::Boolean, 1, false },
    { "PlaySE", K::Boolean, 1, false },
    { "PlayChime", K::Boolean, 1, false },
    { "WaveVolume", K::Integer, 0, false, kMinimumVolume, 0 },
    { "SeVolume", K::Integer, 0, false, kMinimumVolume, 0 },
    { "ShowIncome", K::Boolean, 1, false },
    { "ShowTurnEnd", K::Boolean, 1, false },
    { "TroopCommandFix", K::Boolean, 0, false },
    { "MapOnWinLabel", K::Boolean, 1, false },
    { "MapOnWinLabelSize", K::Boolean, 0, false },
    { "TroopMoveAnim", K::Integer, 0, false, 0, 2 },
    { "AutoSave", K::Boolean, 0, false },
    { "AutoSaveCountry", K::Boolean, 0, false },
    { "MailVsHistory", K::Boolean, 1, false },
    { "StageNight", K::Boolean, 1, false },
    { "NetworkLog", K::Boolean, 0, false },
    { "NetworkChatBepp", K::Boolean, 1, false },
    { "HostName", K::NameOnly, 0, false },
    { "PlayerName", K::NameOnly, 0, false },
    { "NetworkCutSecond", K::Integer, 60, false, 0, kDaySeconds },
    { "HEL", K::Boolean, 0, false },
    { "NetworkLoadGamePath", K::NameOnly, 0, false },
    { "NetworkSaveGamePath", K::String, 0, false },
    { "HistoryWinTimeWidth", K::Width, 54, false, kMinimumColumnWidth, kMaximumColumnWidth },
    { "HistoryWinPosWidth", K::Width, 54, false, kMinimumColumnWidth, kMaximumColumnWidth },
    { "HistoryWinActionWidth", K::Width, 240, false, kMinimumColumnWidth, kMaximumColumnWidth },
    { "HistoryWinResultWidth", K::Width, 180, false, kMinimumColumnWidth, kMaximumColumnWidth },
    { "HistoryOption", K::Integer, -1, false },
    { "TroopListOption", K::Integer, -1, false },
    { "LandListOption", K::Integer, -1, false },
    { "WriteHistory", K::Boolean, 0, false },
    { "ShowActionHistory", K::Boolean, 0, false },
    { "ShowUnitIcon", K::Boolean, 1, true },
    { "SelArms", K::Boolean, 0, false },
    { "SelArmsKind", K::Byte, 3, false, 0, UINT8_MAX },
    { "PlayMoneyAlarm", K::Boolean, 0, false },
    { "MoneyAlarm", K::Integer, 0, false, 0, kMaxMoneyAlarm },
    { "AskIntercept", K::Boolean, 0, false },
    { "ShowBuildDialog", K::Boolean, 1, false },
    { "ShowSwerve", K::Boolean, 1, false },
    { "MovingFight", K::Boolean, 1, false },
    { "SupplyLine", K::Boolean, 1, true },
    { "SleepInterval", K::Integer, 50, false, 0, INT_MAX },
    { "SleepTime", K::Integer, 100, false, 0, kMaxSleepTime },
    { "LevelEffect", K::Boolean, 1, false },
    { "FixedInfoPanel", K::Boolean, 1, false },
    { "LeftInfoPanel", K::Boolean, 1, false },
    { "ShowQuickTroop", K::Boolean, 1, false },
    { "ShowQuickLand", K::Boolean, 1, false },
    { "ShowTimeQuickInfo", K::Integer, 50, false, 0, INT_MAX },
    { "AskSupply", K::Boolean, 0, false },
    { "SimpleMode", K::Mode, 2, false },
};

// The member of each key, in table order; keys without a member have neither pointer.
struct Field {
    bool GameSettings::*flag = nullptr;
    int32_t GameSettings::*number = nullptr;
    uint8_t GameSettings::*byte = nullptr;
};

using S = GameSettings;

const Field kFields[kSettingKeyCount] = {
    { &S::showFight }, { &S::fightOnReal }, { &S::fightOfAll }, { &S::mapOnTroopNum }, { &S::mapOnBombAnim },
    { &S::mapOnLabel }, { &S::mapOnLabelSize }, { &S::playBgm }, { &S::playSe }, { &S::playChime },
    { nullptr, &S::waveVolume }, { nullptr, &S::seVolume }, { &S::showIncome }, { &S::showTurnEnd },
    { &S::troopCommandFix }, { &S::mapOnWinLabel }, { &S::mapOnWinLabelSize }, { nullptr, &S::troopMoveAnim },
    { &S::autoSave }, { &S::autoSaveCountry }, { &S::mailVsHistory }, { &S::stageNight }, { &S::networkLog },
    { &S::networkChatBepp }, {}, {}, { nullptr, &S::networkCutSecond }, { &S::hel }, {}, {},
    { nullptr, &S::historyWinTimeWidth }, { nullptr, &S::historyWinPosWidth },
    { nullptr, &S::historyWinActionWidth }, { nullptr, &S::historyWinResultWidth },
    { nullptr, &S::historyOption }, { nullptr, &S::troopListOption }, { nullptr, &S::landListOption },
    { &S::writeHistory }, { &S::showActionHistory }, { &S::showUnitIcon }, { &S::selArms },
    { nullptr, nullptr, &S::selArmsKind }, { &S::playMoneyAlarm }, { nullptr, &S::moneyAlarm },
    { &S::askIntercept }, { &S::showBuildDialog }, { &S::showSwerve }, { &S::movingFight }, { &S::supplyLine },
    { nullptr, &S::sleepInterval }, { nullptr, &S::sleepTime }, { &S::levelEffect }, { &S::fixedInfoPanel },
    { &S::leftInfoPanel }, { &S::showQuickTroop }, { &S::showQuickLand }, { nullptr, &S::showTimeQuickInfo },
    { &S::askSupply }, {},
};

bool skipped(const SettingKey& key, bool simpleMode)
{
    return key.kind == K::NameOnly || key.kind == K::String || key.kind == K::Mode
        || (key.normalModeOnly && simpleMode);
}

} // namespace

swCProfileKey makeNamedValue(const char* key) { return swCProfileKey(kEnvironmentSection, key); }

const SettingKey* settingKeys() { return kKeys; }

void readSettings(GameSettings& settings, bool simpleMode)
{
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        const SettingKey& key = kKeys[i];
        const Field& field = kFields[i];
        if (key.normalModeOnly && simpleMode && field.flag)
            settings.*field.flag = false;
        if (skipped(key, simpleMode))
            continue;
        swCProfileKey address = makeNamedValue(key.key);
        if (field.flag) {
            settings.*field.flag = address.profileReadBool(key.fallback != 0);
            continue;
        }
        // An edited ini must not give what the program cannot use: a width that overflows the sum
        // of the columns, a pause that stalls the computer's turns.
        const int number = std::clamp(address.profileReadInt(key.fallback), key.low, key.high);
        if (field.byte)
            settings.*field.byte = uint8_t(number);
        else
            settings.*field.number = number;
    }
}

void writeSettings(const GameSettings& settings, bool simpleMode)
{
    std::vector<std::pair<std::string, std::string>> values;
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        const SettingKey& key = kKeys[i];
        const Field& field = kFields[i];
        if (skipped(key, simpleMode))
            continue;
        const int number = field.flag ? int(settings.*field.flag) : field.byte ? settings.*field.byte : settings.*field.number;
        values.emplace_back(key.key, std::to_string(number));
    }
    // One rewrite of the file for all of them.
    profileWriteValues(kEnvironmentSection, values);
}

int readStoredMode() { return makeNamedValue("SimpleMode").profileReadInt(2); }

uint8_t readModeFlag() { return makeNamedValue("SimpleMode").profileReadBool(false) ? 1 : 0; }

void writeSwitchedMode(bool runningSimple) { makeNamedValue("SimpleMode").profileWriteInt(runningSimple ? 0 : 1); }
