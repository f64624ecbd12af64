// The "Environment" settings: defaults, round trip, the simple-mode keys, column widths and the mode key.
#include "state/game_settings.h"
#include "state/game_state.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using testing_lib::TempProgramFolder;

namespace {

bool stored(const char* key) { return makeNamedValue(key).profileReadInt(-12345) != -12345; }

} // namespace

TEST(Settings, KeyTableHasFiftyNineUniqueKeysEndingWithTheMode)
{
    std::set<std::string> names;
    for (int i = 0; i < kSettingKeyCount; ++i)
        names.insert(settingKeys()[i].key);
    EXPECT_EQ(names.size(), size_t(kSettingKeyCount));
    EXPECT_STREQ(settingKeys()[0].key, "ShowFight");
    EXPECT_STREQ(settingKeys()[kSettingKeyCount - 1].key, "SimpleMode");
    EXPECT_STREQ(settingKeys()[41].key, "SelArmsKind");
}

TEST(Settings, MissingIniReadsTheDefaultsAndWritesNoNameOnlyKeys)
{
    TempProgramFolder folder("settings");
    GameSettings settings;
    settings.networkCutSecond = 1;
    settings.historyOption = 5;
    settings.selArmsKind = 0;
    readSettings(settings, false);
    EXPECT_EQ(settings, GameSettings {});
    EXPECT_EQ(settings.networkCutSecond, 60);
    EXPECT_EQ(settings.historyOption, -1);
    EXPECT_EQ(settings.selArmsKind, 3);

    writeSettings(settings, false);
    for (const char* key : { "HostName", "PlayerName", "NetworkLoadGamePath", "NetworkSaveGamePath", "SimpleMode" })
        EXPECT_FALSE(stored(key)) << key;
    EXPECT_EQ(makeNamedValue("ShowFight").profileReadInt(-1), 1);
    EXPECT_EQ(makeNamedValue("HistoryWinActionWidth").profileReadInt(-1), 240);
}

TEST(Settings, ChangedValuesRoundTripThroughTheIni)
{
    TempProgramFolder folder("settings");
    GameSettings changed;
    changed.showFight = false;
    changed.mapOnLabelSize = true;
    changed.waveVolume = -2500;
    changed.troopMoveAnim = 2;
    changed.networkChatBepp = false;
    changed.historyWinPosWidth = 77;
    changed.landListOption = 3;
    changed.showUnitIcon = false;
    changed.selArmsKind = 1;
    changed.moneyAlarm = 123456;
    changed.supplyLine = false;
    changed.sleepTime = 7;
    changed.askSupply = true;
    writeSettings(changed, false);

    GameSettings read;
    readSettings(read, false);
    EXPECT_EQ(read, changed);
}

TEST(Settings, NumbersOutsideWhatTheProgramUsesReadAsTheNearestBound)
{
    TempProgramFolder folder("settings");
    makeNamedValue("HistoryWinTimeWidth").profileWriteInt(9);
    makeNamedValue("HistoryWinPosWidth").profileWriteInt(0);
    makeNamedValue("HistoryWinActionWidth").profileWriteInt(-40);
    makeNamedValue("HistoryWinResultWidth").profileWriteInt(2147483647);
    makeNamedValue("SeVolume").profileWriteInt(-2147483647);
    makeNamedValue("TroopMoveAnim").profileWriteInt(7);
    makeNamedValue("SleepTime").profileWriteInt(99999);
    makeNamedValue("SelArmsKind").profileWriteInt(300);
    GameSettings settings;
    readSettings(settings, false);
    EXPECT_EQ(settings.historyWinTimeWidth, 10);
    EXPECT_EQ(settings.historyWinPosWidth, 10);
    EXPECT_EQ(settings.historyWinActionWidth, 10);
    EXPECT_EQ(settings.historyWinResultWidth, kMaximumColumnWidth);
    EXPECT_EQ(settings.seVolume, -10000);
    EXPECT_EQ(settings.troopMoveAnim, 2);
    EXPECT_EQ(settings.sleepTime, kMaxSleepTime);
    EXPECT_EQ(settings.selArmsKind, 255);
}

TEST(Settings, SimpleModeLeavesTheNormalModeKeysAsStored)
{
    TempProgramFolder folder("settings");
    makeNamedValue("ShowUnitIcon").profileWriteInt(1);
    GameSettings settings;
    readSettings(settings, true);
    EXPECT_FALSE(settings.showUnitIcon);
    EXPECT_FALSE(settings.supplyLine);
    settings.showUnitIcon = false;
    writeSettings(settings, true);
    EXPECT_EQ(makeNamedValue("ShowUnitIcon").profileReadInt(-1), 1);
    EXPECT_FALSE(stored("SupplyLine"));
    EXPECT_TRUE(stored("ShowFight"));
}

TEST(Settings, ModeKeyIsTwoWhenMissingAndSwitchWritesTheOpposite)
{
    TempProgramFolder folder("settings");
    EXPECT_EQ(readStoredMode(), 2);
    EXPECT_EQ(readModeFlag(), 0);
    writeSwitchedMode(false);
    EXPECT_EQ(readStoredMode(), 1);
    EXPECT_EQ(readModeFlag(), 1);
    writeSwitchedMode(true);
    EXPECT_EQ(readStoredMode(), 0);
    makeNamedValue("SimpleMode").profileWriteInt(5);
    EXPECT_EQ(readModeFlag(), 0);
}
