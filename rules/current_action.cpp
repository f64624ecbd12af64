// Beginning and finishing the current action: the actor, its range and the refreshes at the end.
#include "rules/current_action.h"

#include "rules/current_action_marks.h"
#include "rules/fog.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "state/game_state.h"
#include "state/rules_hooks.h"

namespace {

ActionRangeSource* g_rangeSource = nullptr;
ActionSettlement* g_settlement = nullptr;

// Event flag bit 2: the action changed what the sides see.
constexpr uint8_t kEventSightChanged = 4;

bool canLand(const GameState& state, int country, int index)
{
    StateRulesHooks* hooks = stateRulesHooks();
    return hooks && hooks->canUnitLand(state, country, index, 0);
}

} // namespace

void setActionRangeSource(ActionRangeSource* source) { g_rangeSource = source; }
ActionRangeSource* actionRangeSource() { return g_rangeSource; }
void setActionSettlement(ActionSettlement* settlement) { g_settlement = settlement; }
ActionSettlement* actionSettlement() { return g_settlement; }

void CurrentAction::reset()
{
    m_path.clear();
    m_wayPoints.clear();
    m_state.endCheckFlags() = 0;
    m_spare = -1;
    m_subCode = 0;
    m_flag = 0;
    m_planned = 0;
    // Units intercept once per action.
    m_state.command().interceptedUnits.clear();
}

void CurrentAction::resetForPlay()
{
    reset();
    m_group.clear();
    m_ownedRange.reset();
    m_range = nullptr;
    m_underWay = 0;
    m_setup = 0;
    m_setupStage = 0;
    m_runRequest = 0;
    m_resultsChanged = 0;
}

void CurrentAction::beginAction(int country, int index)
{
    reset();
    m_group.clear();
    m_range = nullptr;
    m_ownedRange.reset();
    m_country = uint32_t(country);
    m_index = uint32_t(index);
}

void CurrentAction::beginBuildingAction(int building)
{
    beginAction(kBuildingActor, building);
    m_code = 1;
    m_underWay = 1;
}

void CurrentAction::beginPlannedAction(int country, int index, ActionRange* range)
{
    beginAction(country, index);
    m_code = kEndOfActionCode;
    m_planned = 1;
    m_underWay = 1;
    m_range = range;
}

void CurrentAction::beginMissileAction(int country, int index)
{
    beginAction(country, index);
    m_code = 1;
    m_underWay = 1;
    const UnitRecord* missile = m_state.unitOf(100 + country, index);
    if (!missile || !g_rangeSource)
        return;
    m_ownedRange = g_rangeSource->missileRange(m_state, country, index);
    m_range = m_ownedRange.get();
    if (!m_range)
        return;
    m_firstAllowance = missile->fuel;
    m_range->setCostLimit(missile->fuel);
    m_range->compute();
}

void CurrentAction::beginUnitAction(int country, int index, bool use_current)
{
    if (use_current)
        country = m_state.turnBlock().currentCountry;
    reset();
    m_code = kEndOfActionCode;
    m_underWay = 1;
    m_country = uint32_t(country);
    m_index = uint32_t(index);
    mainWindowLink().postPanelCommand(country, index);

    const UnitRecord* unit = m_state.unitOf(country, index);
    if (!unit)
        return;
    bool lands = canLand(m_state, country, index);
    m_ownedRange = g_rangeSource ? g_rangeSource->unitRange(m_state, country, index, !m_setup) : nullptr;
    if (m_setup)
        m_firstAllowance = unit->fuel;
    else
        m_firstAllowance = lands ? uint32_t(unit->movePoints()) : 0;
    bool extended = !m_setup && m_state.ruleOn(kRuleFastMovement) && lands;
    m_secondAllowance = extended ? uint32_t(unit->halfFuelCapped()) : 0;

    setHexMark(m_state, unit->x, unit->y, kMarkActingUnit);
    if ((unit->watchBits & 7) && m_state.redrawSet()) {
        int spread = mapWindowLink().zoom() == 0 ? 1 : 0;
        for (int y = unit->y - spread; y <= unit->y + spread; ++y)
            for (int x = 0; x < m_state.mapWidth(); ++x)
                m_state.redrawSet()->set(x, y);
    }
    if (unit->hasAutoRoute == 1)
        markAutoMoveRoute();
    m_range = m_ownedRange.get();
    setHexMark(m_state, unit->x, unit->y, kMarkPathEnd);
    refreshMoveRange();
}

