// CombatPair: one engagement, side 0 the attacker and side 1 the defender unit or the target hex.
#pragma once

#include <cstddef>
#include <cstdint>

class GameState;
struct UnitRecord;

// Side codes besides 0..8 (unit tables) and 100 + c (missiles in flight of country c).
constexpr int kHexSideCode = 250;
constexpr int kNoTargetCode = -1;

// The preview values of one side, in their stored order.
enum CombatPreview : int {
    kPreviewBasePower,
    kPreviewAttackBonus,
    kPreviewDefence,
    kPreviewDefenceBonus,
    kPreviewEvasion,
    kPreviewTerrain,
    kPreviewAreaCover,
    kPreviewEncirclement,
    kPreviewCount,
};

#pragma pack(push, 1)
struct CombatSide {
    int16_t code;
    // For a hex: x in the low byte and y in the next.
    int16_t index;
    int16_t country;
    uint16_t unitType;
    // 0..4, -1 none.
    int16_t weaponSlot;
    uint32_t x;
    uint32_t y;
    uint16_t attackValue;
    uint16_t defenceValue;
    uint16_t weaponMultiplier;
    uint16_t slotMultiplier;
    // The firing members: counters above 0.
    uint16_t memberCount;
    uint16_t strengthBefore[10];
    uint16_t strengthAfter[10];
    uint16_t experienceBefore;
    uint16_t experienceAfter;
    // Attacker only: the weapon must carry flag 128 besides flag 8.
    uint8_t restricted;
    // Set when a critical hit happened in this engagement.
    uint8_t critical;
    uint32_t preview[kPreviewCount];
};
#pragma pack(pop)
static_assert(sizeof(CombatSide) == 106);
static_assert(offsetof(CombatSide, attackValue) == 18);
static_assert(offsetof(CombatSide, strengthBefore) == 28);
static_assert(offsetof(CombatSide, restricted) == 72);
static_assert(offsetof(CombatSide, preview) == 74);

#pragma pack(push, 1)
struct CombatPair {
    CombatSide side[2];
    // The attacker destroys itself: its counters are zeroed before the write-back, no return fire.
    uint8_t selfDestruct;

    bool isHexSide(int k) const { return side[k].code == kHexSideCode; }
    bool isSideSet(int k) const { return !isHexSide(k) && side[k].code >= 0; }
    // The unit behind a set side; null for a hex, no target or a stale index.
    UnitRecord* unit(GameState& state, int k) const;
    const UnitRecord* unit(const GameState& state, int k) const;

    // A code above 108 is a hex whose position is packed into index.
    void setSide(const GameState& state, int k, int code, int index);
    void setAttacker(const GameState& state, int code, int index, int x, int y, bool restricted);
    void setAttacker(const GameState& state, int code, int index) { setSide(state, 0, code, index); }
    void setDefender(const GameState& state, int code, int index) { setSide(state, 1, code, index); }
    void refreshSide(const GameState& state, int k);
    void recountAfter(int k) { side[k].memberCount = uint16_t(strengthSlotsAfter(k)); }

    int strengthSlotsBefore(int k) const;
    int strengthSlotsAfter(int k) const;
    int strengthTenthsBefore(const GameState& state, int k) const;
    int strengthTenthsAfter(const GameState& state, int k) const;
    int membersLost(int k) const { return strengthSlotsBefore(k) - strengthSlotsAfter(k); }
    bool survives(int k) const { return strengthSlotsAfter(k) > 0; }

    // Weapon slots: the attacker's from its firing hex, the defender's return fire when it sees the attacker.
    void prepare(GameState& state);
    void computeValues(GameState& state);
    // Side 0 fires a halved weapon multiplier at a neighbour of the target hex.
    void computeValuesHalfWeapon(GameState& state);
    // Puts losses, experience, fatigue, ammunition and the fought mark into a unit of a first table;
    // a missile in flight takes only its counters.
    void writeBack(GameState& state, int k);

    // 1..100 (0 when side k has no attack value); with spread the attack value varies 95..105 %.
    int hitChance(GameState& state, int k, bool spread) const;
    int oneHitDamage(GameState& state, int k) const;
    int expectedDamage(const GameState& state, int k) const;
};
#pragma pack(pop)
static_assert(sizeof(CombatPair) == 213);

// The game's current engagement, kept by the rules context; the state's pointer refers to it.
CombatPair& currentCombat(GameState& state);
// Fills the preview values of both sides.
void combatPreview(GameState& state, CombatPair& pair);
// The hex packed into a side's index, read unsigned so that columns and rows reach 255.
inline int packedHexX(int16_t index) { return uint16_t(index) & 0xFF; }
inline int packedHexY(int16_t index) { return uint16_t(index) >> 8 & 0xFF; }
inline int16_t packHexIndex(int x, int y) { return int16_t(uint16_t((x & 0xFF) | (y & 0xFF) << 8)); }
