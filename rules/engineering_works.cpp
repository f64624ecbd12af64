// Building works of the acting unit: pillboxes, bridges and road links, and the pillbox demolition.
#include "rules/engineering.h"

#include "rules/engineering_steps.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

namespace {

// Terrain 53 stands for buildings and the bridges engineers build.

constexpr int kBridgeCodes[6][6] = {
    { 2, 2, 8, 2, 4, 2 },
    { 0, 0, 0, 7, 0, 3 },
    { 8, 1, 1, 1, 6, 1 },
    { 2, 7, 2, 2, 2, 5 },
    { 4, 0, 6, 0, 0, 0 },
    { 1, 3, 1, 5, 1, 1 },
};

int directionTo(const GameState& state, HexPos a, HexPos b)
{
    for (int d = 0; d < kHexDirections; ++d)
        if (state.hexNeighbour(a.x, a.y, d) == b)
            return d;
    return -1;
}

const TerrainRecord* terrainType(const GameState& state, int index)
{
    const auto& types = state.terrainTypes();
    return index >= 0 && size_t(index) < types.size() ? &types[size_t(index)] : nullptr;
}

} // namespace

int bridgeDisplayCode(int d, int e)
{
    return d >= 0 && d < 6 && e >= 0 && e < 6 ? kBridgeCodes[d][e] : 0;
}

void execBuildPillbox(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit || !canBuildPillboxAt(state, actor.unit->x, actor.unit->y))
        return;
    const int x = actor.unit->x;
    const int y = actor.unit->y;
    const int pillbox = state.terrainRoles().pillbox;
    const TerrainRecord* type = terrainType(state, pillbox);
    if (!type || state.findPillboxHex(x, y) >= 0)
        return;
    TerrainCell* cell = state.terrainCellAt(x, y);
    cell->terrain = uint8_t(pillbox);
    cell->displayCode = type->defaultDisplayCode;
    gainExperience(state, actor, &UnitRecord::gainExperienceHalfStrength);
    state.pillboxHexes().push_back(PillboxHex { uint32_t(x), uint32_t(y), type->durability, 0 });
    actor.unit->spendEngineeringStock(2);
    state.historyLog().recordConstruction(actor.side, actor.index);
}

void demolishPillbox(GameState& state, int x, int y)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    if (!terrain || terrain->kind != kTerrainPillbox)
        return;
    const int wasteland = state.terrainRoles().wasteland;
    const TerrainRecord* type = terrainType(state, wasteland);
    if (!type)
        return;
    TerrainCell* cell = state.terrainCellAt(x, y);
    cell->terrain = uint8_t(wasteland);
    cell->displayCode = type->defaultDisplayCode;
    const ActingUnit actor = actingUnit(state);
    if (actor.unit)
        gainExperience(state, actor, &UnitRecord::gainExperienceByStrength);
    const int listed = state.findPillboxHex(x, y);
    if (listed >= 0)
        state.pillboxHexes().erase(state.pillboxHexes().begin() + listed);
    if (cell->overlay != 0) {
        cell->overlay = 0;
        currentAction(state).setSupplyLinesDirty();
    }
}

void execBuildBridge(GameState& state, int x, int y, int far_x, int far_y)
{
    const ActingUnit actor = actingUnit(state);
    const TerrainRecord* bridge = terrainType(state, kTemporaryBridgeTerrain);
    if (!actor.unit || !bridge || !canBuildBridgeAt(state, x, y))
        return;
    // The builder stands beside the hex it bridges; from anywhere else there is no side to build from.
    const int d = directionTo(state, { x, y }, { actor.unit->x, actor.unit->y });
    if (d < 0)
        return;
    int e = oppositeDirection(d);
    for (int k = 2; k <= 4; ++k) {
        if (state.hexNeighbour(x, y, (d + k) % 6) == HexPos { far_x, far_y }) {
            e = (d + k) % 6;
            break;
        }
    }
    TerrainCell* cell = state.terrainCellAt(x, y);
    const TemporaryBridgeHex entry { uint32_t(x), uint32_t(y),
        bridge->durability, cell->terrain, uint8_t(cell->displayCode), uint8_t(cell->substitute) };
    cell->terrain = uint8_t(kTemporaryBridgeTerrain);
    cell->substitute = 0;
    cell->displayCode = uint16_t(bridgeDisplayCode(d, e));
    state.temporaryBridgeHexes().push_back(entry);
    gainExperience(state, actor, &UnitRecord::gainExperienceByStrength);
    actor.unit->spendEngineeringStock(3);
    state.historyLog().recordBridgeBuilt(actor.side, actor.index);
}

bool layRoadLink(GameState& state, HexPos a, HexPos b)
{
    const int d = directionTo(state, a, b);
    if (d < 0 || !canLinkRoad(state, a, b))
        return false;
    bool laid = false;
    if (isRoadTerrain(state, a.x, a.y)) {
        state.terrainCellAt(a.x, a.y)->overlay |= uint8_t(1 << d);
        laid = true;
    }
    if (isRoadTerrain(state, b.x, b.y)) {
        state.terrainCellAt(b.x, b.y)->overlay |= uint8_t(1 << oppositeDirection(d));
        laid = true;
    }
    if (laid)
        state.command().roadBuilt = 1;
    return laid;
}

void finishRoadWork(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return;
    // The move that laid the road announces the change once it is over.
    if (gainExperience(state, actor, &UnitRecord::gainExperienceByStrength, RankNotice::Silent))
        state.command().rankChanged = 1;
    actor.unit->spendEngineeringStock(1);
    currentAction(state).setSupplyLinesDirty();
}
