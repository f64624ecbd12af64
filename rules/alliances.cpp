// Pacts and the neutral alliance broken by attacks and occupations.
#include "rules/alliances.h"

#include "rules/unit_removal.h"
#include "state/game_state.h"

namespace {

bool isCountry(int side) { return side >= 0 && side < kCountryCount; }

constexpr int kBorderEdge = 2;

} // namespace

void breakNonAggressionPact(GameState& state, int a, int b)
{
    if (!isCountry(a) || !isCountry(b))
        return;
    state.country(a).pactMask &= uint8_t(~(1u << b));
    state.country(b).pactMask &= uint8_t(~(1u << a));
}

int pactEndedByStep(const GameState& state, int side, HexPos from, HexPos to)
{
    const TerrainCell* from_cell = state.terrainCellAt(from.x, from.y);
    const TerrainCell* to_cell = state.terrainCellAt(to.x, to.y);
    int direction = -1;
    for (int d = 0; d < kHexDirections && direction < 0; ++d)
        if (state.hexNeighbour(from.x, from.y, d) == to)
            direction = d;
    if (direction < 0 || !from_cell || !to_cell || from_cell->sideCode(direction) != kBorderEdge)
        return -1;
    const int owner = to_cell->owner - 1;
    if (!isCountry(owner) || to_cell->owner == from_cell->owner || !state.hasPactWith(side, owner))
        return -1;
    return owner;
}

bool pathEndsPact(const GameState& state, int side, HexPos start, const std::vector<HexPos>& path)
{
    HexPos previous = start;
    for (const HexPos& hex : path) {
        if (pactEndedByStep(state, side, previous, hex) >= 0)
            return true;
        previous = hex;
    }
    return false;
}

void leaveNeutralAlliance(GameState& state, int side)
{
    if (isCountry(side))
        state.neutralBlock()[0] &= uint8_t(~(1u << side));
}

void breakAllAlliances(GameState& state, int side)
{
    if (side < 0 || side >= kSideCount)
        return;
    const uint8_t others = side < kCountryCount ? uint8_t(~(1u << side)) : uint8_t(0xFF);
    for (int c = 0; c < kCountryCount; ++c)
        state.country(c).allianceMask &= others;
    if (side < kCountryCount)
        state.country(side).allianceMask = uint8_t(1u << side);
    state.neutralBlock()[0] &= side < kCountryCount ? others : uint8_t(0);

    for (size_t b = 0; b < state.buildingCount(); ++b) {
        BuildingRecord& building = state.buildings()[b];
        if (building.ownerPlusOne == 0)
            continue;
        const bool owned_by_side = building.owner() == side;
        for (BuildingSlot& slot : building.slots) {
            if (slot.sidePlusOne == 0)
                continue;
            const int unit_side = slot.sidePlusOne - 1;
            const int index = slot.unitIndex;
            if (owned_by_side == (unit_side == side))
                continue;
            slot = BuildingSlot {};
            destroyUnit(state, unit_side, index);
        }
    }
}
