// BattleUnitData: the battle scene's unit table, owned by the game state from start-up to shut-down.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#pragma pack(push, 1)
struct BattleUnitEntry {
    uint8_t data[54];
    // 20000 and up: a user-made sprite file "%d.dat" in the battle-scene folder.
    uint16_t spriteNumber;
    uint8_t tail[2];
};
#pragma pack(pop)
static_assert(sizeof(BattleUnitEntry) == 58);
static_assert(offsetof(BattleUnitEntry, spriteNumber) == 54);

// Ids below 5000 are in the first table, 5000 to 9999 in the second, 10000 and up in the third.
class BattleUnitData {
public:
    static constexpr int kTableCount = 3;

    static int tableOf(int battleUnitId) { return battleUnitId < 5000 ? 0 : battleUnitId < 10000 ? 1 : 2; }
    void clear();
    bool empty() const;

private:
    std::array<std::vector<BattleUnitEntry>, kTableCount> m_tables;
    // Id to 1-based position in its table.
    std::array<std::vector<uint16_t>, kTableCount> m_index;
};
