// Combat values: attack and defence values, area cover, encirclement, estimates and the weapon choice.
#pragma once

#include "state/weapon_record.h"

#include <cstdint>

class GameState;
struct CombatSide;
struct UnitRecord;
struct UnitTypeRecord;

// Experience level x 5 percent.
int experienceBonus(const UnitRecord& unit);
// The evasion percent of the unit's model.
int modelEvasion(const UnitRecord& unit);

// A unit side (code, index), or the hex side 250 with its position in x, y.
struct CombatTarget {
    int code = 0;
    int index = 0;
    int x = -1;
    int y = -1;
};
// The side of an engagement as a target.
CombatTarget targetOf(const CombatSide& side);

// 1..999, 0 when the attacker may not fire that slot; a base power of 0 or below is returned as is.
// target.x = -1 leaves out evasion and area cover.
int attackValue(GameState& state, int code, int index, const CombatTarget& target, int slot);
int areaCoverPercent(GameState& state, int side, int x, int y, int domain);
int encirclementPercent(GameState& state, int code, int index, const CombatTarget& target);
// The defender at (x, y) (x = -1: no terrain or encirclement) against the attacker of that class.
int defenceValue(GameState& state, int code, int index, int x, int y, int attacker_code, int attacker_index,
    int attacker_class);
// Slot multiplier x weapon multiplier x attack value; for a hex target the index packs x and y.
int attackScore(GameState& state, int code, int index, int target_code, int target_index, int slot);
int estimateAttackDamage(GameState& state, int code, int index, const CombatTarget& target, int slot);
// The same for `members` firing machines instead of the unit's own (a first strike's survivors).
int estimateAttackDamage(GameState& state, int code, int index, const CombatTarget& target, int slot, int members);
int expectedKillsValue(GameState& state, int code, int index, const CombatTarget& target, int slot);
int weaponStatThreeQuarters(const UnitRecord& unit, int slot);
// -1 for an exhausted unit or when no slot passes.
int findUsableWeaponSlot(const UnitRecord& unit, unsigned required, unsigned excluded);
int findUsableWeaponSlot(const GameState& state, const UnitRecord& unit, unsigned required, unsigned excluded);
bool hasDirectFireWeapon(const UnitRecord& unit, int target_class);

// What the weapon choice is asked: the firing hex (x = -1: use distance) and the target.
struct WeaponChoiceAsk {
    int code = 0;
    int index = 0;
    int fromX = -1;
    int fromY = -1;
    int distance = 0;
    CombatTarget target;
    unsigned required = kWeaponAttack;
    unsigned excluded = 0;
    bool launch = false;
};
// A loaded slot in reach, launched or not as asked, with the flags asked and the distance flag it
// needs; a torpedo at a distance also needs a water route from the firing hex.
bool isWeaponCandidate(GameState& state, const WeaponChoiceAsk& ask, int slot);
// The best slot, or -1.
int chooseWeaponSlot(GameState& state, const WeaponChoiceAsk& ask);
