// WeaponSelection: what the person's weapon choice before an engagement rests on: which weapons each
// side may fire now, and the machines each side is expected to lose with the weapons chosen.
#pragma once

#include "rules/move_range.h"

#include <array>
#include <cstdint>
#include <memory>

class GameState;
struct CombatPair;

// The machines one side is expected to lose, and its ten strength counters after the expected hits.
struct ExpectedLosses {
    int machines = 0;
    std::array<int, 10> after {};
};

class WeaponSelection {
public:
    // restrictedWeaponsOnly: the attacker fires after a move, so its weapons need flag 128. The torpedo
    // routes of both sides are laid out here, from the hexes the pair fights from.
    WeaponSelection(GameState& state, const CombatPair& pair, bool restrictedWeaponsOnly);
    ~WeaponSelection();
    WeaponSelection(const WeaponSelection&) = delete;
    WeaponSelection& operator=(const WeaponSelection&) = delete;

    // Whether side 0 or 1 may fire the weapon of slot 0..4 now.
    bool isUsable(int side, int slot) const;
    // The expected losses of side 1, then of side 0 (which a first strike under rule 44 depends on).
    // The records are only read: the first strike works on a copy of the defender's counters.
    std::array<ExpectedLosses, 2> expectedLosses() const;
    // The opponent's target class of side k's weapons: the other unit's, or 3 for a hex.
    int targetClassAgainst(int side) const;

private:
    ExpectedLosses lossesOf(int side, int otherLosses) const;
    int hexDistanceOfSides() const;

    GameState& m_state;
    const CombatPair& m_pair;
    bool m_restrictedWeaponsOnly;
    std::array<std::unique_ptr<MoveRangeMap>, 2> m_torpedoRoutes;
};

// The number of machines left firing in the defender's counters after the first strike: the
// counters as the rule cuts them when the attacker is expected to destroy `losses` of them first.
int membersAfterFirstStrike(const std::array<int, 10>& counters, int strengthTenths, int losses, int maxMembers,
    int memberStrength);
