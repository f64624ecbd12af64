// EvaluationScores: the end-of-game rating of the result country in four groups (turns, funds,
// forces, territory), each with three figures, a rate and a rank, and the overall emblem.
#pragma once

#include <cstdint>

class GameState;

// A game the player did not win holds -1 everywhere: no figures, ranks or emblem.
struct EvaluationScores {
    int32_t turnLimit = -1;
    int32_t turnsUsed = -1;
    int32_t turnsLeft = -1;
    int32_t turnRate = -1;
    int64_t fundsTotal = -1;
    int64_t fundsSpent = -1;
    int64_t fundsLeft = -1;
    int64_t fundsRate = -1;
    int32_t membersAtStart = -1;
    int32_t membersLost = -1;
    int32_t membersNow = -1;
    int32_t forcesRate = -1;
    int32_t buildingsTotal = -1;
    int32_t buildingsOther = -1;
    int32_t buildingsHeld = -1;
    int32_t territoryRate = -1;
    int32_t overall = -1;

    // The three figures of group g (0 turns, 1 funds, 2 forces, 3 territory) and its rate.
    int64_t figure(int group, int row) const;
    int64_t rate(int group) const;
};

// The rates run 0..109; the rank of a rate is 0 below 40, then one per ten up to 5 from 80.
constexpr int kRankCount = 6;
constexpr int kHighestRate = 109;
int rankOf(int64_t rate);
int rankPoints(int rank);

// resultKind 0 is a game the player won; any other gives the dashes.
EvaluationScores computeEvaluationScores(GameState& state, int resultKind, int resultCountry);
