// Map-wide accessors: border masks, day and night, the scenario texts and the units against their types.
#include "state/game_state.h"
#include "state/state_accessors.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

// Each text of the scenario block starts at one offset and must end before the next.
constexpr int kTextStarts[9] = { 0, 24, 66, 4868, 4930, 9732, 10294, 11196, 11258 };
constexpr int kTextEnds[9] = { 23, 65, 4867, 4929, 9731, 10293, 11195, 11257, 16059 };

} // namespace

void GameState::computeBorderMasks()
{
    for (int y = 0; y < mapHeight(); ++y) {
        for (int x = 0; x < mapWidth(); ++x) {
            UnitCell* units = unitCellAt(x, y);
            const TerrainCell* cell = terrainCellAt(x, y);
            if (!units)
                return;
            units->borderMask = 0;
            if (!cell->owner)
                continue;
            for (int d = 0; d < kHexDirections; ++d) {
                HexPos n = hexNeighbour(x, y, d);
                if (n.valid() && terrainCellAt(n.x, n.y)->owner != cell->owner)
                    units->borderMask |= uint8_t(1 << d);
            }
        }
    }
}

bool GameState::isNightTurn() const
{
    if (!ruleOn(kRuleDayNight))
        return false;
    int period = std::max(1, m_mapHeader.dayNightTurns());
    int t = m_turnBlock.turn ? m_turnBlock.turn - 1 : 0;
    if (m_mapHeader.startTime == 1)
        t += period;
    return (t / period) % 2 == 1;
}

void GameState::copyScenarioBlock(ScenarioBlock& out) const
{
    out = m_scenario;
    for (int end : kTextEnds)
        out.bytes[end] = 0;
}

bool GameState::hasScenarioText() const
{
    for (int start : kTextStarts)
        if (m_scenario.bytes[start])
            return true;
    return false;
}

bool GameState::allUnitTypesAvailable() const
{
    for (int c = 0; c < kCountryCount; ++c) {
        const UnitRecord* table = m_unitTables[size_t(c)].get();
        for (uint32_t i = 0; table && i < m_unitCounts[size_t(c)]; ++i) {
            if (!unitExists(table[i]))
                continue;
            const UnitTypeRecord* type = unitTypeOf(table[i]);
            if (!type || type->available == 0)
                return false;
        }
    }
    return true;
}

bool canHoldLandMine(const GameState& state, const TerrainCell& cell)
{
    if (cell.overlay)
        return true;
    const auto& types = state.terrainTypes();
    return cell.terrain < types.size() && (types[cell.terrain].mineFlags & 1) && cell.substitute == 0;
}

bool canHoldSeaMine(const GameState& state, const TerrainCell& cell)
{
    const auto& types = state.terrainTypes();
    return cell.terrain < types.size() && (types[cell.terrain].mineFlags & 2) && !cell.overlay && cell.substitute == 0;
}

int detonateMine(GameState& state, TerrainCell& cell)
{
    int count = cell.mineCount;
    if (count <= 0)
        return 0;
    int r = state.random(1, count);
    if (r == count)
        cell.clearMine();
    else
        cell.mineCount = uint8_t(count - r);
    return r;
}

namespace {

constexpr int kStrengthCounters = 10;

template <typename F>
void forEachCountryUnit(GameState& state, F&& f)
{
    for (int c = 0; c < kCountryCount; ++c) {
        UnitRecord* table = state.unitTable(c);
        for (uint32_t i = 0; table && i < state.unitCount(c); ++i) {
            const UnitTypeRecord* type = unitExists(table[i]) ? state.unitTypeOf(table[i]) : nullptr;
            if (type)
                f(table[i], *type);
        }
    }
}

} // namespace

void GameState::refillUnitsToFull()
{
    forEachCountryUnit(*this, [&](UnitRecord& unit, const UnitTypeRecord& type) {
        for (int m = 0; m < kStrengthCounters; ++m)
            unit.memberStrengths[m] = m < type.members ? type.memberStrength : 0;
        selectModel(*this, unit, unit.model < kModelCount ? unit.model : 0);
    });
}

void GameState::clampUnitsToType()
{
    forEachCountryUnit(*this, [&](UnitRecord& unit, const UnitTypeRecord& type) {
        for (int m = 0; m < kStrengthCounters; ++m)
            unit.memberStrengths[m] = m < type.members ? std::min(unit.memberStrengths[m], type.memberStrength) : 0;
        // A model number from a file may lie past the four models.
        int model = unit.model < kModelCount ? unit.model : 0;
        for (int i = 0; i < kWeaponSlotCount; ++i)
            unit.ammunition[i] = uint8_t(std::min<int>(unit.ammunition[i], modelAmmoAllowance(*this, type, model, i)));
        unit.fuel = std::min(unit.fuel, type.model[model].fuel);
    });
}
