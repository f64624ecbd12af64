// The end-of-game check: countries dropping out, the victory conditions and every country's outcome.
#include "rules/victory.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/victory_conditions.h"
#include "rules/victory_units.h"
#include "state/game_state.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace {

bool ownsIntactCapital(GameState& state, int country)
{
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& b = state.buildingAt(i);
        if (b.owner() == country && b.isIntact() && isCapitalBuilding(state, b))
            return true;
    }
    return false;
}

bool isEliminated(GameState& state, int country)
{
    // Units still being produced keep a country in the game.
    return state.unitCount(country) > 0 && countLiveUnits(state, country) == 0
        && countAwaitingProduction(state, country) == 0;
}

class GameEndNotices {
public:
    GameEndNotices(int show_notices) : m_show(show_notices == 1 && mainWindowLink().isVisible()) { }
    void show(int country, GameEndKind kind) const
    {
        if (m_show)
            dialogLink().showGameEnd(country, kind);
    }

private:
    bool m_show;
};

void dropWithOutcome(GameState& state, int country, uint16_t outcome)
{
    ruinCapitals(state, country);
    state.country(country).outcome = outcome;
    dropCountryOut(state, country);
}

// The current side first (country 0 for the neutral side), then the others in index order with
// country 0 in the current side's place.
std::array<int, kCountryCount> examinationOrder(GameState& state)
{
    std::array<int, kCountryCount> order;
    std::iota(order.begin(), order.end(), 0);
    const int current = state.turnBlock().currentCountry;
    if (current > 0 && current < kCountryCount)
        std::swap(order[0], order[size_t(current)]);
    return order;
}

void decideByConditions(GameState& state, const GameEndNotices& notices)
{
    for (int c : examinationOrder(state)) {
        if (!state.countryTakesPart(c) || !meetsVictoryConditions(state, c))
            continue;
        state.turnBlock().decided = 3;
        state.country(c).outcome = kOutcomeVictory;
        notices.show(c, kGameEndVictory);
        return;
    }
}

void shareOutcomes(GameState& state)
{
    int winner = -1;
    for (int c = 0; c < kCountryCount && winner < 0; ++c)
        if (state.countryTakesPart(c) && isVictoryOutcome(state.country(c).outcome))
            winner = c;
    if (winner < 0)
        return;
    const uint16_t outcome = state.country(winner).outcome;
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& record = state.country(c);
        if (c == winner || !state.countryTakesPart(c) || !isUndecidedOutcome(record.outcome))
            continue;
        record.outcome = state.isAllied(c, winner) ? outcome : uint16_t(outcome + kOutcomeDefeatOffset);
    }
}

} // namespace

void checkEndOfGame(GameState& state, int show_notices)
{
    const GameEndNotices notices(show_notices);
    uint8_t& flags = state.endCheckFlags();
    bool dropped = false;

    if (flags & kEndCheckCapital) {
        for (int c = 0; c < kCountryCount; ++c) {
            if (!state.countryTakesPart(c) || !(state.turnBlock().capitalMask & (1u << c)) || ownsIntactCapital(state, c))
                continue;
            ruinCapitals(state, c);
            state.country(c).outcome = kOutcomeCapitalLost;
            notices.show(c, kGameEndCapitalLost);
            flags |= kEndCheckUnitDestroyed;
            dropCountryOut(state, c);
            dropped = true;
        }
    }
    if (flags & kEndCheckUnitDestroyed) {
        for (int c = 0; c < kCountryCount; ++c) {
            if (!state.countryTakesPart(c) || !isEliminated(state, c))
                continue;
            notices.show(c, kGameEndEliminated);
            dropWithOutcome(state, c, kOutcomeEliminated);
            flags |= kEndCheckWatchedLost;
            dropped = true;
        }
    }
    if (state.mode() == 0) {
        if (flags & kEndCheckUnitDestroyed) {
            for (int c = 0; c < kCountryCount; ++c) {
                if (!state.countryTakesPart(c) || !state.country(c).transportPercent || canStillMeetTransport(state, c))
                    continue;
                dropWithOutcome(state, c, kOutcomeTransportFailed);
                notices.show(c, kGameEndTransportFailed);
            }
        }
        // A game already decided keeps its winner.
        if (!state.turnBlock().decided)
            decideByConditions(state, notices);
    } else if (dropped) {
        // Simple mode has no conditions to decide a game: the side left standing when the last of
        // its enemies falls wins then, rather than playing on alone into the turn limit.
        decideWhenOneCampLeft(state);
    }
    if (state.turnBlock().decided)
        shareOutcomes(state);
    flags = 0;
}

bool decideWhenOneCampLeft(GameState& state)
{
    TurnBlock& turn = state.turnBlock();
    if (turn.decided)
        return true;
    std::vector<int> left;
    for (int c = 0; c < kCountryCount; ++c)
        if (state.countryTakesPart(c))
            left.push_back(c);
    for (int a : left)
        for (int b : left)
            if (!state.isAllied(a, b))
                return false;
    turn.decided = left.empty() ? 1 : 3;
    for (int c : left)
        state.country(c).outcome = kOutcomeLastCampStanding;
    return true;
}

int winnerCountry(GameState& state)
{
    const int current = state.turnBlock().currentCountry;
    if (current >= 0 && current < kCountryCount && isVictoryOutcome(state.country(current).outcome))
        return current;
    for (int c = 0; c < kCountryCount; ++c)
        if (isVictoryOutcome(state.country(c).outcome))
            return c;
    return -1;
}
