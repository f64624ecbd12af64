// Target checks of the unit commands on carriers and neighbours: airborne drops, civilians,
// self-destruct attacks and armament exchange places.
#include "rules/targets.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/unit_facts.h"
#include "state/weapon_record.h"

namespace {

bool landSlotHasVisibleOther(const GameState& state, int side, int index, int x, int y)
{
    return state.hexDomainHasVisibleOtherUnit(x, y, state.unitSlotFor(3), side, index);
}

// The six neighbours (direction 0..5), then, when asked, the hex itself as direction 6.
template<typename Visit>
void walkNeighboursThenHex(const GameState& state, int x, int y, bool with_hex, Visit visit)
{
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid())
            visit(n.x, n.y, d);
    }
    if (with_hex && state.isOnMap(x, y))
        visit(x, y, 6);
}

// The carrier above the unit; null when it is not aboard or the link names nobody.
const UnitRecord* carrierOf(const GameState& state, const UnitRecord& unit, int& side, int& index)
{
    if (!unit.hasFlag(kUnitAboard) || unit.carrierSide == 0 || unit.carrierIndex == 0)
        return nullptr;
    side = unit.carrierSide - 1;
    index = unit.carrierIndex - 1;
    return state.unitOf(side, index);
}

int selfDestructSlot(const GameState& state, const UnitTypeRecord& type)
{
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (slotWeaponKind(state, type, i) == kWeaponSelfDestruct)
            return i;
    return -1;
}

} // namespace

bool isAirborneInCarrier(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unit->hasFlag(kUnitAboard) || !(typeEngineeringBits(unit->type()) & 0x04))
        return false;
    int top_side = side;
    int top_index = index;
    const UnitRecord* top = carrierOf(state, *unit, top_side, top_index);
    // The nesting of carriers is shallow; the bound only guards against a looped link in a file.
    for (int depth = 0; top && top->hasFlag(kUnitAboard) && depth < 16; ++depth) {
        const UnitRecord* next = carrierOf(state, *top, top_side, top_index);
        if (!next)
            break;
        top = next;
    }
    if (!top || top->type().domain > 2 || unitHexCheck(state, *top, unit->x, unit->y, top_side) || unit->fuel == 0)
        return false;
    std::vector<HexPos> hexes;
    return collectDropHexes(state, side, index, unit->x, unit->y, hexes) > 0;
}

