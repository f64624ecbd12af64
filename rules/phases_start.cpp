// The start phase (turn start, production countdowns, sight, supply and threat marks) and the missile phase.
#include "rules/game_thread.h"
#include "rules/shared_codes.h"

#include "lib/thread.h"
#include "rules/fog.h"
#include "rules/home_distance.h"
#include "rules/home_hex.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/missiles.h"
#include "rules/phases.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "rules/supply_lines.h"
#include "rules/turn_marks.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/unit_facts.h"


namespace {

constexpr int kChimeSlot = 16;

template <class F>
void forEachUnitInPlay(GameState& state, int side, F f)
{
    UnitRecord* table = state.unitTable(side);
    uint32_t count = state.unitCount(side);
    for (uint32_t i = 0; table && i < count; ++i)
        if (unitInPlay(table[i]))
            f(table[i], int(i));
}

// A unit whose production countdown ends is put on its hex; an occupied hex keeps it waiting.
void countDownProduction(GameState& state, int side)
{
    forEachUnitInPlay(state, side, [&](UnitRecord& unit, int index) {
        if (!unit.hasFlag(kUnitAwaitingProduction))
            return;
        // A countdown of 0 is due as well: counting it down would wrap round to 255 turns.
        if (unit.productionTurnsLeft > 1) {
            --unit.productionTurnsLeft;
            return;
        }
        if (unit.isOnOwnHex()) {
            int slot = state.unitSlotFor(unit.type().domain);
            if (state.hexHasUnit(unit.x, unit.y, slot))
                return;
            state.placeUnitRefInHex(unit.x, unit.y, slot, 0, 0);
            state.setUnitRefInHex(unit.x, unit.y, slot, side + 1, index);
        }
        unit.flags = uint16_t(unit.flags & ~(kUnitAwaitingProduction | kUnitActed));
        unit.productionTurnsLeft = 0;
        state.historyLog().recordProductionDone(side, index);
    });
}

} // namespace

void GameThread::beginTurn()
{
    TurnBlock& turn = m_state.turnBlock();
    int first = -1;
    int person = -1;
    for (int place = 0; place < kCountryCount; ++place) {
        int c = turn.sideAtPlace(place);
        if (!m_state.countryTakesPart(c))
            continue;
        if (first < 0)
            first = c;
        if (person < 0 && m_state.isHumanCountry(c))
            person = c;
    }
    if (first < 0)
        return;
    turn.currentCountry = uint16_t(first);
    turn.viewingCountry = int8_t(person >= 0 ? person : first);
    recordTurnStartStats();
}

void GameThread::phaseStart()
{
    TurnBlock& turn = m_state.turnBlock();
    if (turn.currentCountry >= kNeutralSide) {
        beginTurn();
        // With no country left in play there is nobody to take the turn.
        if (turn.currentCountry >= kNeutralSide) {
            endWithoutWinner();
            return;
        }
    }
    const int side = turn.currentCountry;
    MainWindowLink& main = mainWindowLink();
    MapWindowLink& map = mapWindowLink();
    if (m_state.settings().playChime && m_state.isHumanCountry(side))
        main.restartChime();
    clearPhaseHelpFlags();

    if (m_state.ruleOn(kRuleProductionCount))
        countDownProduction(m_state, side);
    forEachUnitInPlay(m_state, side, [](UnitRecord& unit, int) {
        unit.turnStartX = unit.x;
        unit.turnStartY = unit.y;
    });

    clearJammedBit(m_state, side);
    clearInterceptionBytes(m_state);
    rebuildSightMaps(m_state);
    resetHexTurnMarks(m_state);
    updateSupplyLines(m_state);

    main.notifyTroopLists(turn.viewer());
    if (MapBitSet* redraw = m_state.redrawSet())
        redraw->setAll();
    refreshCapitalHex(m_state, side);
    if (map.isOpen())
        map.checkDayNight();
    for (MainRefresh what : { MainRefresh::Panel, MainRefresh::PanelUnit, MainRefresh::PanelHex, MainRefresh::TroopLists,
             MainRefresh::SideInfo, MainRefresh::ConditionInfo, MainRefresh::Results, MainRefresh::ActionHistory })
        main.refresh(what);
    map.postRefresh(false);

    HexPos home = sideHomeHex(m_state, side);
    if (home.x != -1)
        requestCentreOnHex(m_state, home.x, home.y);
    while (main.isSoundPlaying(kChimeSlot) && !stopRequested())
        threadPause(10);
    main.requestMusic(tune::countryAnthem(side), true);
    turn.phase = kPhaseMissile;
}

void GameThread::phaseMissile()
{
    mainWindowLink().refresh(MainRefresh::AfterAction);
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    for (uint32_t i = 0; i < m_state.missileCount(side) && !turn.decided; ++i) {
        const UnitRecord* missile = m_state.unitOf(kMissileCodeBase + side, int(i));
        if (missile && unitInPlay(*missile) && !missile->hasFlag(kUnitAwaitingProduction))
            missileFlightStep(m_state, side, int(i));
    }
    if (endIfDecided())
        return;
    turn.phase = kPhaseIncome;
}
