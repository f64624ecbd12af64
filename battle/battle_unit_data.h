// BattleUnitData: how the battle scene animates each unit type, read from "unitdata.dat" and owned
// by the game state from start-up to shut-down.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class GameState;

#pragma pack(push, 1)
struct BattleWeaponRow {
    // The weapon animation kind; 0 draws no weapon.
    uint16_t kind;
    // The muzzle's offsets on the full-size unit sprite.
    uint32_t param1;
    uint32_t param2;
};
static_assert(sizeof(BattleWeaponRow) == 10);

// One entry, also the record of the current file form.
struct BattleUnitEntry {
    // The unit type's id.
    uint16_t battleId;
    // The animation family that chooses the side's painter.
    uint8_t sceneKind;
    // 1: the sprite is scaled into a composed sheet; any non-zero value drops the lettered variants.
    uint8_t sheetFlag;
    BattleWeaponRow weapons[5];
    // Below 20000 "%04d.dat", from 20000 "g%05d.dat".
    uint32_t spriteNumber;
};
#pragma pack(pop)
static_assert(sizeof(BattleUnitEntry) == 58);
static_assert(offsetof(BattleUnitEntry, sceneKind) == 2);
static_assert(offsetof(BattleUnitEntry, weapons) == 4);
static_assert(offsetof(BattleUnitEntry, spriteNumber) == 54);

// The 16 bytes that open a current-form file.
inline constexpr char kBattleUnitDataMagic[17] = "LIVECLASHDATA2  ";
constexpr size_t kOldBattleRecordSize = 72;

// Fills entry from a 72-byte record of the old form: the weapon rows lose the 2 bytes after the kind.
void convertOldRecord(BattleUnitEntry& entry, const uint8_t* old_record);

// Ids below 5000 are in the first table, 5000 to 9999 in the second, 10000 and up in the third.
class BattleUnitData {
public:
    static constexpr int kTableCount = 3;
    // Ids from this on have no index entry and read as the zero entry.
    static constexpr int kIndexSize = 15000;

    BattleUnitData();

    static int tableOf(int battle_id) { return battle_id < 5000 ? 0 : battle_id < 10000 ? 1 : 2; }

    // The entries of a file's bytes in either form; later entries of one id replace earlier ones.
    void readFile(std::span<const uint8_t> bytes);
    // Appends an entry to its id's table and points the id's index at it.
    void append(const BattleUnitEntry& entry);
    // An all-zero entry for every id that has none yet.
    void fillMissing(std::span<const uint16_t> battle_ids);

    void clear();
    bool empty() const;
    void setIndex(int battle_id, int position);
    // The 1-based position in the id's table, 0 when the id has none.
    int indexOf(int battle_id) const;
    // The zero entry for an id without one, so that every caller may read it.
    const BattleUnitEntry& entryFor(int battle_id) const;
    const BattleUnitEntry& copyEntry(int battle_id, BattleUnitEntry& destination) const;

private:
    std::array<std::vector<BattleUnitEntry>, kTableCount> m_tables;
    std::vector<uint16_t> m_index;
};

// Reads "unitdata.dat" of the battle scene folder into the game state's table (skipped when asked)
// and gives every known unit type an entry.
void loadBattleUnitData(GameState& state, bool skip);