int collectDropHexes(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list)
{
    const size_t before = list.size();
    walkNeighboursThenHex(state, x, y, true, [&](int hx, int hy, int d) {
        if (!landSlotHasVisibleOther(state, side, index, hx, hy) && state.isDropHex(hx, hy) && state.canCrossHexSide(x, y, d))
            list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

int collectNeutralPickupTargets(const GameState& state, int side, int index, int x, int y, std::vector<UnitRef>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return 0;
    const size_t before = list.size();
    walkNeighboursThenHex(state, x, y, true, [&](int hx, int hy, int d) {
        UnitRef ref {};
        if (!state.unitRefInHex(hx, hy, state.unitSlotFor(3), ref) || ref.table != 8)
            return;
        if (d < 6 && (!state.canCrossHexSide(x, y, d) || !isHexSideOpenFor(state, x, y, d, side)))
            return;
        if (unit->canLoadInto(8, ref.index, side, index, -1, -1, 0))
            list.push_back(ref);
    });
    return int(list.size() - before);
}

int collectNeutralDropHexes(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unit->canActOnTerrain(x, y, side))
        return 0;
    const size_t before = list.size();
    walkNeighboursThenHex(state, x, y, unit->type().domain != 3, [&](int hx, int hy, int d) {
        if (landSlotHasVisibleOther(state, side, index, hx, hy) || state.terrainValueAt(hx, hy, 14) <= 0)
            return;
        if (d < 6 && (!state.canCrossHexSide(x, y, d) || !isHexSideOpenFor(state, x, y, d, side)))
            return;
        list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

int collectSelfDestructTargets(const GameState& state, int side, int index, int x, int y, std::vector<UnitRef>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    const int slot = unit ? selfDestructSlot(state, unit->type()) : -1;
    if (slot < 0)
        return 0;
    const size_t before = list.size();
    walkNeighboursThenHex(state, x, y, true, [&](int hx, int hy, int) {
        std::vector<UnitRef> units;
        state.collectUnitsInHex(hx, hy, units);
        for (const UnitRef& ref : units) {
            const UnitRecord* target = state.unitOf(ref.table, ref.index);
            const int country = ref.table >= 100 ? ref.table - 100 : ref.table;
            if (!target || (state.isAllied(country, side) && !state.ruleOn(kRuleAttackAllies)) || country == side)
                continue;
            if (isUnitVisibleTo(state, side, ref.table, ref.index)
                && slotWeaponPower(state, unit->type(), slot, targetClass(target->type())) > 0)
                list.push_back(ref);
        }
    });
    return int(list.size() - before);
}

int collectReachableCarriers(const GameState& state, std::vector<uint32_t>& list, int side, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return 0;
    const size_t before = list.size();
    std::vector<UnitRef> considered;
    StateRulesHooks* hooks = stateRulesHooks();
    int top_side = side;
    int top_index = index;
    if (unit->type().domain == 3 && unit->hasFlag(kUnitAboard) && !(hooks && hooks->canUnitLand(state, side, index, 0))) {
        const UnitRecord* top = carrierOf(state, *unit, top_side, top_index);
        for (int depth = 0; top && top->hasFlag(kUnitAboard) && depth < 16; ++depth) {
            const UnitRecord* next = carrierOf(state, *top, top_side, top_index);
            if (!next)
                break;
            top = next;
        }
        if (top)
            considered.push_back(UnitRef { uint16_t(top_side), uint16_t(top_index), uint16_t(top_side) });
    } else {
        state.collectUnitsInHex(x, y, considered);
        state.collectBuildingUnitsAt(x, y, considered);
    }
    for (const UnitRef& ref : considered) {
        const UnitRecord* carrier = state.unitOf(ref.table, ref.index);
        if (carrier && ref.table == side && ref.index != index)
            carrier->collectBoardingTargets(list, side, index, ref.table, ref.index);
    }
    return int(list.size() - before);
}

int collectExchangePlacesAt(const GameState& state, int side, int index, int x, int y, bool moving, std::vector<UnitRef>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !state.isOnMap(x, y))
        return 0;
    const size_t before = list.size();
    const UnitTypeRecord& type = unit->type();
    if (!moving) {
        const BuildingRecord* building = state.buildingOnHex(x, y);
        if (building && building->canRearm(side, unitTypeGroup(type))) {
            const bool stored_here = unit->hasFlag(kUnitStored) && unit->x == x && unit->y == y;
            if (!state.ruleOn(kRuleStoring) || stored_here || building->hasFreeSlot())
                list.push_back(UnitRef { kBuildingPlaceSide, uint16_t(x | y << 8), kBuildingPlaceSide });
        }
        std::vector<uint32_t> carriers;
        collectReachableCarriers(state, carriers, side, index, x, y);
        for (uint32_t packed : carriers) {
            const int c_side = int(packed & 0xFFFF);
            const int c_index = int(packed >> 16);
            const UnitRecord* carrier = state.unitOf(c_side, c_index);
            if (carrier && carrier->supplyStock() > 0)
                list.push_back(UnitRef { uint16_t(c_side), uint16_t(c_index), uint16_t(c_side) });
        }
    }
    // A supply unit of the country in the land slot may exchange the armament when nothing else
    // holds the unit's own slot there.
    UnitRef ref {};
    const int slot = state.unitSlotFor(type.domain);
    if (state.unitRefInHex(x, y, state.unitSlotFor(3), ref) && ref.table == side && ref.index != index) {
        UnitRef own {};
        const bool slot_taken = state.unitRefInHex(x, y, slot, own) && !(own.table == side && own.index == index)
            && !(own.table == ref.table && own.index == ref.index);
        const UnitRecord* helper = state.unitOf(ref.table, ref.index);
        if (!slot_taken && helper && helper->canServiceUnit(side, index, x, y))
            list.push_back(ref);
    }
    return int(list.size() - before);
}

int countExchangePlaces(const GameState& state, int side, int index, int x, int y, bool moving)
{
    std::vector<UnitRef> places;
    collectExchangePlacesAt(state, side, index, x, y, moving, places);
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid())
            collectExchangePlacesAt(state, side, index, n.x, n.y, moving, places);
    }
    return int(places.size());
}
