// The replenish-and-repair phase: servicing at buildings and aboard carriers, countdowns, reinforcements.
#include "rules/game_thread.h"

#include "rules/fog.h"
#include "rules/links.h"
#include "rules/dialog_link.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/phases.h"
#include "rules/play_handshake.h"
#include "rules/production.h"
#include "rules/replenish.h"
#include "rules/scans_placement.h"
#include "rules/turn_marks.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kCargoSlots = 8;
// Carrier chains and nested cargo never run deeper than the tables are long.
constexpr int kMaxChain = 16;
constexpr int kReinforcementRadius = 10;

bool isReady(const UnitRecord& unit) { return unitInPlay(unit) && !unit.hasFlag(kUnitAwaitingProduction); }

// With storing on, only a unit stored in a building, or aboard carriers that end in one, is serviced there.
bool reachesStoredCarrier(GameState& state, const UnitRecord& unit)
{
    const UnitRecord* link = &unit;
    for (int step = 0; link && step < kMaxChain; ++step) {
        if (link->hasFlag(kUnitStored))
            return true;
        if (!link->hasFlag(kUnitAboard))
            return false;
        link = state.unitOf(link->carrierSide - 1, link->carrierIndex - 1);
    }
    return false;
}

} // namespace

void GameThread::serviceUnitAtBuilding(int side, int index, int depth)
{
    UnitRecord* unit = m_state.unitOf(side, index);
    if (!unit || depth >= kMaxChain)
        return;
    const UnitTypeRecord& type = unit->type();
    bool serviced = type.unitClass != kHeadquartersClass;
    if (serviced && m_state.ruleOn(kRuleStoring) && !unit->hasFlag(kUnitStored))
        serviced = reachesStoredCarrier(m_state, *unit);
    const UnitCell* cell = m_state.unitCellAt(unit->x, unit->y);
    const BuildingRecord* building = serviced && cell ? m_state.building(cell->building - 1) : nullptr;
    if (building) {
        bool replenish = m_state.ruleOn(kRuleReplenishing) && building->canReplenish(side, type) == 1
            && unit->missingMembers() > 0;
        bool repair = m_state.ruleOn(kRuleRepairing) && building->canRepair(side, unitTypeGroup(type))
            && unit->hasDamagedMember();
        if (replenish || repair)
            offerReplenishRepair(m_state, side, index, replenish ? 1 : 0, repair ? 1 : 0, 0);
    }
    for (int slot = 0; slot < kCargoSlots; ++slot) {
        int cargo_side = side;
        const int plus1 = m_state.unitOf(side, index)->carriedUnitAt(slot, cargo_side);
        if (plus1 != 0 && cargo_side != kNeutralSide)
            serviceUnitAtBuilding(side, plus1 - 1, depth + 1);
    }
}

void GameThread::serviceLoadedUnit(int side, int index)
{
    const UnitRecord* unit = m_state.unitOf(side, index);
    if (unit && m_state.ruleOn(kRuleRepairing) && unit->canDrawCarrierSupplies())
        offerFreeRepair(m_state, side, index);
}

void GameThread::phaseReplenish()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    MainWindowLink& main = mainWindowLink();
    main.refresh(MainRefresh::AfterAction);
    const uint32_t count = m_state.unitCount(side);
    askUiAndWait(kPhaseReplenish);

    for (uint32_t i = 0; i < count; ++i) {
        const UnitRecord* unit = m_state.unitOf(side, int(i));
        if (!unit || !isReady(*unit))
            continue;
        if (unit->hasFlag(kUnitAboard))
            serviceLoadedUnit(side, int(i));
        else
            serviceUnitAtBuilding(side, int(i));
    }
    for (uint32_t i = 0; i < count; ++i) {
        UnitRecord* unit = m_state.unitOf(side, int(i));
        if (!unit || !isReady(*unit))
            continue;
        for (uint8_t& wait : unit->weaponWait)
            if (wait > 0)
                --wait;
    }
    for (BuildingRecord& building : m_state.buildings())
        if (building.ownerPlusOne == side + 1 && building.isIntact() && building.launchedUnitType() != 0
            && building.launchCounter > 0)
            --building.launchCounter;

    if (MapBitSet* redraw = m_state.redrawSet())
        redraw->setAll();
    mapWindowLink().postRefresh(false);
    for (MainRefresh what : { MainRefresh::PanelUnit, MainRefresh::TroopLists, MainRefresh::SideInfo, MainRefresh::Results })
        main.refresh(what);
    placeReinforcements(m_state, side);
    main.refresh(MainRefresh::ActionHistory);
    turn.phase = kPhaseAction;
}

int placeReinforcements(GameState& state, int country)
{
    if (country < 0 || country >= kCountryCount)
        return 0;
    const int turn = state.turnBlock().turn;
    int arrived = 0;
    for (uint32_t i = 0; i < state.unitCount(country); ++i) {
        UnitRecord& unit = *state.unitOf(country, int(i));
        int arrival = unitState(unit);
        if (arrival < 2 || arrival > turn || unit.hasFlag(kUnitAboard))
            continue;
        PlacementHexScan scan(state, country, int(i), PlacementBuildings::Accept);
        scan.scan(unit.x, unit.y, kReinforcementRadius);
        int x = 0, y = 0;
        if (!scan.hitAt(0, x, y))
            continue;
        uint32_t building_plus_one = scan.hits().front().extra;
        unit.stateLow = 1;
        unit.stateHigh = 0;
        unit.x = uint8_t(x);
        unit.y = uint8_t(y);
        state.country(country).membersAtStart += uint32_t(strengthSlotCount(unit));
        BuildingRecord* building = building_plus_one ? state.building(int(building_plus_one) - 1) : nullptr;
        if (building && building->addUnit(country, int(i))) {
            unit.flags = uint16_t(unit.flags | kUnitStored);
        } else {
            unit.flags = uint16_t(unit.flags & ~kUnitStored);
            if (unit.isOnOwnHex())
                state.setUnitRefInHex(x, y, state.unitSlotFor(unit.type().domain), country + 1, int(i));
        }
        const bool shown = ViewerView(state).seesUnit(country, int(i));
        if (shown) {
            requestCentreOnHex(state, x, y);
            dialogLink().showEventNotice(kReinforcementNotice, country, int(i));
        }
        state.historyLog().recordReinforcementsAppear(country, int(i));
        addUnitSight(state, x, y, country, int(i));
        landReinforcementCargo(state, country, int(i), shown ? 1 : 0);
        ++arrived;
    }
    if (arrived > 0) {
        resetHexTurnMarks(state);
        mainWindowLink().refresh(MainRefresh::TroopLists);
        mainWindowLink().refresh(MainRefresh::SideInfo);
        if (MapBitSet* redraw = state.redrawSet())
            redraw->setAll();
        mapWindowLink().postRefresh(false);
    }
    return arrived;
}
