// The end-of-game scores: figures from the country record, the map and the units; rates and ranks.
#include "dialogs/evaluation_scores.h"

#include "rules/game_thread.h"
#include "state/game_state.h"

#include <algorithm>

namespace {

// More members now than at the start, or more spent than obtained, leaves the rank table's
// range: such rates are held to its ends.
int64_t rateOf(int64_t part, int64_t whole)
{
    if (whole <= 0)
        return 0;
    return std::clamp<int64_t>(part * 100 / whole, 0, kHighestRate);
}

} // namespace

int64_t EvaluationScores::figure(int group, int row) const
{
    const int64_t rows[4][3] = {
        { turnLimit, turnsUsed, turnsLeft },
        { fundsTotal, fundsSpent, fundsLeft },
        { membersAtStart, membersLost, membersNow },
        { buildingsTotal, buildingsOther, buildingsHeld },
    };
    return group >= 0 && group < 4 && row >= 0 && row < 3 ? rows[group][row] : -1;
}

int64_t EvaluationScores::rate(int group) const
{
    const int64_t rates[4] = { turnRate, fundsRate, forcesRate, territoryRate };
    return group >= 0 && group < 4 ? rates[group] : -1;
}

int rankOf(int64_t rate)
{
    constexpr int kRanks[11] = { 0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5 };
    return kRanks[std::clamp<int64_t>(rate, 0, kHighestRate) / 10];
}

int rankPoints(int rank) { return std::clamp(rank, 0, kRankCount - 1) * 20; }

EvaluationScores computeEvaluationScores(GameState& state, int resultKind, int resultCountry)
{
    EvaluationScores scores;
    if (resultKind != 0 || resultCountry < 0 || resultCountry >= kCountryCount)
        return scores;
    const CountryRecord& country = state.country(resultCountry);

    scores.turnLimit = mapTurnLimit(state);
    scores.turnsUsed = finalTurnOf(state, resultCountry);
    scores.turnsLeft = scores.turnLimit - scores.turnsUsed;
    scores.turnRate = int32_t(rateOf(scores.turnsLeft, scores.turnLimit));

    scores.fundsTotal = int64_t(country.runningTotal);
    scores.fundsSpent = int64_t(country.fundsSpent);
    scores.fundsLeft = scores.fundsTotal - scores.fundsSpent;
    scores.fundsRate = scores.fundsSpent == 0 ? 100 : rateOf(scores.fundsLeft, scores.fundsTotal);

    scores.membersAtStart = int32_t(country.membersAtStart);
    scores.membersLost = int32_t(country.membersLost);
    scores.membersNow = int32_t(country.extraMembers) + state.memberCountInPlay(resultCountry);
    scores.forcesRate = int32_t(rateOf(scores.membersNow, scores.membersAtStart));

    scores.buildingsTotal = int32_t(state.buildingCount());
    int other = 0;
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const int owner = state.buildingAt(i).ownerPlusOne - 1;
        other += owner < 0 || owner >= kCountryCount || !(country.allianceMask & (1u << owner));
    }
    scores.buildingsOther = other;
    scores.buildingsHeld = scores.buildingsTotal - other;
    scores.territoryRate = int32_t(rateOf(scores.buildingsHeld, scores.buildingsTotal));

    scores.overall = (rankPoints(rankOf(scores.fundsRate)) + rankPoints(rankOf(scores.territoryRate))
                         + rankPoints(rankOf(scores.forcesRate)) + rankPoints(rankOf(scores.turnRate)))
        / 4;
    return scores;
}
