// SupplyTroopWindow: the choice of parts within the funds, and the cost and funds left.
#include "dialogs/supply_troop_window.h"

#include "state/game_state.h"
#include "state/supply_order.h"

#include <algorithm>

namespace {

bool anyAmmunitionChosen(const SupplyOrder& order)
{
    for (int p = SupplyOrder::kAmmunition; p < SupplyOrder::kPartCount; ++p)
        if (order.parts[p].chosen)
            return true;
    return false;
}

int64_t fundsOf(const GameState& state, const SupplyOrder& order)
{
    return order.country < uint32_t(kCountryCount) ? int64_t(state.country(int(order.country)).funds) : 0;
}

} // namespace

int64_t supplyCost(const SupplyOrder& order)
{
    int64_t cost = order.parts[SupplyOrder::kFuel].chosen ? order.firstAmount() : 0;
    if (anyAmmunitionChosen(order))
        cost += order.otherAmountsTotal();
    return cost;
}

void chooseAffordableSupply(const GameState& state, SupplyOrder& order, bool fuel, bool ammunition)
{
    const int64_t funds = fundsOf(state, order);
    const int64_t fuelCost = order.firstAmount();
    const int64_t ammunitionCost = order.otherAmountsTotal();
    const bool fuelChosen = fuel && order.parts[SupplyOrder::kFuel].granted && fuelCost <= funds;
    order.parts[SupplyOrder::kFuel].chosen = fuelChosen ? 1 : 0;
    const int64_t left = funds - (fuelChosen ? fuelCost : 0);
    order.selectAmmunition(ammunition && ammunitionCost <= left);
}

SupplyTroopWindow::SupplyTroopWindow(const WindowContext& context, swCWindow* owner, SupplyOrder& order)
    : ServicePopup(context, owner, int(order.country), int(order.unitIndex))
    , m_order(order)
{
    chooseAffordableSupply(m_game, m_order, true, true);
}

int SupplyTroopWindow::OnInitDialog()
{
    placeCentred(kWidth, kHeight);
    m_canvas.load(m_look, "supplytroop.bmp", { 0, 0, kWidth, kHeight });
    drawUnitHeading(12, 20, { 84, 16, 276, 28 }, { 84, 40, 276, 52 });
    addButtons<SupplyTroopButton72x24, SupplyTroopButton104x28>(kFuelOnly, 88, 126);
    showChoice();
    return 1;
}

void SupplyTroopWindow::showChoice()
{
    const GameState& state = m_game;
    const bool fuel = m_order.parts[SupplyOrder::kFuel].chosen != 0;
    const bool ammunition = anyAmmunitionChosen(m_order);
    // A button is offered only when what it chooses is offered and paid for alone.
    SupplyOrder alone = m_order;
    chooseAffordableSupply(state, alone, true, false);
    const bool fuelPossible = alone.parts[SupplyOrder::kFuel].chosen != 0;
    chooseAffordableSupply(state, alone, false, true);
    const bool ammunitionPossible = anyAmmunitionChosen(alone);
    showChoices(kFuelOnly, {
        { fuelPossible, fuel && !ammunition },
        { ammunitionPossible, !fuel && ammunition },
        { fuelPossible && ammunitionPossible, fuel && ammunition },
    });
    const int64_t cost = supplyCost(m_order);
    drawFigure({ 40, 64, 76, 76 }, formatNumber("%6lld", cost));
    drawFigure({ 184, 64, 238, 76 }, formatNumber("%9lld", std::max<int64_t>(fundsOf(state, m_order) - cost, 0)));
    showCanvas({ 40, 64, 238, 76 });
}

bool SupplyTroopWindow::choose(UINT id)
{
    if (id != kFuelOnly && id != kAmmunitionOnly && id != kBoth)
        return false;
    chooseAffordableSupply(m_game, m_order, id != kAmmunitionOnly, id != kFuelOnly);
    showChoice();
    return true;
}

void SupplyTroopWindow::refuse()
{
    m_order.parts[SupplyOrder::kFuel].chosen = 0;
    m_order.selectAmmunition(false);
}
