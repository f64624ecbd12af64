// History text: the exact line of each record kind, seen from the viewing country.
#include "tests/state/action_history_test_world.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

using testing_history::FakeWorld;

namespace {

class HistoryText : public ::testing::Test {
protected:
    HistoryText()
    {
        world.turn = 7;
        world.viewer = 0;
        world.addType(10, 4, 5);
        world.addUnit(0, 0, "Alpha", 10, 12, 3);
        world.addUnit(1, 0, "Bravo", 10, 13, 3);
        world.addUnit(8, 0, "Town", 10, 1, 1);
        world.terrainNames = { { 21, "Bridge" }, { 25, "Port" }, { 3, "Forest" } };
        world.playing = 0x03;
    }

    // The line of the last record, as UTF-8.
    std::string line()
    {
        std::string out;
        log.writeText(log.record(log.count() - 1), out);
        return platform::cp932ToUtf8(out);
    }

    FakeWorld world;
    ActionHistoryLog log { &world };
};

} // namespace

TEST_F(HistoryText, LineStartsWithTurnAndHexInThreeDigits)
{
    log.recordProductionDone(0, 0);
    EXPECT_EQ(line(), "007,012.003,生産完了,[B]Alpha,");
    log.recordFuelOutCrash(0, 0);
    EXPECT_EQ(line(), "007,012.003,燃料切れ,[B]Alpha,墜落");
}

TEST_F(HistoryText, UnitsTheViewerNeverSawAreUnknwon)
{
    log.recordDisband(1, 0);
    EXPECT_EQ(line(), "007,013.003,部隊解散,Unknwon,");
    world.visible = { { 0, 1, 0 } };
    log.recordDisband(1, 0);
    EXPECT_EQ(line(), "007,013.003,部隊解散,[R]Bravo,");
    // With no viewer, a map not yet in play, nothing is hidden.
    world.visible = {};
    log.recordDisband(1, 0);
    world.viewer = -1;
    EXPECT_EQ(line(), "007,013.003,部隊解散,[R]Bravo,");
}

TEST_F(HistoryText, CivilianUnitsCarryTheirMark)
{
    world.visible = { { 0, 8, 0 } };
    log.recordReinforcementsAppear(8, 0);
    EXPECT_EQ(line(), "007,001.001,増援登場,[民]Town,");
}

TEST_F(HistoryText, UnseenCombatShowsTheAttackerAndAnUnknownTarget)
{
    HistoryEngagement engagement;
    engagement.attacker = { 0, 0, 12, 3, 4, 4 };
    engagement.target = { 1, 0, 13, 3, 10, 7 };
    log.recordCombat(engagement, 0, 0);
    EXPECT_EQ(line(), "007,013.003,戦闘発生,[B]Alpha vs Unknwon,[B]Alpha 4 →  4  Unknwon ? →  ?");

    world.visibleAt = { { 0, 1, 0, 13, 3 } };
    log.recordCombat(engagement, 1, 1);
    EXPECT_EQ(line(), "007,013.003,誤射発生,[B]Alpha → [R]Bravo,[R]Bravo10 →  7");

    log.recordSelfDestruct(engagement);
    EXPECT_EQ(line(), "007,013.003,自爆　　,[B]Alpha -> [R]Bravo,[B]Alpha 4 →  4  [R]Bravo10 →  7");
}

TEST_F(HistoryText, MergeAndSplitFailuresHaveNoDetail)
{
    log.recordMerge(0, 0, -1);
    EXPECT_EQ(line(), "007,012.003,合流失敗,[B]Alpha,");
    world.units[{ 0, 0 }].memberStrengths[0] = 5;
    world.units[{ 0, 0 }].memberStrengths[1] = 5;
    log.recordSplit(0, 0, 3);
    EXPECT_EQ(line(), "007,012.003,分散完了,[B]Alpha,分散後機数 2  分散元残機数 3");
}

