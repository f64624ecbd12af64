// ActionHistoryLog: growth, what the recorders store, and the stream block with damaged input.
#include "tests/state/action_history_test_world.h"
#include "tests/state/small_world.h"

#include "state/rules_hooks.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_history::FakeWorld;
using testing_history::StringStream;

namespace {

HistoryRecord numbered(uint32_t i)
{
    HistoryRecord record {};
    record.value = i;
    record.turn = uint16_t(i);
    return record;
}

std::string block(uint32_t record_size, uint32_t count, const std::string& records)
{
    std::string bytes(8, '\0');
    std::memcpy(&bytes[0], &record_size, 4);
    std::memcpy(&bytes[4], &count, 4);
    return bytes + records;
}

} // namespace

TEST(ActionHistoryLog, GrowsByDoublingToTheLimitWhereItTellsOnceAndKeepsNoMore)
{
    testing_state::noticeLog().clear();
    ActionHistoryLog log;
    EXPECT_EQ(log.capacity(), 0u);
    for (uint32_t i = 0; i < 1000; ++i)
        log.append(numbered(i));
    EXPECT_EQ(log.capacity(), 1000u);
    EXPECT_EQ(log.append(numbered(1000)), 1001u);
    EXPECT_EQ(log.capacity(), 2000u);
    // Past the last record (inside the grown capacity or beyond it) an empty record answers.
    EXPECT_EQ(log.record(1001).kind, 0);
    EXPECT_EQ(log.record(5000).value, 0u);
    while (log.count() < ActionHistoryLog::kMaxRecords)
        log.append(numbered(log.count()));
    EXPECT_EQ(log.capacity(), ActionHistoryLog::kMaxRecords);
    EXPECT_TRUE(testing_state::noticeLog().notices().empty());
    EXPECT_EQ(log.append(numbered(1)), ActionHistoryLog::kMaxRecords);
    EXPECT_EQ(log.append(numbered(2)), ActionHistoryLog::kMaxRecords);
    for (uint32_t i : { 0u, 999u, 1000u, 654321u, ActionHistoryLog::kMaxRecords - 1 })
        ASSERT_EQ(log.record(i).value, i);
    ASSERT_EQ(testing_state::noticeLog().notices().size(), 1u);
    EXPECT_EQ(testing_state::utf8(testing_state::noticeLog().notices()[0].text.c_str()),
        "行動履歴が上限の1000000件に達しました。\nこれより後の出来事は行動履歴に残りません。");

    // What the writer kept, the reader takes back whole.
    StringStream stream;
    log.write(stream);
    ActionHistoryLog loaded;
    EXPECT_EQ(loaded.read(stream, stream.bytes.size()), HistoryReadResult::Whole);
    EXPECT_EQ(loaded.count(), ActionHistoryLog::kMaxRecords);
    log.clear();
    EXPECT_EQ(log.count(), 0u);
    EXPECT_EQ(log.capacity(), 0u);
    testing_state::noticeLog().clear();
}

TEST(ActionHistoryLog, FillPartyCopiesTheUnitAndWhoSawIt)
{
    FakeWorld world;
    world.turn = 12;
    world.playing = 0b0000'1011; // countries 0, 1 and 3
    world.addUnit(2, 5, "Tank", 77, 9, 4);
    world.visible = { { 0, 2, 5 }, { 3, 2, 5 }, { 4, 2, 5 } };
    ActionHistoryLog log(&world);

    HistoryRecord record {};
    ASSERT_TRUE(log.fillParty(record, 1, 2, 5));
    EXPECT_EQ(record.turn, 12);
    EXPECT_EQ(record.x, 9);
    EXPECT_EQ(record.y, 4);
    EXPECT_EQ(record.side1, 2);
    EXPECT_EQ(record.sideMask, 0b100);
    EXPECT_EQ(record.type1, 77);
    EXPECT_STREQ(record.unit1, "Tank");
    // Country 4 sees it but is not playing.
    EXPECT_EQ(record.seen1, 0b1001);
    EXPECT_EQ(record.seen0, 0);

    // A given position asks about the unit standing there; a missile code counts as its country.
    world.addUnit(103, 0, "Missile", 5, 1, 1);
    world.visibleAt = { { 1, 103, 0, 7, 8 } };
    HistoryRecord missile {};
    ASSERT_TRUE(log.fillParty(missile, 0, 103, 0, 7, 8));
    EXPECT_EQ(missile.side0, 3);
    EXPECT_EQ(missile.sideMask, 0b1000);
    EXPECT_EQ(missile.seen0, 0b10);

    HistoryRecord none {};
    EXPECT_FALSE(log.fillParty(none, 0, 1, 999));
}

