// UnitRecord: one unit on the map, aboard a carrier, in a building or waiting to be carried over.
#pragma once

#include "state/weapon_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct SupplyOrder;
struct UnitTypeRecord;

// Bits of UnitRecord::watchBits.
enum WatchBits : uint8_t {
    // Either bit: the end-of-game check counts the unit.
    kWatchCounted = 1 | 4,
    // To be carried to its goal hex; its members lost are an end-check event.
    kWatchTransported = 2,
};

// Bits of UnitRecord::flags.
enum UnitFlags : uint16_t {
    kUnitActed = 1,
    kUnitAboard = 2,
    kUnitCarrying = 4,
    kUnitStored = 8,
    kUnitAwaitingProduction = 0x40,
    kUnitOffMap = 0x4000,
};

// The most experience points a unit gathers.
constexpr int kMaxExperience = 2550;

#pragma pack(push, 1)
struct UnitRecord {
    // State = stateLow + 256 * stateHigh: 0 free slot, 1 in play; 1000 waiting in the carry-over list.
    uint8_t stateLow;
    char name[34];
    uint8_t unused35;
    uint16_t unitTypeId;
    uint8_t productionTurnsLeft;
    uint8_t x;
    uint8_t y;
    uint8_t model;
    uint8_t ammunition[5];
    uint8_t unused47;
    uint16_t fuel;
    uint16_t flags;
    uint16_t experience;
    uint16_t fatigue;
    // Low 15 bits: index + 1 of the carried unit; bit 15: it belongs to the neutral side.
    uint16_t carriedUnits[8];
    uint16_t carrierIndex;
    uint8_t turnStartX;
    uint8_t turnStartY;
    uint8_t unused76[2];
    uint16_t carrierStrengthAtBoarding;
    uint16_t missileTargetX;
    uint16_t missileTargetY;
    uint16_t lastPlaceIndex;
    uint16_t lastPlaceKind;
    // Bit s: side s jammed this unit; cleared at the start of s's turn.
    uint8_t jammedSides;
    uint8_t sightFixed;
    // WatchBits.
    uint8_t watchBits;
    uint8_t goalX;
    uint8_t goalY;
    uint8_t carrierSide;
    uint8_t stateHigh;
    uint8_t memberStrengths[10];
    // Attacks left before the next misfire check.
    uint8_t misfireCountdown;
    uint16_t placedUnitIndex;
    uint8_t computerWork[10];
    uint8_t hasAutoRoute;
    uint8_t unused119;
    uint8_t wayPoints[8][2];
    uint8_t wayPointCount;
    uint8_t followsUnit;
    uint16_t goalXOrSide;
    uint16_t goalYOrIndex;
    uint16_t groupLead;
    uint8_t memberLimit;
    uint8_t weaponWait[5];
    uint8_t unused150[2];
    uint16_t troopNumber;

    int state() const { return stateLow + 256 * stateHigh; }
    bool hasFlag(unsigned flag) const { return (flags & flag) != 0; }
    // Not aboard, stored or off the map.
    bool isOnOwnHex() const { return !hasFlag(kUnitAboard | kUnitStored | kUnitOffMap); }
    // The unit's type; an empty type of one member when the id names none.
    const UnitTypeRecord& type() const;
    // Null when the type names no base type or it is unknown.
    const UnitTypeRecord* baseType() const;
    // The model byte comes from files: one beyond the type's four models reads model 0.
    int modelIndex() const { return model < 4 ? model : 0; }
    // Null when slot 0..4 of the type holds no known weapon.
    const WeaponRecord* slotWeapon(int slot) const;
    // The slot's weapon, or the base type's when the type has none there.
    const WeaponRecord* slotWeaponOrBase(int slot) const;

    // strengthSlotCount and strengthTotal are in unit_facts.h; this is strengthTenths of the unit's type.
    int strengthTenths() const;