TEST_F(HistoryText, BuildingKindsNameTheTerrainType)
{
    log.recordRestoration(0, 0, 30, 20, 40, 2, 21);
    EXPECT_EQ(line(), "007,012.003,修復実行,[B]Alpha,Bridge耐久度 20 → 30");
    EXPECT_EQ(log.record(0).sideMask, 0b11); // the unit's country and the owner 1
    log.recordRestoration(0, 0, 40, 30, 40, 2, 21);
    EXPECT_EQ(line(), "007,012.003,修復完了,[B]Alpha,Bridge耐久度 30 → 40");
    log.recordOccupation(0, 0, 5, 9, 2, 25);
    EXPECT_EQ(line(), "007,012.003,占領実行,[B]Alpha,Port 9 → 5");
    log.recordOccupation(0, 0, 0, 5, 2, 25);
    EXPECT_EQ(line(), "007,012.003,占領完了,[B]Alpha,Port → Port");
    log.recordDemolition(0, 0, 0, 5, 2, 25);
    EXPECT_EQ(line(), "007,012.003,破壊完了,[B]Alpha,Port耐久度 5 → 0");
}

TEST_F(HistoryText, MissilesAndGroundAttacksNameTheTargetPlace)
{
    BuildingRecord port {};
    port.type = 25;
    port.ownerPlusOne = 1;
    port.x = 13;
    port.y = 5;
    port.launchCounter = 4;
    world.buildings = { port };
    world.terrain[{ 2, 2 }] = 3;

    log.recordMissileLaunch(0, 0, 13, 5, 1);
    EXPECT_EQ(line(), "007,012.003,ﾐｻｲﾙ発射,[B]Alpha → Port,残ミサイル数 0");
    log.recordMissileLaunch(8, 0, 2, 2, 0);
    EXPECT_EQ(line(), "007,013.005,ﾐｻｲﾙ発射,Port → Forest,残ミサイル数 4");

    HistoryEngagement engagement;
    engagement.attacker = { 0, 0, 12, 3, 6, 2 };
    engagement.target = { 250, 0, 2, 2, 0, 0 };
    log.recordGroundAttack(engagement, 0);
    EXPECT_EQ(line(), "007,012.003,地上攻撃,[B]Alpha → Forest,[B]Alpha  6 →  2  Unknwon? → ?");
}

TEST_F(HistoryText, DetailsOfTheOneUnitKinds)
{
    world.units[{ 0, 0 }].memberStrengths[0] = 5;
    log.recordReplenishment(0, 0, 0);
    EXPECT_EQ(line(), "007,012.003,補充実行,[B]Alpha,機数 0 → 1");
    log.recordSupply(0, 0, 0);
    EXPECT_EQ(line(), "007,012.003,補給不可,[B]Alpha,軍資金不足");
    log.recordWeaponExchange(0, 0, 2, 0);
    EXPECT_EQ(line(), "007,012.003,交換完了,[B]Alpha,PACK1 → PACK3");
    log.recordWeaponExchange(0, 0, 1, 1);
    EXPECT_EQ(line(), "007,012.003,交換不可,[B]Alpha,");
    log.recordSeaMineHit(0, 0, 4, 5, 8, 3);
    EXPECT_EQ(line(), "007,004.005,機雷作動,[B]Alpha, 8 →  3");
    log.recordMineSweeping(0, 0, 4, 5, 1);
    EXPECT_EQ(line(), "007,004.005,機雷掃海,[B]Alpha,掃海完了");
    log.recordMineClearing(0, 0, 4, 5, 0);
    EXPECT_EQ(line(), "007,004.005,地雷除去,[B]Alpha,未確認");
    log.recordRoadBuilt(0, 0, 11, 3);
    EXPECT_EQ(line(), "007,012.003,道路施設,[B]Alpha, 11.  3 →  12.  3");
    log.recordTransformation(0, 0, 55);
    EXPECT_EQ(line(), "007,012.003,変形完了,[B]Alpha → [B]Alpha,");
    world.visible = { { 0, 1, 0 } };
    log.recordTransport(0, 0, 1, 0, 2, 6, 6);
    EXPECT_EQ(line(), "007,006.006,輸送完了,[B]Alpha,[R]Bravo 2");
}

TEST_F(HistoryText, AFullLengthNameStopsAtItsThirtyFourBytes)
{
    HistoryRecord record {};
    record.kind = 17;
    std::memset(record.unit0, 'N', sizeof(record.unit0));
    record.seen0 = 0xFF;
    record.seen1 = 0xFF;
    std::string out;
    log.writeText(record, out);
    EXPECT_EQ(out, "000,000.000,\x95\x94\x91\xE0\x89\xF0\x8E\x55,[B]" + std::string(34, 'N') + ",");
}
