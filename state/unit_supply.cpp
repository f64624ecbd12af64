// UnitRecord: asking for resupply, and the supply units and carriers that can give it.
#include "state/supply_order.h"
#include "state/unit_hooks.h"
#include "state/unit_record.h"

#include "state/unit_internal.h"

#include "platform/kernel/host.h"

#include <string>

using namespace unit_rules;

namespace {

constexpr int kSupplyTruckClass = 36;
constexpr int kTankerClass = 11;
constexpr int kSupplyShipClass = 53;
constexpr int kCarrierClass = 48;

const UnitRecord* carrierOf(const UnitRecord& unit) { return game().unitOf(unit.carrierSide - 1, unit.carrierIndex - 1); }

const UnitRecord* outermost(const UnitRecord& unit)
{
    const UnitRecord* at = &unit;
    for (int depth = 0; depth < 36 && at->hasFlag(kUnitAboard); ++depth) {
        const UnitRecord* next = carrierOf(*at);
        if (!next)
            break;
        at = next;
    }
    return at;
}

int buildingAt(int x, int y)
{
    const UnitCell* cell = game().unitCellAt(x, y);
    return cell && cell->building && game().building(cell->building - 1) ? cell->building - 1 : -1;
}

// Nothing affordable: a person acting on their own turn is told why nothing happens.
void warnNoFunds(int side)
{
    UnitRecordHooks* hooks = unitRecordHooks();
    if (!hooks || !game().isHumanCountry(side) || game().turnBlock().phase != kPhaseAction || hooks->delegationRunning())
        return;
    static const std::string text = platform::utf8ToCp932("軍資金が不足しているため、補給を行うことができません。");
    static const std::string title = platform::utf8ToCp932("注意");
    hooks->showWarning(text.c_str(), title.c_str());
}

bool stillGranted(const UnitRecord& unit, SupplyOrder& order, int side, int index, bool supply_unit_parts)
{
    unit.buildSupplyOrder(order, side, index);
    if (supply_unit_parts) {
        order.clearPart(SupplyOrder::kEngineering);
        order.clearPart(SupplyOrder::kSupplyGoods);
    }
    return order.anyGranted();
}

void serveFromAdjacentUnit(const UnitRecord& unit, SupplyOrder& order, int side, int index, UnitRecordHooks& hooks)
{
    if (!unit.isOnOwnHex())
        return;
    int supplier = unit.findAdjacentSupplyUnit(side, index);
    if (supplier >= 0)
        hooks.serviceFromSupplyUnit(order, supplier);
}

} // namespace

void UnitRecord::requestResupply(int side, int index)
{
    SupplyOrder order;
    if (!buildSupplyOrder(order, side, index) || !order.anyWanted())
        return;
    if (!order.anyGranted()) {
        warnNoFunds(side);
        return;
    }
    UnitRecordHooks* hooks = unitRecordHooks();
    if (!hooks)
        return;
    bool from_building = false;
    if (hasFlag(kUnitAboard)) {
        if (carrierHasSupplies()) {
            hooks->serviceFromCarrier(order);
            if (!stillGranted(*this, order, side, index, false)) {
                serveFromAdjacentUnit(*this, order, side, index, *hooks);
                return;
            }
        }
        from_building = outermost(*this)->hasFlag(kUnitStored) || !ruleOn(kRuleStoring);
    } else {
        from_building = hasFlag(kUnitStored) || !ruleOn(kRuleStoring);
    }
    int building = from_building ? buildingAt(x, y) : -1;
    if (building >= 0) {
        hooks->serviceAtBuilding(building, order);
        if (!stillGranted(*this, order, side, index, false))
            return;
    }
    serveFromAdjacentUnit(*this, order, side, index, *hooks);
}

void UnitRecord::requestSupplyUnitService(int side, int index)
{
    SupplyOrder order;
    if (!buildSupplyOrder(order, side, index))
        return;
    order.clearPart(SupplyOrder::kEngineering);
    order.clearPart(SupplyOrder::kSupplyGoods);
    if (!order.anyWanted())
        return;
    if (!order.anyGranted()) {
        warnNoFunds(side);
        return;
    }
    if (UnitRecordHooks* hooks = unitRecordHooks())
        serveFromAdjacentUnit(*this, order, side, index, *hooks);
}

bool UnitRecord::canServiceUnit(int side, int index, int x, int y) const
{
    const UnitRecord* served = game().unitOf(side, index);
    if (!served)
        return false;
    SuppliedBy wanted_bit;
    switch (type().unitClass) {
    case kSupplyTruckClass:
        wanted_bit = kSuppliedByTruck;
        break;
    case kTankerClass:
        wanted_bit = kSuppliedByTanker;
        break;
    case kSupplyShipClass:
        wanted_bit = kSuppliedByShip;
        break;
    default:
        return false;
    }
    if (!(served->type().suppliedBy & wanted_bit) || supplyStock() <= 0)
        return false;
    if (x == -1 || type().unitClass != kSupplyTruckClass)
        return true;
    switch (unitTypeGroup(served->type())) {
    case 1:
        return game().isVtolLandingHexFor(x, y, -1);
    case 2:
        return game().isLoadingHexFor(x, y, -1);
    default:
        return true;
    }
}

int UnitRecord::findAdjacentSupplyUnit(int side, int index) const
{
    std::vector<HexPos> hexes;
    for (int d = 0; d < 6; ++d)
        hexes.push_back(game().hexNeighbour(x, y, d));
    if (ruleOn(kRuleStacking))
        hexes.push_back({ x, y });
    for (const HexPos& hex : hexes) {
        if (!hex.valid())
            continue;
        std::vector<UnitRef> refs;
        game().collectUnitsInHex(hex.x, hex.y, refs);
        for (const UnitRef& ref : refs) {
            if (ref.table != side || ref.index == index)
                continue;
            const UnitRecord* supplier = game().unitOf(ref.table, ref.index);
            if (supplier && supplier->canServiceUnit(side, index, x, y))
                return ref.index;
        }
    }
    return -1;
}

bool UnitRecord::carrierHasSupplies() const
{
    const UnitRecord* carrier = carrierOf(*this);
    return carrier && carrier->supplyStock() > 0;
}

bool UnitRecord::canDrawCarrierSupplies() const
{
    const UnitTypeRecord& own = type();
    if (own.domain > 2 || own.unitClass == kHeadquartersClass || !hasFlag(kUnitAboard))
        return false;
    const UnitRecord* carrier = carrierOf(*this);
    if (!carrier)
        return false;
    int carrier_class = carrier->type().unitClass;
    return (carrier_class == kCarrierClass || carrier_class == kHelicopterCarrierClass) && carrier->supplyStock() >= 1;
}
