// The income phase with the market rate, and the supply phase with fatigue recovery and automatic resupply.
#include "rules/game_thread.h"

#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/phases.h"
#include "rules/resupply.h"
#include "rules/turn_marks.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kMarketRateFirstTurn = 4;
constexpr int64_t kMarketRateLow = 70;
constexpr int64_t kMarketRateHigh = 200;
constexpr uint16_t kFatigueRecovery = 10;

} // namespace

uint8_t nextMarketRate(uint32_t spending, int64_t income, uint8_t old_rate)
{
    // Wide all the way: spending times 17, and the quotient times 100, overflow 32 bits.
    int64_t q = int64_t(uint64_t(spending) * 17 / 10);
    if (income > 0)
        q /= income;
    int64_t rate = (q * 100 + int64_t(old_rate) * 3) / 4;
    return uint8_t(std::clamp(rate, kMarketRateLow, kMarketRateHigh));
}

void GameThread::phaseIncome()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    if (turn.turn <= 1) {
        turn.phase = kPhaseSupply;
        return;
    }
    MainWindowLink& main = mainWindowLink();
    main.refresh(MainRefresh::AfterAction);
    CountryRecord& country = m_state.country(side);
    int income = m_state.countBuildingsOf(side);
    uint32_t before = country.funds;
    uint32_t after = m_state.addFunds(side, uint32_t(std::max(income, 0)));
    country.runningTotal += after > before ? after - before : 0;

    if (m_state.ruleOn(kRuleMarketRate) && turn.turn >= kMarketRateFirstTurn)
        country.marketRate = nextMarketRate(country.productionSpent, income, country.marketRate);
    country.productionSpent = 0;

    // The results count the funds: an open table shows the income under the phase's explanation too.
    main.refresh(MainRefresh::Results);
    askUiAndWait(kPhaseIncome);
    main.refresh(MainRefresh::SideInfo);
    if (main.isVisible() && m_state.settings().showIncome && m_state.isHumanCountry(side))
        main.showIncome(income);
    turn.phase = kPhaseSupply;
}

void GameThread::phaseSupply()
{
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    mainWindowLink().refresh(MainRefresh::AfterAction);
    askUiAndWait(kPhaseSupply);
    UnitRecord* table = m_state.unitTable(side);
    for (uint32_t i = 0; table && i < m_state.unitCount(side); ++i) {
        UnitRecord& unit = table[i];
        if (!unitInPlay(unit) || unit.hasFlag(kUnitAwaitingProduction))
            continue;
        if (unit.hasFlag(kUnitNoRecovery))
            unit.flags = uint16_t(unit.flags & ~kUnitNoRecovery);
        else
            unit.fatigue = uint16_t(unit.fatigue > kFatigueRecovery ? unit.fatigue - kFatigueRecovery : 0);
        unit.flags = uint16_t(unit.flags & ~kUnitTurnMark100);
    }
    if (m_state.ruleOn(kRuleSupplyPhase)) {
        autoResupplyAll(m_state);
        resetHexTurnMarks(m_state);
        if (MapBitSet* redraw = m_state.redrawSet())
            redraw->setAll();
        mapWindowLink().postRefresh(false);
    }
    turn.phase = kPhaseReplenish;
}
