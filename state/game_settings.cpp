// The "Environment" key table and the reading and writing of the game's settings.
#include "state/game_settings.h"

#include <algorithm>
#include <cstddef>

namespace {

using K = SettingKind;

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
    { "WaveVolume", K::Integer, 0, false },
    { "SeVolume", K::Integer, 0, false },
    { "ShowIncome", K::Boolean, 1, false },
    { "ShowTurnEnd", K::Boolean, 1, false },
    { "TroopCommandFix", K::Boolean, 0, false },
    { "MapOnWinLabel", K::Boolean, 1, false },
    { "MapOnWinLabelSize", K::Boolean, 0, false },
    { "TroopMoveAnim", K::Integer, 0, false },
    { "AutoSave", K::Boolean, 0, false },
    { "AutoSaveCountry", K::Boolean, 0, false },
    { "MailVsHistory", K::Boolean, 1, false },
    { "StageNight", K::Boolean, 1, false },
    { "NetworkLog", K::Boolean, 0, false },
    { "NetworkChatBepp", K::Boolean, 1, false },
    { "HostName", K::NameOnly, 0, false },
    { "PlayerName", K::NameOnly, 0, false },
    { "NetworkCutSecond", K::Integer, 60, false },
    { "HEL", K::Boolean, 0, false },
    { "NetworkLoadGamePath", K::NameOnly, 0, false },
    { "NetworkSaveGamePath", K::String, 0, false },
    { "HistoryWinTimeWidth", K::Width, 54, false },
    { "HistoryWinPosWidth", K::Width, 54, false },
    { "HistoryWinActionWidth", K::Width, 240, false },
    { "HistoryWinResultWidth", K::Width, 180, false },
    { "HistoryOption", K::Integer, -1, false },
    { "TroopListOption", K::Integer, -1, false },
    { "LandListOption", K::Integer, -1, false },
    { "WriteHistory", K::Boolean, 0, false },
    { "ShowActionHistory", K::Boolean, 0, false },
    { "ShowUnitIcon", K::Boolean, 1, true },
    { "SelArms", K::Boolean, 0, false },
    { "SelArmsKind", K::Byte, 3, false },
    { "PlayMoneyAlarm", K::Boolean, 0, false },
    { "MoneyAlarm", K::Integer, 0, false },
    { "AskIntercept", K::Boolean, 0, false },
    { "ShowBuildDialog", K::Boolean, 1, false },
    { "ShowSwerve", K::Boolean, 1, false },
    { "MovingFight", K::Boolean, 1, false },
    { "SupplyLine", K::Boolean, 1, true },
    { "SleepInterval", K::Integer, 50, false },
    { "SleepTime", K::Integer, 100, false },
    { "LevelEffect", K::Boolean, 1, false },
    { "FixedInfoPanel", K::Boolean, 1, false },
    { "LeftInfoPanel", K::Boolean, 1, false },
    { "ShowQuickTroop", K::Boolean, 1, false },
    { "ShowQuickLand", K::Boolean, 1, false },
    { "ShowTimeQuickInfo", K::Integer, 50, false },
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
        if (field.flag)
            settings.*field.flag = address.profileReadBool(key.fallback != 0);
        else if (field.byte)
            settings.*field.byte = uint8_t(address.profileReadInt(key.fallback));
        else if (key.kind == K::Width)
            settings.*field.number = std::max(address.profileReadInt(key.fallback), kMinimumColumnWidth);
        else
            settings.*field.number = address.profileReadInt(key.fallback);
    }
    // The computer's pause between steps: an edited ini must not stall its turns.
    settings.sleepTime = std::clamp(settings.sleepTime, 0, kMaxSleepTime);
    settings.sleepInterval = std::max(settings.sleepInterval, 0);
}

void writeSettings(const GameSettings& settings, bool simpleMode)
{
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        const SettingKey& key = kKeys[i];
        const Field& field = kFields[i];
        if (skipped(key, simpleMode))
            continue;
        swCProfileKey address = makeNamedValue(key.key);
        if (field.flag)
            address.profileWriteBool(settings.*field.flag);
        else if (field.byte)
            address.profileWriteInt(settings.*field.byte);
        else
            address.profileWriteInt(settings.*field.number);
    }
}

int readStoredMode() { return makeNamedValue("SimpleMode").profileReadInt(2); }

uint8_t readModeFlag() { return makeNamedValue("SimpleMode").profileReadBool(false) ? 1 : 0; }

void writeSwitchedMode(bool runningSimple) { makeNamedValue("SimpleMode").profileWriteInt(runningSimple ? 0 : 1); }
