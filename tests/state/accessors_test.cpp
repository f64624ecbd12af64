// State accessors: unit counts, the place table, day and night, borders, scenario texts, text
// operations and the troop sorts.
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
    EXPECT_EQ(s.countUnitsInState1(2), 1);
    EXPECT_EQ(s.memberCountInState1(2), members);
    EXPECT_EQ(s.liveUnitCount(8), 1);
    EXPECT_EQ(s.liveUnitCount(9), 0);
    EXPECT_EQ(s.countUnitsInState1(-1), 0);

    s.country(2).unitListLength = 60000;
    EXPECT_EQ(s.playerUnitCount(2), kUnitTableSize);
    EXPECT_EQ(s.playerUnitCount(8), 200);

    EXPECT_FALSE(s.hasFlaggedUnit(2));
    world.unit(2, 0).watchBits = 2;
    EXPECT_TRUE(s.hasFlaggedUnit(2));
    s.country(2).victoryFlags = 1;
    s.country(2).victoryByte3 = 9;
    s.pruneVictoryConditions(0);
    EXPECT_EQ(s.country(2).victoryFlags, 0);
    EXPECT_EQ(s.country(2).victoryByte3, 9); // a watched unit is left
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
    s.ruleBlock().switches[35] = 1;
    for (int t : { 0, 1, 2, 3, 7, 9 })
        EXPECT_FALSE(night(t)) << t;
    for (int t : { 4, 5, 6 })
        EXPECT_TRUE(night(t)) << t;

    s.mapHeader().dayNightLow = 1000 & 0xFF;
    s.mapHeader().dayNightHigh = 1000 >> 8;
    EXPECT_FALSE(night(1));
    EXPECT_FALSE(night(999));
    s.mapHeader().data534[0] = 1;
    EXPECT_TRUE(night(1));
    EXPECT_TRUE(night(999));

    s.mapHeader().dayNightLow = 0; // read as 1
    s.mapHeader().dayNightHigh = 0;
    s.mapHeader().data534[0] = 0;
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

TEST(TroopSort, SelectionMovesEqualKeysAsTheListWindowShowsThem)
{
    // Keys compare by their high byte only; the low byte tells equal keys apart.
    std::vector<uint32_t> keys = { 0x0201, 0x0101, 0x0202, 0x0102, 0x0103 };
    sortTroopKeys(keys, [](uint32_t a, uint32_t b) { return (a >> 8) < (b >> 8); });
    EXPECT_EQ(keys, (std::vector<uint32_t> { 0x0103, 0x0102, 0x0101, 0x0201, 0x0202 }));
}

