// UnitRecord: where a unit may stand, and the mines it finds when it acts.
#include "state/unit_record.h"

#include "state/unit_internal.h"

using namespace unit_rules;

namespace {

constexpr int kHoverMovementType = 14;
constexpr uint16_t kTypeShallowsBit = 0x4000;

bool terrainAllows(const UnitTypeRecord& type, const TerrainRecord& terrain, int x, int y)
{
    if ((type.flags & kTypeShallowsBit) && terrain.kind == kTerrainShallows)
        return true;
    switch (unitTypeGroup(type)) {
    case 0:
        return terrain.flags & kTerrainAircraftLanding;
    case 1:
        return game().isVtolLandingHexFor(x, y, -1);
    case 2:
        return game().isLoadingHexFor(x, y, -1);
    case 3:
        return true;
    case 4:
        return terrain.kind == 17;
    case 5:
        return terrain.kind == 17 || terrain.kind == kTerrainShallows || game().terrainValueAt(x, y, kHoverMovementType) >= 1;
    default:
        return type.unitClass == kHelicopterCarrierClass && terrain.kind == 17;
    }
}

} // namespace

bool UnitRecord::canActOnTerrain(int x, int y, int side) const
{
    const TerrainRecord* terrain = game().terrainTypeAt(x, y);
    if (!terrain || !terrainAllows(type(), *terrain, x, y))
        return false;
    if (!ruleOn(kRuleStoring) && ruleOn(kRuleBoardingOwnership))
        return true;
    const UnitCell* cell = game().unitCellAt(x, y);
    const BuildingRecord* building = cell && cell->building ? game().building(cell->building - 1) : nullptr;
    if (!building)
        return true;
    return building->ownerPlusOne != 0 && game().isAllied(building->ownerPlusOne - 1, side);
}

void UnitRecord::markActed()
{
    flags |= kUnitActed;
    int country = game().turnBlock().currentCountry;
    int domain = type().domain;
    if (!isOnOwnHex() || country >= kCountryCount || (domain != 3 && domain != 4))
        return;
    int mine_kind = domain == 3 ? 1 : 2;
    for (int d = 0; d < 6; ++d) {
        HexPos next = game().hexNeighbour(x, y, d);
        TerrainCell* cell = next.valid() ? game().terrainCellAt(next.x, next.y) : nullptr;
        if (cell && cell->mineKind == mine_kind)
            cell->mineKnownMask = uint8_t(cell->mineKnownMask | 1u << country);
    }
}
