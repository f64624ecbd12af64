// State accessors: unit counts, the place table, day and night, borders, scenario texts, text
// operations and the destroyed-units sort.
#include "state/state_accessors.h"
#include "state/troop_sort.h"
#include "state/unit_facts.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testing_state;

TEST(UnitCounts, CountExistingInPlayAndMembers)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    int id = s.unitTypes()[0].id;
    int members = std::min<int>(s.unitTypes()[0].members, 10);
    world.addUnit(2, id, 1, 1);
    int waiting = world.addUnit(2, id, 1, 2);
    world.unit(2, waiting).stateLow = 1000 & 0xFF;
    world.unit(2, waiting).stateHigh = 1000 >> 8;
    world.addUnit(8, id, 3, 3);
    EXPECT_EQ(s.liveUnitCount(2), 2);
    EXPECT_EQ(s.countUnitsInPlay(2), 1);
    EXPECT_EQ(s.memberCountInPlay(2), members);
    EXPECT_EQ(s.liveUnitCount(8), 1);
    EXPECT_EQ(s.liveUnitCount(9), 0);
    EXPECT_EQ(s.countUnitsInPlay(-1), 0);

    s.country(2).unitListLength = 60000;
    EXPECT_EQ(s.playerUnitCount(2), kUnitTableSize);
    EXPECT_EQ(s.playerUnitCount(8), 200);

    EXPECT_FALSE(s.hasFlaggedUnit(2));
    world.unit(2, 0).watchBits = 2;
    EXPECT_TRUE(s.hasFlaggedUnit(2));
    s.country(2).victoryFlags = 1;
    s.country(2).transportPercent = 9;
    s.pruneVictoryConditions(0);
    EXPECT_EQ(s.country(2).victoryFlags, 0);
    EXPECT_EQ(s.country(2).transportPercent, 9); // a watched unit is left
}

TEST(PlaceTable, FillsFirstFreeEntryAndRefusesWhenFull)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    EXPECT_EQ(s.usedRecordCount(), 0);
    PlaceRecord place {};
    place.used = 1;
    place.x = 4;
    place.y = 5;
    place.target = 1;
    EXPECT_EQ(s.addPlaceRecord(place), 0);
    s.placeTable()[7].used = 1;
    EXPECT_EQ(s.usedRecordCount(), 8);
    EXPECT_EQ(s.addPlaceRecord(place), 1);
    EXPECT_TRUE(s.isPlaceUsed(7));
    EXPECT_FALSE(s.isPlaceUsed(1000));

    std::vector<HexPos> hexes;
    s.collectBriefingHexes(hexes);
    EXPECT_EQ(hexes, (std::vector<HexPos> { { 4, 5 }, { 4, 5 } }));

    for (int i = 0; i < kPlaceRecordCount; ++i)
        s.placeTable()[i].used = 1;
    s.placeTable()[999].x = 77;
    EXPECT_EQ(s.addPlaceRecord(place), -1);
    EXPECT_EQ(s.placeTable()[999].x, 77);
    s.clearRecordTable();
    EXPECT_EQ(s.usedRecordCount(), 0);
}

TEST(DayAndNight, PeriodsAndNightStart)
{
    GameState s;
    auto night = [&](int turn) {
        s.turnBlock().turn = uint16_t(turn);
        return s.isNightTurn();
    };
    s.mapHeader().dayNightLow = 3;
    EXPECT_FALSE(night(2)); // switch off: never night
    s.ruleBlock().switches[kRuleDayNight] = 1;
    for (int t : { 0, 1, 2, 3, 7, 9 })
        EXPECT_FALSE(night(t)) << t;
    for (int t : { 4, 5, 6 })
        EXPECT_TRUE(night(t)) << t;

    s.mapHeader().dayNightLow = 1000 & 0xFF;
    s.mapHeader().dayNightHigh = 1000 >> 8;
    EXPECT_FALSE(night(1));
    EXPECT_FALSE(night(999));
    s.mapHeader().startTime = 1;
    EXPECT_TRUE(night(1));
    EXPECT_TRUE(night(999));

    s.mapHeader().dayNightLow = 0; // read as 1
    s.mapHeader().dayNightHigh = 0;
    s.mapHeader().startTime = 0;
    EXPECT_FALSE(night(1));
    EXPECT_TRUE(night(2));
}

TEST(BorderMasks, MarkSidesFacingAnotherOwner)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    world.cell(1, 1).owner = 1;
    world.cell(2, 1).owner = 1;
    world.unitCell(3, 3).borderMask = 0xFF; // stale
    s.computeBorderMasks();
    EXPECT_EQ(world.unitCell(1, 1).borderMask, 0x3F & ~(1 << 3));
    EXPECT_EQ(world.unitCell(2, 1).borderMask, 0x3F & ~(1 << 0));
    EXPECT_EQ(world.unitCell(3, 3).borderMask, 0);
    EXPECT_EQ(world.unitCell(0, 0).borderMask, 0);
}