    bool isFresh() const;
    bool canAttackClass(int target_class) const;
    int bestWeaponReach(int target_class, int restricted_only, unsigned required, unsigned excluded) const;
    int reachWithoutRestricted(int target_class) const { return bestWeaponReach(target_class, 0, 0, kWeaponRestricted); }
    int restrictedReach(int target_class) const { return bestWeaponReach(target_class, 1, 0, 0); }
    int areaReach(int target_class) const { return bestWeaponReach(target_class, 0, kWeaponArea, 0); }
    int reachWithoutArea(int target_class) const { return bestWeaponReach(target_class, 0, 0, kWeaponArea); }
    // -1 when no slot passes.
    int firstWeaponSlotFor(int target_class, int min_reach, int restricted_only, unsigned required, unsigned excluded) const;
    int findAreaWeapon(int target_class, int min_reach) const { return firstWeaponSlotFor(target_class, min_reach, 0, kWeaponArea, 0); }
    int findWeaponWithoutArea(int target_class, int min_reach) const { return firstWeaponSlotFor(target_class, min_reach, 0, 0, kWeaponArea); }
    // Appends the slots of launch weapons that may fire; whether any was added.
    bool listUsableWeapons(bool skip_waiting, std::vector<int>& slots, int restricted_only) const;
    int shortestWeaponWait() const;
    int findEcmWeapon() const;
    int engineeringAmmoTotal() const;
    int attackValueScaled(int slot, int target_class) const;
    int sightRange(int layer) const;
    int movePoints() const;
    int halfFuelCapped() const;

    int maxAmmo(int slot) const;
    int maxFuel() const;
    bool needsFuel() const;
    bool needsAmmo() const;
    bool needsWeaponAmmo() const;
    bool hasEmptySupplyOrWorksSlot() const;
    int ammoUnitPrice(int slot) const;
    void spendSupplyStock(int amount);
    void spendEngineeringStock(int amount);
    int supplyStock() const;

    int missingMembers() const;
    bool hasDamagedMember() const;
    void addExperience(int delta);
    // With experience on: the points, halved in a campaign.
    void gainExperience(int points);
    void gainExperienceByStrength();
    void gainExperienceHalfStrength();
    static int divideExperienceGain(int gain);
    // member_list: ten signed counters, null for none.
    void applyDamage(int side, const int16_t* member_list, int attacker_side);

    // Index + 1 of the carried unit, 0 empty; side becomes 8 for a unit of the neutral side.
    int carriedUnitAt(int slot, int& side) const;
    void setCarriedUnit(int slot, int index);
    void setCarriedNeutralUnit(int slot, int index);
    void clearCarriedUnit(int slot);
    int boardCarrier(int side, int index);
    void leaveCarrier();
    void leaveBuilding(int building_index_plus1);
    void recordLastCarrier(int index);
    void recordLastBuilding(int index);
    int lastCarrierIndex() const;
    int lastBuildingIndex() const;
    bool carrierWasDamaged();
    bool cargoAccepts(int side, int index) const;
    bool canLoadInto(int side, int index, int own_side, int own_index, int x, int y, int via_terrain) const;
    bool canTakeAboard(int side, int index, int own_side, int own_index) const;
    bool canTakeAboardNested(int side, int index, int own_side, int own_index) const;
    void collectBoardingTargets(std::vector<uint32_t>& list, int side, int index, int own_side, int own_index) const;
    bool carrierHexTest(int own_side, int own_index, int side, int index, int x, int y, int via_terrain) const;
    bool nestingAllows(int side, int index, int own_side) const;
    int nestedUnitCount(int own_side) const;
    bool isNestedInside(int side, int index, int own_side) const;
    bool canActOnTerrain(int x, int y, int side) const;
    void markActed();
    // The per-turn working words at bytes 106..115, cleared when the side's turn starts.
    void clearWords106To114()
    {
        placedUnitIndex = 0;
        for (int i = 0; i < 8; ++i)
            computerWork[i] = 0;
    }

    // False for a headquarters, which gets no order.
    bool buildSupplyOrder(SupplyOrder& order, int side, int index) const;
    void requestResupply(int side, int index);
    void requestSupplyUnitService(int side, int index);
    bool canServiceUnit(int side, int index, int x, int y) const;
    // This is unit (side, index): the index of a unit of its side beside it that may serve it; -1 when none.
    int findAdjacentSupplyUnit(int side, int index) const;
    bool carrierHasSupplies() const;
    bool canDrawCarrierSupplies() const;
};
#pragma pack(pop)
static_assert(sizeof(UnitRecord) == 154);
static_assert(offsetof(UnitRecord, unitTypeId) == 36);
static_assert(offsetof(UnitRecord, flags) == 50);
static_assert(offsetof(UnitRecord, carrierIndex) == 72);
static_assert(offsetof(UnitRecord, stateHigh) == 94);
static_assert(offsetof(UnitRecord, misfireCountdown) == 105);
static_assert(offsetof(UnitRecord, computerWork) == 108);
static_assert(offsetof(UnitRecord, wayPoints) == 120);
static_assert(offsetof(UnitRecord, memberLimit) == 144);
static_assert(offsetof(UnitRecord, troopNumber) == 152);

constexpr int kUnitTableSize = 1000;

