// Facts about unit types and units: roles, layers, weapon slots, strength, experience, images, carrying.
#pragma once

#include "state/unit_record.h"
#include "state/unit_type_record.h"

#include <cstdint>
#include <string>

class GameState;

// 0 free slot, 1 in play, 1000 waiting in the carry-over list.
inline int unitState(const UnitRecord& unit) { return unit.stateLow + 256 * unit.stateHigh; }
inline bool unitExists(const UnitRecord& unit) { return unitState(unit) != 0; }
inline bool unitInPlay(const UnitRecord& unit) { return unitState(unit) == 1; }

inline int unitTypeDomain(const UnitTypeRecord& type) { return type.domain; }
// The computer player's role of the type's class: 1, 3, 4, 5 or 6.
int aiRoleGroup(const UnitTypeRecord& type);
// Index of the first largest per-layer byte; the sight form answers 1 when layers 0 and 1 tie.
int widestRangeLayer(const UnitTypeRecord& type);
int bestSightLayer(const UnitTypeRecord& type);
int maxSightRange(const UnitTypeRecord& type);
// Combat target class: 3 hard or 6 soft on land, 7 or 8 for warheads, else the domain.
int targetClass(const UnitTypeRecord& type);
int baseTargetClass(const UnitTypeRecord& type);
inline bool unitWeaponSlotUsed(const UnitTypeRecord& type, int i)
{
    return i >= 0 && i < kWeaponSlotCount && type.weaponSlot[i].weaponId > 0;
}
int carryBerthCount(const UnitTypeRecord& type);
// The armament model a new unit of the type starts with; 0 for a value out of range.
inline int defaultModelOf(const UnitTypeRecord& type) { return type.defaultModel < kModelCount ? type.defaultModel : 0; }
// Armament set k exists: it is the type's default set, or one of its five ammunition counts is set.
bool unitTypeHasGroupFlag(const UnitTypeRecord& type, int k);
// More than one armament set to choose from.
bool isMultiRole(const UnitTypeRecord& type);

int strengthTotal(const UnitRecord& unit);
int strengthSlotCount(const UnitRecord& unit);

// What a unit holds of the most it can hold, as every window shows it: one query for each figure,
// so that the panel, the troop list and the unit windows agree.
struct HeldFigure {
    int now = 0;
    int most = 0;
};
// Machines: the counters with strength, of the unit's member limit.
HeldFigure heldMachines(const UnitRecord& unit);
// Fuel and a slot's ammunition, of its armament set's allowance.
HeldFigure heldFuel(const UnitRecord& unit);
HeldFigure heldAmmunition(const UnitRecord& unit, int slot);
int strengthTenths(const UnitRecord& unit, const UnitTypeRecord& type);

int experienceLevelFor(int points);
inline int experienceLevel(const UnitRecord& unit) { return experienceLevelFor(unit.experience); }
int experiencePercent(int points);
// "Ｅ" .. "★" (CP932) for levels 0..5; empty outside.
const char* experienceMark(int level);
struct ExperienceProgress {
    int value = 0;
    int span = 0;
};
// (points - lower) / 10 of (next - lower) / 10; 100 of 100 at the top level.
ExperienceProgress experienceProgress(int points);

// The rank of a form among a type and its base type (the first armament set's movement
// allowance, byte 275): the form ranked higher stands for the pair in images, lists and counts.
inline int unitVariantOrder(const UnitTypeRecord& type) { return type.model[0].values[0]; }
// The type's name begins with "民間" (civilian).
bool hasCivilianName(const UnitTypeRecord& type);
// Image index of a unit type in the unit sheet.
int unitBitmapIndex(const GameState& state, const UnitTypeRecord& type);
// "g%05d.bmp", "%04d.bmp" or "%d.bmp"; the caller puts it in the unit folder.
std::string unitImageFileName(const UnitTypeRecord& type);

// Whether a unit of that carry class and members still finds a berth beside the cargo aboard.
bool canCarryUnit(const GameState& state, const UnitRecord& carrier, int carry_mask, int members, int country);
// Stores the unit in the first free carried slot when it fits; sets the carrier's cargo flag (4).
bool takeAboard(GameState& state, UnitRecord& carrier, int carrier_country, int country, int index);

