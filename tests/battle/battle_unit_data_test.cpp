// The battle unit table: both file forms, the look-up and its bounds.
#include "battle/battle_unit_data.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> currentForm(const std::vector<BattleUnitEntry>& entries)
{
    std::vector<uint8_t> out(kBattleUnitDataMagic, kBattleUnitDataMagic + 16);
    for (const BattleUnitEntry& e : entries) {
        const auto* p = reinterpret_cast<const uint8_t*>(&e);
        out.insert(out.end(), p, p + sizeof e);
    }
    return out;
}

std::vector<uint8_t> oldForm(const std::vector<BattleUnitEntry>& entries)
{
    std::vector<uint8_t> out;
    for (const BattleUnitEntry& e : entries) {
        put(out, 0xDEADBEEF, 4);
        put(out, e.sceneKind, 1);
        put(out, 0, 3);
        for (const BattleWeaponRow& row : e.weapons) {
            put(out, row.kind, 2);
            put(out, 0xFFFF, 2);
            put(out, row.param1, 4);
            put(out, row.param2, 4);
        }
        put(out, e.spriteNumber, 4);
    }
    return out;
}

BattleUnitEntry entry(uint16_t id, uint8_t kind, uint32_t sprite)
{
    BattleUnitEntry e {};
    e.battleId = id;
    e.sceneKind = kind;
    e.weapons[1] = { 36, 12, 34 };
    e.spriteNumber = sprite;
    return e;
}

} // namespace

TEST(BattleUnitData, OldAndCurrentFormsGiveTheSameEntries)
{
    const std::vector<BattleUnitEntry> entries = { entry(3, 0, 3), entry(5001, 20, 5001), entry(12000, 31, 12000) };
    BattleUnitData current;
    current.readFile(currentForm(entries));
    BattleUnitData old;
    old.readFile(oldForm(entries));
    for (const BattleUnitEntry& e : entries) {
        EXPECT_EQ(std::memcmp(&current.entryFor(e.battleId), &old.entryFor(e.battleId), sizeof e), 0) << e.battleId;
        EXPECT_EQ(current.entryFor(e.battleId).weapons[1].kind, 36);
        EXPECT_EQ(current.entryFor(e.battleId).weapons[1].param2, 34u);
    }
    EXPECT_EQ(current.indexOf(5001), 1) << "each range has its own table";
}

TEST(BattleUnitData, SpriteNumberZeroReadsTheBattleIdsFileAndALaterEntryWins)
{
    BattleUnitData data;
    data.readFile(currentForm({ entry(7, 1, 0), entry(9, 2, 21000), entry(9, 5, 22000) }));
    EXPECT_EQ(packed(data.entryFor(7).spriteNumber), 7u);
    EXPECT_EQ(data.entryFor(9).sceneKind, 5);
    EXPECT_EQ(packed(data.entryFor(9).spriteNumber), 22000u) << "the sprite number is 32 bits wide";
}

TEST(BattleUnitData, IdsOutsideTheIndexAndUnknownIdsReadTheZeroEntry)
{
    BattleUnitData data;
    data.readFile(currentForm({ entry(15000, 8, 1), entry(40000, 8, 1), entry(4, 3, 4) }));
    for (int id : { 15000, 40000, 65535, 6, -1 }) {
        EXPECT_EQ(data.indexOf(id), 0) << id;
        EXPECT_EQ(data.entryFor(id).sceneKind, 0) << id;
        EXPECT_EQ(packed(data.entryFor(id).spriteNumber), 0u) << id;
    }
    EXPECT_EQ(data.entryFor(4).sceneKind, 3);
}

TEST(BattleUnitData, ShortFilesAndPartRecordsAddNothingButTypesStillGetEntries)
{
    BattleUnitData data;
    data.readFile(std::vector<uint8_t>(kBattleUnitDataMagic, kBattleUnitDataMagic + 16));
    auto bytes = currentForm({ entry(2, 4, 2) });
    bytes.resize(bytes.size() - 1);
    data.readFile(bytes);
    EXPECT_TRUE(data.empty());
    const uint16_t ids[] = { 2, 30, 30 };
    data.fillMissing(ids);
    EXPECT_EQ(data.indexOf(2), 1);
    EXPECT_EQ(data.indexOf(30), 2) << "one zero entry per type";
    EXPECT_EQ(data.entryFor(30).battleId, 30);
    data.clear();
    EXPECT_EQ(data.indexOf(30), 0);
}