TEST(ActionHistoryLog, StrengthRecordersReadTheUnitsCounters)
{
    FakeWorld world;
    world.addType(10, 4, 5);
    UnitRecord& unit = world.addUnit(0, 0, "Inf", 10, 2, 2);
    const uint8_t counters[4] = { 5, 5, 5, 5 };
    std::memcpy(unit.memberStrengths, counters, 4);
    ActionHistoryLog log(&world);

    log.recordReplenishment(0, 0, 2);
    EXPECT_EQ(log.record(0).kind, 5);
    EXPECT_EQ(log.record(0).value, 4u | 2u << 16);
    EXPECT_EQ(log.record(0).type1, 1);

    log.recordRepair(0, 0, 12);
    EXPECT_EQ(log.record(1).value, 20u | 12u << 16);
    EXPECT_EQ(log.record(1).type1, 1);
    unit.memberStrengths[3] = 0;
    log.recordRepair(0, 0, 12);
    EXPECT_EQ(log.record(2).value, 15u | 12u << 16);
    EXPECT_EQ(log.record(2).type1, 0);

    log.recordMerge(0, 0, 6);
    EXPECT_EQ(log.record(3).value, 3u | 6u << 16);
    log.recordSplit(0, 0, -1);
    EXPECT_EQ(log.record(4).kind, 8);
    EXPECT_EQ(log.record(4).value, 0xFFFFFFFFu);
}

TEST(ActionHistoryLog, CombatDropsTheAttackerFromTheMaskWhenItCannotSeeTheTarget)
{
    FakeWorld world;
    world.addUnit(0, 1, "A", 10, 3, 3);
    world.addUnit(2, 4, "T", 11, 4, 3);
    world.visibleAt = { { 2, 2, 4, 4, 3 } };
    ActionHistoryLog log(&world);

    HistoryEngagement engagement;
    engagement.attacker = { 0, 1, 3, 3, 6, 5 };
    engagement.target = { 2, 4, 4, 3, 4, 1 };
    engagement.flag = true;
    log.recordCombat(engagement, 1, 0);
    const HistoryRecord& hidden = log.record(0);
    EXPECT_EQ(hidden.kind, 14);
    EXPECT_EQ(hidden.seen, 1);
    EXPECT_EQ(hidden.sideMask, 0b100);
    EXPECT_EQ(hidden.value, 0x0605u | 0x0401u << 16);
    EXPECT_EQ(hidden.seen1, 0b101); // its own country, and the attacker by the flag
    EXPECT_EQ(hidden.x, 4);

    world.visibleAt.insert({ 0, 2, 4, 4, 3 });
    engagement.flag = false;
    log.recordCombat(engagement, 1, 1);
    EXPECT_EQ(log.record(1).kind, 15);
    EXPECT_EQ(log.record(1).sideMask, 0b101);
}

