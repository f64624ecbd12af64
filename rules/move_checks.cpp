// Landing checks: whether a carried or stored unit may get off, and which other carriers it may board.
#include "rules/move_checks.h"

#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kAirborneBit = 0x04;
// Carriers are nested only a few levels deep; the bound guards against a looped link in a file.
constexpr int kMaxCarrierDepth = 16;

struct CarrierLink {
    int side = -1;
    int index = -1;
    const UnitRecord* unit = nullptr;
};

CarrierLink carrierOf(const GameState& state, const UnitRecord& unit)
{
    if (!unit.hasFlag(kUnitAboard) || unit.carrierSide == 0 || unit.carrierIndex == 0)
        return {};
    CarrierLink link { unit.carrierSide - 1, unit.carrierIndex - 1, nullptr };
    link.unit = state.unitOf(link.side, link.index);
    return link;
}

CarrierLink topCarrierOf(const GameState& state, const UnitRecord& unit)
{
    CarrierLink top = carrierOf(state, unit);
    for (int depth = 0; top.unit && depth < kMaxCarrierDepth; ++depth) {
        CarrierLink next = carrierOf(state, *top.unit);
        if (!next.unit)
            break;
        top = next;
    }
    return top;
}

bool sharesHexWithNonAllied(const GameState& state, const UnitRecord& unit, int side)
{
    if (state.ruleOn(kRuleStacking))
        return state.hexDomainHasNonAlliedUnit(unit.x, unit.y, state.unitSlotFor(unit.type().domain), side);
    return state.hexHasNonAlliedUnit(unit.x, unit.y, side);
}

bool carriedClassMayGetOff(int carry_class)
{
    return carry_class == 128 || carry_class == 64 || carry_class == 32 || (carry_class & 2) != 0;
}

} // namespace

bool canUnitLand(const GameState& state, int side, int index, ActedUnits acted)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit))
        return false;
    if (unit->hasFlag(kUnitActed) && acted != ActedUnits::Allow)
        return false;
    const bool stored = unit->hasFlag(kUnitStored);
    const bool loaded = unit->hasFlag(kUnitAboard);
    if (!stored && !loaded)
        return true;
    if (side >= 0 && side < kCountryCount && sharesHexWithNonAllied(state, *unit, side))
        return false;
    if (!loaded)
        return true;

    const UnitTypeRecord& type = unit->type();
    const bool terrain_open = state.terrainValueAt(unit->x, unit->y, type.movementType) > 0;
    if (carriedClassMayGetOff(type.carryClass) && terrain_open)
        return true;
    // Only the outermost carrier decides: it is the one standing on the hex.
    CarrierLink top = topCarrierOf(state, *unit);
    if (!top.unit)
        return false;
    if (terrain_open && unitHexCheck(state, *top.unit, unit->x, unit->y, top.side))
        return true;
    const bool airborne = (typeEngineeringBits(type) & kAirborneBit) != 0;
    if (top.unit->type().domain <= 2 && airborne && unit->fuel > 0) {
        std::vector<HexPos> hexes;
        return collectDropHexes(state, side, index, unit->x, unit->y, hexes) > 0;
    }
    return false;
}

bool hasOtherCarrierHere(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unit->hasFlag(kUnitAboard) || unit->hasFlag(kUnitActed))
        return false;
    const CarrierLink present = carrierOf(state, *unit);
    std::vector<uint32_t> carriers;
    collectReachableCarriers(state, carriers, side, index, unit->x, unit->y);
    for (uint32_t packed : carriers)
        if (int(packed & 0xFFFF) != present.side || int(packed >> 16) != present.index)
            return true;
    return false;
}

bool noUnitOnMap(const GameState& state)
{
    for (int side = 0; side < kSideCount; ++side) {
        const UnitRecord* table = state.unitTable(side);
        for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
            if (unitExists(table[i]) && table[i].isOnOwnHex())
                return false;
    }
    return true;
}

bool noUnitStored(const GameState& state)
{
    for (int side = 0; side < kSideCount; ++side) {
        const UnitRecord* table = state.unitTable(side);
        for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
            if (unitExists(table[i]) && table[i].hasFlag(kUnitStored))
                return false;
    }
    return true;
}

bool LandingHooks::canUnitLand(const GameState& state, int side, int index, int arg)
{
    return ::canUnitLand(state, side, index, arg == 1 ? ActedUnits::Allow : ActedUnits::Refuse);
}

LandingHooks& installLandingHooks()
{
    static LandingHooks hooks;
    setStateRulesHooks(&hooks);
    return hooks;
}
