// Counting the facilities of a map.
#include "dialogs/map_facility_counts.h"

#include "state/game_state.h"

namespace {

void add(FacilityCounts& counts, int owner_value, int type, std::span<const TerrainRecord> terrain)
{
    if (owner_value < 0 || owner_value >= kFacilityOwners || type < 0 || size_t(type) >= terrain.size())
        return;
    const int row = facilityRow(terrain[size_t(type)].kind);
    if (row >= 0)
        ++counts[size_t(owner_value)][size_t(row)];
}

} // namespace

int facilityRow(int kind)
{
    switch (kind) {
    case 12: return 0;
    case 13:
    case 14:
    case 15: return 1;
    case 16: return 2;
    case 18: return 3;
    case 17: return 4;
    default: return kind >= 19 && kind <= 27 ? 5 : -1;
    }
}

FacilityCounts countPreviewFacilities(std::span<const FileMapCell> cells, std::span<const TerrainRecord> terrain)
{
    FacilityCounts counts {};
    for (const FileMapCell& cell : cells)
        add(counts, cell.buildingOwnerPlusOne, cell.terrain, terrain);
    return counts;
}

FacilityCounts countLiveFacilities(const GameState& state)
{
    FacilityCounts counts {};
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& b = state.buildingAt(i);
        add(counts, b.ownerPlusOne, b.type, state.terrainTypes());
    }
    return counts;
}