TEST(TroopSort, PlayerListPutsMissingUnitsLastAndReversesOnlyUnitsInPlay)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    int id = s.unitTypes()[0].id;
    for (int troop : { 30, 10, 20 })
        world.unit(1, world.addUnit(1, id, 0, 0)).troopNumber = uint16_t(troop);
    // Index 3 is free, index 4 waits in the carry-over list.
    int waiting = world.addUnit(1, id, 0, 0);
    world.unit(1, waiting + 1) = world.unit(1, waiting);
    world.unit(1, waiting) = UnitRecord {};
    world.unit(1, waiting + 1).stateLow = 1000 & 0xFF;
    world.unit(1, waiting + 1).stateHigh = 1000 >> 8;
    world.unit(1, waiting + 1).troopNumber = 5;
    s.country(1).unitListLength = 5;
    auto indexes = [&] {
        std::vector<int> out;
        for (uint32_t key : s.playerUnitList(1)) {
            EXPECT_EQ(key & 0xFFFF, 1u);
            out.push_back(int(key >> 16));
        }
        return out;
    };
    s.sortPlayerUnitList(1, 0, 0);
    EXPECT_EQ(indexes(), (std::vector<int> { 4, 1, 2, 0, 3 }));
    s.sortPlayerUnitList(1, 0, 1);
    EXPECT_EQ(indexes(), (std::vector<int> { 3, 0, 2, 1, 4 }));

    world.unit(1, 0).fuel = 1;
    world.unit(1, 1).fuel = 3;
    world.unit(1, 2).fuel = 2;
    world.unit(1, 4).fuel = 9;
    s.sortPlayerUnitList(1, 9, 0);
    EXPECT_EQ(indexes(), (std::vector<int> { 0, 2, 1, 4, 3 }));
    // The leading run in play is reversed; the waiting unit stops it.
    s.sortPlayerUnitList(1, 9, 1);
    EXPECT_EQ(indexes(), (std::vector<int> { 1, 2, 0, 4, 3 }));
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
    // Keys are (entry << 16) | country. Entry 3 is free and entry 500 lies outside the list.
    auto keys = [](std::vector<uint32_t> list) {
        for (uint32_t& k : list)
            k = (k << 16) | 3;
        return list;
    };
    auto sorted = [&](uint32_t key, uint8_t reverse) {
        *s.troopList(3) = keys({ 3, 500, 2, 1, 0 });
        s.setTroopListSort(key, reverse);
        s.sortTroopList(3);
        return std::vector<uint32_t>(s.troopList(3)->begin(), s.troopList(3)->begin() + 3);
    };
    EXPECT_EQ(sorted(0, 0), keys({ 0, 1, 2 }));
    EXPECT_EQ(sorted(1, 0), keys({ 1, 0, 2 }));
    EXPECT_EQ(sorted(2, 0), keys({ 1, 0, 2 }));
    EXPECT_EQ(sorted(3, 0), keys({ 2, 0, 1 }));
    *s.troopList(3) = keys({ 3, 2, 1, 0 });
    s.setTroopListSort(1, 1);
    s.sortTroopList(3);
    EXPECT_EQ(*s.troopList(3), keys({ 3, 2, 0, 1 }));
}

TEST(ProducibleList, FilterAvailabilityWarheadsAndOrders)
{
    SmallWorld world(4, 4);
    GameState& s = world.state();
    const auto& types = s.unitTypes();
    int a = types[0].id;
    int b = types[1].id;
    int c = types[2].id;
    for (int id : { a, b, c }) {
        world.editType(id).available = 1;
        world.editType(id).baseType = 0;
        world.editType(id).unitClass = 0;
    }
    world.editType(c).unitClass = kWarheadClass;
    ProductionTypeRecord production {};
    production.setProducible(a, true);
    production.setProducible(b, true);
    production.setProducible(c, true);
    s.setUserProductionType(0, production);
    s.buildProducibleList(kFirstUserProductionType);
    EXPECT_EQ(s.producibleList(), (std::vector<uint32_t> { uint32_t(a), uint32_t(b) }));
    world.editType(a).available = 0;
    s.buildProducibleList(kFirstUserProductionType);
    EXPECT_EQ(s.producibleList(), (std::vector<uint32_t> { uint32_t(b) }));
    // A derived type whose base number lies at or below its own is left out.
    world.editType(b).baseType = uint16_t(b);
    s.buildProducibleList(kFirstUserProductionType);
    EXPECT_TRUE(s.producibleList().empty());
    world.editType(b).baseType = 0;

    world.editType(a).available = 1;
    s.buildProducibleList(0);
    std::vector<uint32_t> all = s.producibleList();
    EXPECT_EQ(std::count(all.begin(), all.end(), uint32_t(c)), 0);
    s.reverseProducibleList(0, 1);
    EXPECT_EQ(s.producibleList().front(), all.back());
    s.reverseProducibleList(3, 0);
    const std::vector<uint32_t>& sorted = s.producibleList();
    for (size_t i = 1; i < sorted.size(); ++i) {
        const UnitTypeRecord& x = s.unitTypeRecord(int(sorted[i - 1]));
        const UnitTypeRecord& y = s.unitTypeRecord(int(sorted[i]));
        EXPECT_LE(uint64_t(x.members) * x.memberPrice, uint64_t(y.members) * y.memberPrice);
    }
}
