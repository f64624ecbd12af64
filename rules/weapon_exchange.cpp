// Weapon exchange, bought with funds or drawn from a supply unit, in place or after a move.
#include "rules/weapon_exchange.h"

#include "rules/boarding.h"
#include "rules/engineering_steps.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/resupply.h"
#include "rules/storing.h"
#include "rules/storing_steps.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include "platform/kernel/host.h"

#include <string>

namespace {

constexpr uint16_t kOffHexFlags = kUnitAboard | kUnitStored | kUnitOffMap;

enum class Marking { Acted, Later };

void warnFundsShort(GameState& state)
{
    if (!state.handshake().unitCommandBeingSet())
        return;
    static const std::string text = platform::utf8ToCp932("軍資金が不足しています。");
    static const std::string caption = platform::utf8ToCp932("警告");
    mainWindowLink().messageBox(text, caption);
}

void changeModel(GameState& state, const ActingUnit& actor, int model, Marking marking)
{
    UnitRecord& unit = *actor.unit;
    const int old_model = unit.model;
    selectModel(state, unit, model);
    if (marking == Marking::Acted)
        unit.markActed();
    state.historyLog().recordWeaponExchange(actor.side, actor.index, model, old_model);
}

bool buy(GameState& state, const ActingUnit& actor, int model, Marking marking)
{
    if (actor.side >= kCountryCount)
        return false;
    const uint32_t cost = rearmCost(state, actor.side, actor.index, model);
    if (state.country(actor.side).funds < cost) {
        warnFundsShort(state);
        return false;
    }
    state.spendFunds(actor.side, cost);
    changeModel(state, actor, model, marking);
    return true;
}

bool drawFromSupplyUnit(GameState& state, const ActingUnit& actor, int model, uint32_t source, Marking marking)
{
    const int supplier_side = int(source & 0xFFFF);
    const int supplier_index = int(source >> 16);
    UnitRecord* supplier = state.unitOf(supplier_side, supplier_index);
    if (!supplier || !unitInPlay(*supplier) || supplier == actor.unit)
        return false;
    const UnitRecord& unit = *actor.unit;
    // Back aboard the supply unit it was drawn from, when both stand on the same hex.
    if (unit.x == supplier->x && unit.y == supplier->y
        && supplier->canLoadInto(actor.side, actor.index, supplier_side, supplier_index, -1, -1, 0))
        execBoard(state, supplier_side, supplier_index);
    changeModel(state, actor, model, marking);
    supplier->spendSupplyStock(1);
    return true;
}

bool validModel(const ActingUnit& actor, int model) { return actor.unit && model >= 0 && model < kModelCount; }

} // namespace

bool execWeaponExchange(GameState& state, int model, uint32_t source)
{
    const ActingUnit actor = actingUnit(state);
    if (!validModel(actor, model))
        return false;
    if ((source & 0xFFFF) >= kBoughtArmament)
        return buy(state, actor, model, Marking::Acted);
    return drawFromSupplyUnit(state, actor, model, source, Marking::Acted);
}

bool execWeaponExchangeAfterMove(GameState& state, int model, uint32_t source)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return false;
    bool changed = false;
    if ((source & 0xFFFF) >= kBoughtArmament) {
        changed = validModel(actor, model) && buy(state, actor, model, Marking::Later);
        if (state.ruleOn(kRuleStoring))
            execStore(state);
    } else {
        changed = validModel(actor, model) && drawFromSupplyUnit(state, actor, model, source, Marking::Later);
    }
    // Whatever was not stored or taken aboard stands on its hex.
    if (!actor.unit->hasFlag(kOffHexFlags))
        registerOnHex(state, actor.side, actor.index);
    return changed;
}