HexPos CurrentAction::actorHex() const
{
    const UnitRecord* unit = m_country < 200 ? m_state.unitOf(int(m_country), int(m_index)) : nullptr;
    return unit ? HexPos { unit->x, unit->y } : kNoHex;
}

void CurrentAction::markRangeAfter(int spent)
{
    if (!m_range)
        return;
    int a = int(m_firstAllowance) - spent;
    if (a < 0)
        a = -1;
    int b = int(m_secondAllowance) - spent;
    if (b < 0)
        b = 0;
    m_range->setCostLimit(a > b ? a : b);
    clearHexMarkAll(m_state, kMarkMoveRange | kMarkInterceptRange | kMarkExtendedBand);
    if (g_rangeSource && g_rangeSource->isAirborneInCarrier(m_state, int(m_country), int(m_index))) {
        m_range->setCostLimit(0);
        m_range->compute();
        m_range->markNormalRange(0, 0);
    } else {
        m_range->compute();
        if (m_secondAllowance > m_firstAllowance) {
            if (a >= 0)
                m_range->markNormalRange(0, a);
            m_range->markExtendedRange(a + 1, b);
        } else {
            m_range->markNormalRange(0, a);
        }
    }
    m_range->markInterceptedHexes();
    m_range->unmarkOccupiedHexes();
    mapWindowLink().postRefresh(false);
}

void CurrentAction::setSupplyLinesDirty() { m_state.supplyLinesDirty() = 1; }

void CurrentAction::finishAction() { finish(Finish::Action); }
void CurrentAction::finishActionQuiet() { finish(Finish::Quiet); }
void CurrentAction::finishActionAlt() { finish(Finish::Alt); }
void CurrentAction::finishPlannedAction() { finish(Finish::Planned); }
void CurrentAction::finishMissileAction() { finish(Finish::Missile); }

void CurrentAction::finish(Finish variant)
{
    uint8_t events = m_state.endCheckFlags();
    // The end-of-game check clears the flags; the results window still hears of the events.
    if (events)
        m_resultsChanged = 1;
    if (events && g_settlement)
        g_settlement->checkEndOfGame(1);
    if (events & kEventSightChanged)
        updateVisibilityAll(m_state);
    clearHexMarkAll(m_state, variant == Finish::Missile ? kMarkMissileFinishMask : kMarkFinishMask);
    if (variant != Finish::Planned)
        m_ownedRange.reset();
    m_range = nullptr;
    if (g_settlement) {
        g_settlement->resetHexTurnMarks();
        if (m_state.supplyLinesDirty())
            g_settlement->updateSupplyLines();
        m_state.supplyLinesDirty() = 0;
    }
    if (variant != Finish::Planned && m_state.redrawSet())
        m_state.redrawSet()->setAll();
    refreshWindows(variant);
    m_resultsChanged = 0;
    m_underWay = 0;
}

void CurrentAction::refreshWindows(Finish variant)
{
    MainWindowLink& main = mainWindowLink();
    bool decided = m_state.turnBlock().decided != 0;
    bool results = m_resultsChanged || m_state.endCheckFlags();
    bool by_thread = variant == Finish::Planned || variant == Finish::Missile;

    if (variant == Finish::Quiet) {
        mapWindowLink().fullRefresh();
    } else {
        main.refresh(MainRefresh::Panel);
        // The game thread goes on only once the map shows the action's result.
        mapWindowLink().postRefresh(by_thread);
        main.refresh(MainRefresh::PanelUnit);
        if (variant != Finish::Planned)
            main.refresh(MainRefresh::TroopLists);
        main.refresh(MainRefresh::PanelHex);
    }
    if (!decided)
        main.setPanelValue(1);
    if (variant != Finish::Quiet) {
        main.refresh(MainRefresh::SideInfo);
        if (variant == Finish::Planned)
            main.refresh(MainRefresh::TroopLists);
        main.refresh(MainRefresh::ActionHistory);
    }
    if (results)
        main.refresh(MainRefresh::Results);
    if (variant != Finish::Quiet)
        main.refresh(MainRefresh::ConditionInfo);

    if (by_thread || !g_settlement)
        return;
    if (variant == Finish::Alt) {
        if (decided)
            g_settlement->answerUi(1);
        return;
    }
    if (variant == Finish::Quiet && m_country == kBuildingActor)
        return;
    // A building actor has no country record: only the decided game answers for it.
    bool country_gone = false;
    if (m_country < uint32_t(kCountryCount)) {
        const CountryRecord& record = m_state.country(int(m_country));
        country_gone = !record.takesPart();
    }
    if (decided || country_gone)
        g_settlement->answerUi(1);
}