// Weapon slots of a type: the slot's weapon, null for an empty slot or an unknown weapon.
const WeaponRecord* slotWeapon(const GameState& state, const UnitTypeRecord& type, int i);
const UnitTypeRecord* baseTypeOf(const GameState& state, const UnitTypeRecord& type);
// The slot's weapon kind; for an empty slot the base type's; 13 when neither has a weapon.
int slotWeaponKindOrBase(const GameState& state, const UnitTypeRecord& type, int i);
bool slotIsLaunchWeapon(const GameState& state, const UnitTypeRecord& type, int i);
// A direct weapon: a used slot whose weapon has a positive use value and is not launched.
bool hasUsableDirectWeapon(const GameState& state, const UnitTypeRecord& type);
bool hasWeaponOfKind(const GameState& state, const UnitTypeRecord& type, int kind);
inline bool hasSupplyWeapon(const GameState& s, const UnitTypeRecord& t) { return hasWeaponOfKind(s, t, 6); }
inline bool hasEcmWeapon(const GameState& s, const UnitTypeRecord& t) { return hasWeaponOfKind(s, t, 10); }
inline bool hasSelfDestructWeapon(const GameState& s, const UnitTypeRecord& t) { return hasWeaponOfKind(s, t, 12); }
bool hasLaunchWeapon(const GameState& state, const UnitTypeRecord& type);
// The longest reach of a direct weapon that the model carries ammunition for; 0 without.
int bestReachFor(const GameState& state, const UnitTypeRecord& type, int model);
inline bool hasAreaRange(const UnitTypeRecord& type) { return type.areaRadius > 0; }

// Copies the model's ammunition (the base type's where larger) and fuel into the unit.
void selectModel(const GameState& state, UnitRecord& unit, int model);
// The ammunition allowance of slot i for the unit's model: the larger of its type's and base type's.
int modelAmmoAllowance(const GameState& state, const UnitTypeRecord& type, int model, int i);

// Bitmap paths in the unit folder. The "mi" and "wt" images pick their number by size 16, 32 or
// other; the second set uses the "e" prefix; an image number below 20000 gives an empty path.
std::string unitImagePath(const UnitTypeRecord& type);
std::string unitMiImagePath(const UnitTypeRecord& type, int size, bool second_set);
std::string unitWtImagePath(const UnitTypeRecord& type, int size, bool second_set);
// Always 0; callers fall back to it when GameState::findTwinUnitType finds nothing.
inline int findTwinUnitTypeFallback(int, int) { return 0; }

// The unit's terrain check, with VTOLs and helicopters allowed their landing hexes and other
// non-land units refused on buildings unless stored there.
bool unitHexCheck(const GameState& state, const UnitRecord& unit, int x, int y, int side);
bool hasSelfDestructAmmo(const GameState& state, const UnitRecord& unit);
// Clears the automatic route: byte 118 and bytes 120..143.
void clearUnitAux(UnitRecord& unit);
bool carriesNeutralUnit(const UnitRecord& carrier);
// Index of the first unit aboard of that class (country's table, or the neutral one); -1 when none.
int findCarriedOfClass(const GameState& state, const UnitRecord& carrier, int country, int unit_class);
// Copies the carrier's hex into its cargo and theirs, down every level.
void syncCarriedPositions(GameState& state, UnitRecord& carrier, int country);

// Fields of the slot's weapon; 0 for an empty slot (the power also for a class outside 0..8).
int slotWeaponLaunchedType(const GameState& state, const UnitTypeRecord& type, int i);
int slotWeaponWaitTurns(const GameState& state, const UnitTypeRecord& type, int i);
int slotWeaponMultiplier(const GameState& state, const UnitTypeRecord& type, int i);
int slotWeaponAmmoPrice(const GameState& state, const UnitTypeRecord& type, int i);
int slotWeaponPower(const GameState& state, const UnitTypeRecord& type, int i, int target_class);
int slotWeaponUseValue(const GameState& state, const UnitTypeRecord& type, int i);
int slotWeaponKind(const GameState& state, const UnitTypeRecord& type, int i);