TEST(ActionHistoryLog, MissileLaunchNamesTheLauncherAndTheTargetHex)
{
    FakeWorld world;
    world.turn = 3;
    BuildingRecord silo {};
    silo.type = 30;
    silo.ownerPlusOne = 6;
    silo.x = 10;
    silo.y = 11;
    silo.launchCounter = 2;
    BuildingRecord port {};
    port.type = 25;
    port.x = 20;
    port.y = 2;
    world.buildings = { silo, port };
    world.terrain[{ 7, 8 }] = 3;
    UnitRecord& launcher = world.addUnit(4, 0, "SSM", 10, 1, 2);
    launcher.ammunition[2] = 9;
    ActionHistoryLog log(&world);

    log.recordMissileLaunch(8, 0, 20, 2, 0);
    const HistoryRecord& from_building = log.record(0);
    EXPECT_EQ(from_building.turn, 3);
    EXPECT_EQ(from_building.side0, 8);
    EXPECT_EQ(from_building.sideMask, 0b10'0000);
    EXPECT_EQ(from_building.type0, 30);
    EXPECT_EQ(from_building.value, 2u);
    EXPECT_EQ(from_building.x, 10);
    EXPECT_EQ(from_building.side1, 8);
    EXPECT_EQ(from_building.type1, 25);
    EXPECT_STREQ(from_building.unit1, " 20,  2");

    log.recordMissileLaunch(4, 0, 7, 8, 2);
    const HistoryRecord& from_unit = log.record(1);
    EXPECT_EQ(from_unit.side0, 4);
    EXPECT_EQ(from_unit.value, 9u);
    EXPECT_EQ(from_unit.side1, 0);
    EXPECT_EQ(from_unit.type1, 3);
}

TEST(ActionHistoryLog, StreamRoundTripKeepsEveryByte)
{
    ActionHistoryLog log;
    for (uint32_t i = 0; i < 1500; ++i) {
        HistoryRecord record = numbered(i * 7);
        std::snprintf(record.unit0, sizeof(record.unit0), "unit %u", i);
        record.seen1 = uint8_t(i);
        log.append(record);
    }
    StringStream stream;
    log.write(stream);
    ASSERT_EQ(stream.bytes.size(), 8 + 1500 * sizeof(HistoryRecord));

    ActionHistoryLog loaded;
    loaded.append(numbered(99));
    EXPECT_EQ(loaded.read(stream, stream.bytes.size()), HistoryReadResult::Whole);
    ASSERT_EQ(loaded.count(), 1500u);
    EXPECT_EQ(loaded.capacity(), 1500u);
    for (uint32_t i = 0; i < 1500; ++i)
        ASSERT_EQ(std::memcmp(&loaded.record(i), &log.record(i), sizeof(HistoryRecord)), 0) << i;
}

TEST(ActionHistoryLog, OtherRecordSizesFillOrSkipTheSlot)
{
    std::string records;
    for (int i = 0; i < 2; ++i) {
        std::string record(100, char(0x11 * (i + 1)));
        records += record;
    }
    // Older, shorter records leave the tail of each slot zero.
    StringStream shorter;
    shorter.bytes = block(88, 2, records.substr(0, 176));
    ActionHistoryLog log;
    ASSERT_EQ(log.read(shorter, shorter.bytes.size()), HistoryReadResult::Whole);
    ASSERT_EQ(log.count(), 2u);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&log.record(1));
    EXPECT_EQ(bytes[0], 0x11); // the second record starts 88 bytes in
    EXPECT_EQ(bytes[87], 0x22);
    for (int i = 88; i < 92; ++i)
        EXPECT_EQ(bytes[i], 0);

    // Longer records keep their first 92 bytes and the rest is skipped.
    StringStream longer;
    longer.bytes = block(100, 2, records);
    ASSERT_EQ(log.read(longer, longer.bytes.size()), HistoryReadResult::Whole);
    ASSERT_EQ(log.count(), 2u);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&log.record(1))[0], 0x22);
}

TEST(ActionHistoryLog, DamagedBlocksAreCappedOrRefused)
{
    ActionHistoryLog log;
    // A count far past the data keeps only the whole records there.
    StringStream huge_count;
    huge_count.bytes = block(92, 0xFFFFFFFF, std::string(92 * 3 + 40, '\x5A'));
    EXPECT_EQ(log.read(huge_count, huge_count.bytes.size()), HistoryReadResult::Truncated);
    EXPECT_EQ(log.count(), 3u);
    EXPECT_EQ(log.capacity(), 3u);

    // Records of one byte would each take a 92-byte slot: a few are read, a million are refused.
    StringStream few_short;
    few_short.bytes = block(1, 3, "\x07\x08\x09");
    EXPECT_EQ(log.read(few_short, few_short.bytes.size()), HistoryReadResult::Whole);
    EXPECT_EQ(log.record(2).kind, 9);
    StringStream many_short;
    many_short.bytes = block(1, 1'000'000, std::string(1'000'000, '\x07'));
    EXPECT_EQ(log.read(many_short, many_short.bytes.size()), HistoryReadResult::Refused);
    EXPECT_EQ(log.capacity(), 0u);

    // A record size of 0 would read endless empty records.
    StringStream zero_size;
    zero_size.bytes = block(0, 50, "");
    EXPECT_EQ(log.read(zero_size, zero_size.bytes.size()), HistoryReadResult::Refused);
    EXPECT_EQ(log.count(), 0u);

    StringStream huge_size;
    huge_size.bytes = block(0x7FFFFFFF, 2, std::string(5000, 'x'));
    EXPECT_EQ(log.read(huge_size, huge_size.bytes.size()), HistoryReadResult::Truncated);
    EXPECT_EQ(log.count(), 0u);

    StringStream header_cut;
    header_cut.bytes = std::string("\x5C\0\0\0\x01", 5);
    EXPECT_EQ(log.read(header_cut, header_cut.bytes.size()), HistoryReadResult::Truncated);

    StringStream empty;
    empty.bytes = block(92, 0, "");
    EXPECT_EQ(log.read(empty, empty.bytes.size()), HistoryReadResult::Whole);
    EXPECT_EQ(log.capacity(), 0u);
}