TEST(ScenarioTexts, CopyEndsEveryTextAndEmptinessIsSeen)
{
    GameState s;
    EXPECT_FALSE(s.hasScenarioText());
    std::memset(s.scenarioBlock().bytes, 'A', sizeof s.scenarioBlock().bytes);
    ScenarioBlock copy {};
    s.copyScenarioBlock(copy);
    for (int end : { 23, 65, 4867, 4929, 9731, 10293, 11195, 11257, 16059 })
        EXPECT_EQ(copy.bytes[end], 0) << end;
    EXPECT_EQ(copy.bytes[22], 'A');
    EXPECT_EQ(s.scenarioBlock().bytes[23], 'A');
    std::memset(s.scenarioBlock().bytes, 0, sizeof s.scenarioBlock().bytes);
    s.scenarioBlock().bytes[11258] = 'x';
    EXPECT_TRUE(s.hasScenarioText());
}

TEST(TextOperations, StepOverDoubleByteCharacters)
{
    // "表" is 0x95 0x5C: its trail byte is a backslash.
    std::string path = "dir\\\x95\x5C" "A.MID";
    EXPECT_EQ(pathFileNamePart(path), "\x95\x5C" "A.MID");
    EXPECT_EQ(pathFileNamePart("noslash"), "");
    std::string lower = "\x82\x60" "ABc";
    lowerCaseAscii(lower);
    EXPECT_EQ(lower, "\x82\x60" "abc");

    EXPECT_TRUE(isMidiFileName("a.MID"));
    EXPECT_TRUE(isMidiFileName("song.mid"));
    EXPECT_FALSE(isMidiFileName(".mid"));
    EXPECT_FALSE(isMidiFileName("a.midi"));

    std::string text = "ab \x81\x40 \x81\x40";
    trimFullWidthSpaces(text);
    EXPECT_EQ(text, "ab");
    text = "a b\x81\x40" "c";
    trimFullWidthSpaces(text);
    EXPECT_EQ(text, "a b\x81\x40" "c");
}

TEST(Mines, DetonationClearsOrLowersTheCount)
{
    SmallWorld world(3, 3);
    TerrainCell& cell = world.cell(1, 1);
    EXPECT_EQ(detonateMine(world.state(), cell), 0);
    for (int round = 0; round < 50; ++round) {
        cell.mineKind = 1;
        cell.mineCount = 5;
        int r = detonateMine(world.state(), cell);
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 5);
        EXPECT_EQ(cell.mineCount, r == 5 ? 0 : 5 - r);
        EXPECT_EQ(cell.mineKind, r == 5 ? 0 : 1);
    }
}

TEST(TroopSort, DestroyedListByKeyWithFreeEntriesLast)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    DestroyedUnitRecord* entries = s.destroyedUnits(3);
    struct Entry {
        uint8_t troop;
        uint8_t x;
        uint8_t y;
        const char* name;
    };
    const Entry made[] = { { 7, 2, 1, "b" }, { 3, 1, 4, "c" }, { 9, 2, 1, "a" } };
    for (int i = 0; i < 3; ++i) {
        entries[i].turn = 1;
        entries[i].troopNumber = made[i].troop;
        entries[i].x = made[i].x;
        entries[i].y = made[i].y;
        std::strcpy(reinterpret_cast<char*>(entries[i].identity), made[i].name);
    }
    // Keys are (entry << 16) | country; a vector of another length is made again, one key per entry.
    auto keys = [](std::vector<uint32_t> list) {
        for (uint32_t& k : list)
            k = (k << 16) | 3;
        return list;
    };
    auto sorted = [&](uint32_t key, bool reverse) {
        std::vector<uint32_t> list = keys({ 3, 500, 2, 1, 0 });
        sortDestroyedUnitKeys(s, 3, key, reverse, list);
        EXPECT_EQ(list.size(), size_t(kDestroyedUnitsPerCountry));
        return std::vector<uint32_t>(list.begin(), list.begin() + 4);
    };
    EXPECT_EQ(sorted(0, false), keys({ 0, 1, 2, 3 }));
    EXPECT_EQ(sorted(1, false), keys({ 1, 0, 2, 3 }));
    EXPECT_EQ(sorted(2, false), keys({ 1, 0, 2, 3 }));
    EXPECT_EQ(sorted(3, false), keys({ 2, 0, 1, 3 }));
    // Key 0 takes no notice of free entries; the others keep them behind, in their order.
    entries[1].turn = 0;
    entries[1].usedMark = 0;
    EXPECT_EQ(sorted(0, false), keys({ 0, 1, 2, 3 }));
    EXPECT_EQ(sorted(1, false), keys({ 0, 2, 1, 3 }));
    // Descending turns the whole list round, free entries too.
    EXPECT_EQ(sorted(0, true), keys({ 99, 98, 97, 96 }));
    std::vector<uint32_t> list;
    sortDestroyedUnitKeys(s, 3, 1, true, list);
    EXPECT_EQ(std::vector<uint32_t>(list.end() - 2, list.end()), keys({ 2, 0 }));
}

