// GameThread's turn order: the end phase, the neutral side's turn, the next turn and the turn-start figures.
#include "rules/game_thread.h"

#include "rules/fuel_step.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/phases.h"
#include "rules/play.h"
#include "rules/victory.h"
#include "state/game_state.h"
#include "state/sound_codes.h"

#include <cstring>
#include <utility>

void GameThread::phaseEnd()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    if (side == kNeutralSide) {
        fuelStep(m_state, kNeutralSide);
        if (!endIfDecided())
            nextTurn();
        return;
    }
    m_state.handshake().setDelegation(false);
    fuelStep(m_state, side);
    mainWindowLink().stopAllSounds();
    if (endIfDecided())
        return;

    bool any_person = false;
    for (int c = 0; c < kCountryCount; ++c)
        any_person |= m_state.isHumanCountry(c);
    for (int place = turn.placeOf(side) + 1; place < kCountryCount; ++place) {
        int next = turn.sideAtPlace(place);
        if (!m_state.countryTakesPart(next))
            continue;
        turn.currentCountry = uint16_t(next);
        turn.phase = kPhaseStart;
        if (!any_person || m_state.isHumanCountry(next))
            turn.viewingCountry = int8_t(next);
        return;
    }
    if (m_state.liveUnitCount(kNeutralSide) > 0)
        resumeNeutralTurn();
    else
        nextTurn();
}

// An interrupted neutral turn keeps the neutral side current in the action phase, so the next step
// runs it again; only the interface's stop flag ends the thread.
void GameThread::resumeNeutralTurn()
{
    if (!neutralAction()) {
        endIfDecided();
        return;
    }
    fuelStep(m_state, kNeutralSide);
    if (!endIfDecided())
        nextTurn();
}

bool GameThread::neutralAction()
{
    MainWindowLink& main = mainWindowLink();
    for (int c = 0; c < kCountryCount; ++c)
        if (m_state.country(c).controller != 0 && m_state.isAllied(c, kNeutralSide)) {
            main.requestMusic(tune::countryAnthem(c), true);
            break;
        }
    TurnBlock& turn = m_state.turnBlock();
    turn.phase = kPhaseAction;
    turn.currentCountry = kNeutralSide;
    main.refresh(MainRefresh::AfterAction);
    m_player.buildKnownHexLayers(m_state, kNeutralSide);
    int result = m_player.playTurn(m_state, kNeutralSide, stopFlag());
    main.stopAllSounds();
    if (result == 0) {
        turn.phase = kPhaseEnd;
        return true;
    }
    return result < 1 || result > 4;
}

bool GameThread::nextTurn()
{
    m_state.computeTurnStats();
    TurnBlock& turn = m_state.turnBlock();
    if (turn.turn < mapTurnLimit(m_state)) {
        ++turn.turn;
        m_state.notePlay();
        turn.currentCountry = kNoSide;
        turn.phase = kPhaseStart;
        std::memcpy(turn.order, turn.nextOrder, sizeof turn.order);
        prepareNextTurnOrder();
        return false;
    }
    for (int c = 0; c < kCountryCount; ++c) {
        if (!m_state.countryTakesPart(c))
            continue;
        CountryRecord& country = m_state.country(c);
        if (country.turnLimitResult == 1)
            country.outcome = kOutcomeTurnLimitVictory;
        else if (country.turnLimitResult == 2)
            country.outcome = kOutcomeTurnLimitDefeat;
    }
    ++turn.turn;
    endOfGame();
    return true;
}

void GameThread::prepareNextTurnOrder()
{
    TurnBlock& turn = m_state.turnBlock();
    for (int i = 0; i < kCountryCount; ++i)
        turn.nextOrder[i] = uint8_t(i);
    if (!m_state.ruleOn(kRuleRandomOrder))
        return;
    for (int i = 0; i < kCountryCount; ++i)
        std::swap(turn.nextOrder[i], turn.nextOrder[m_state.random(0, kCountryCount - 1)]);
    if (m_state.ruleOn(kRuleSameCampInRow))
        return;

    // The country that acted last in this turn does not act first in the next.
    int last = -1;
    for (int place = 0; place < kCountryCount; ++place)
        if (m_state.countryTakesPart(turn.sideAtPlace(place)))
            last = turn.sideAtPlace(place);
    int first = -1;
    for (int place = 0; place < kCountryCount && first < 0; ++place)
        if (m_state.countryTakesPart(turn.sideAtNextPlace(place)))
            first = place;
    if (first < 0 || turn.sideAtNextPlace(first) != last)
        return;
    for (int place = first + 1; place < kCountryCount; ++place)
        if (m_state.countryTakesPart(turn.sideAtNextPlace(place))) {
            std::swap(turn.nextOrder[first], turn.nextOrder[place]);
            return;
        }
}

void GameThread::recordTurnStartStats()
{
    TurnStatsRecord record {};
    for (int c = 0; c < kCountryCount; ++c) {
        if (!m_state.countryTakesPart(c))
            continue;
        TurnStatsEntry& entry = record.country[c];
        entry.threadValue = uint32_t(m_state.countOwnedBuildings(c));
        entry.income = uint32_t(m_state.countBuildingsOf(c));
        entry.unitCount = uint32_t(m_state.liveUnitCount(c));
        entry.forces = m_state.forcesValue(c);
    }
    m_state.appendTurnStats(record);
}