namespace {

// Country 1 sees everything at (5, 5) and nothing elsewhere; the others see every unit.
class HexSight : public StateRulesHooks {
public:
    bool isUnitVisibleTo(const GameState&, int, int, int) override { return true; }
    bool isHexVisibleTo(const GameState&, int, int, int country, int x, int y) override
    {
        return country != 1 || (x == 5 && y == 5);
    }
    bool canUnitLand(const GameState&, int, int, int) override { return false; }
};

class InstalledHooks {
public:
    explicit InstalledHooks(StateRulesHooks* hooks) { setStateRulesHooks(hooks); }
    ~InstalledHooks() { setStateRulesHooks(nullptr); }
};

} // namespace

TEST(GameStateHistory, RecordsTheGamesUnitsAndNamesItsTerrain)
{
    testing_state::SmallWorld world(8, 8);
    GameState& state = world.state();
    state.turnBlock().turn = 4;
    state.turnBlock().currentCountry = 2;
    state.turnBlock().viewingCountry = 5;
    for (int c = 0; c < kCountryCount; ++c)
        state.country(c).inPlay = c < 3 ? 1 : 0;
    const UnitTypeRecord& type = state.unitTypes().front();
    int index = world.placeUnit(2, type.id, 3, 4);
    HexSight sight;
    InstalledHooks installed(&sight);

    ActionHistoryLog& log = state.historyLog();
    HistoryEngagement engagement;
    engagement.attacker = { 2, index, 3, 4, 2, 2 };
    engagement.target = { 250, 0, 6, 6, 0, 0 };
    log.recordGroundAttack(engagement, 0);
    ASSERT_EQ(log.count(), 1u);
    const HistoryRecord& record = log.record(0);
    EXPECT_EQ(record.turn, 4);
    EXPECT_EQ(record.type0, type.id);
    EXPECT_EQ(record.seen0, 0b101); // country 1 cannot see (3, 4); 3..7 are out of play
    EXPECT_EQ(record.type1, state.effectiveTerrainAt(6, 6));

    std::string line;
    log.writeText(record, line);
    std::string terrain(state.terrainTypes()[record.type1].name);
    EXPECT_NE(line.find(platform::utf8ToCp932("→ ") + terrain + ","), std::string::npos) << line;
    EXPECT_EQ(line.rfind("004,003.004,", 0), 0u);
    // Seen from the viewing country, whoever's turn it is: country 5 never saw the attacker, 0 did.
    EXPECT_EQ(line.find("[G]"), std::string::npos) << line;
    state.turnBlock().viewingCountry = 0;
    log.writeText(record, line);
    EXPECT_NE(line.find("[G]"), std::string::npos) << line;
}

TEST(ActionHistoryLog, TheGameStateHandsOutRecordsOnlyUpToTheCount)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_EQ(state.historyCount(), 0u);
    EXPECT_EQ(state.historyRecord(0), nullptr);
    state.historyLog().append(numbered(7));
    ASSERT_EQ(state.historyCount(), 1u);
    ASSERT_NE(state.historyRecord(0), nullptr);
    EXPECT_EQ(state.historyRecord(0)->value, 7u);
    EXPECT_EQ(state.historyRecord(1), nullptr);
    EXPECT_EQ(state.historyRecord(0xFFFFFFFFu), nullptr);
}
