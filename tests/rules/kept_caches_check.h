// The game's settlement with a check of every cache the rules keep between actions: after each
// action the kept turn marks, each side's sight and the unit places are compared, bit for bit, with
// what laying or reading them afresh gives.
#pragma once

#include "rules/action_settlement.h"

#include <string>

class GameState;

namespace testing_rules {

class CheckingSettlement : public RulesSettlement {
public:
    CheckingSettlement(GameState& state, std::string game);

    void resetHexTurnMarks() override;

    int actions = 0;
    // Actions after which the marks were kept rather than rebuilt.
    int marksKept = 0;
    // Sight checks (one an action while the sight rule is on, laid in turn each of the three ways),
    // and those laid on the sight kept from the lay before.
    int sightChecks = 0;
    int sightKept = 0;
    // Actions after which a cache differed; the first few are reported as failures.
    int mismatches = 0;

private:
    void checkSight();
    void checkMarks();
    void checkPlaces();
    void mismatch(const char* what);

    GameState& m_state;
    std::string m_game;
};

} // namespace testing_rules
