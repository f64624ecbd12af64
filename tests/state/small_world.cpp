// SmallWorld: a started GameState with a small one-terrain map and helpers to put units and buildings on it.
#include "tests/state/small_world.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace testing_state {

SmallWorld::SmallWorld(int width, int height, int terrain, Pictures pictures)
    : m_state(std::make_unique<GameState>())
    , m_previous(g_gameState)
    , m_width(width)
    , m_height(height)
{
    if (pictures == Pictures::Linked) {
        for (const char* folder : { "tkbmp", "tkunit" })
            linkGenerated(folder);
    }
    m_state->startUp();
    g_gameState = m_state.get();
    m_state->mapHeader().width = uint16_t(width);
    m_state->mapHeader().height = uint16_t(height);
    if (terrain < 0)
        terrain = std::max(terrainOfKind(kTerrainBasic), 0);
    for (int i = 0; i < width * height; ++i)
        m_state->terrainGrid()[i].terrain = uint8_t(terrain);
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& country = m_state->country(c);
        country.controller = 2;
        country.allianceMask = uint8_t(1u << c);
        country.targetCountry = 8;
    }
}

SmallWorld::~SmallWorld()
{
    g_gameState = m_previous;
}

TerrainCell& SmallWorld::cell(int x, int y) { return m_state->terrainGrid()[y * m_width + x]; }

UnitCell& SmallWorld::unitCell(int x, int y) { return m_state->unitGrid()[y * m_width + x]; }

void SmallWorld::setRule(RuleSwitch rule, int value) { m_state->ruleBlock().switches[rule] = uint8_t(value); }

int SmallWorld::terrainOfKind(int kind) const
{
    const auto& types = m_state->terrainTypes();
    for (size_t i = 0; i < types.size(); ++i)
        if (types[i].kind == kind)
            return int(i);
    return -1;
}

int SmallWorld::addUnit(int side, int typeId, int x, int y, int model)
{
    int index = 0;
    while (index < kUnitTableSize && m_state->unitOf(side, index)->stateLow != 0)
        ++index;
    UnitRecord& unit = *m_state->unitOf(side, index);
    const UnitTypeRecord& type = m_state->unitTypeRecord(typeId);
    unit = UnitRecord {};
    unit.stateLow = 1;
    std::memcpy(unit.name, type.name, sizeof unit.name);
    unit.unitTypeId = uint16_t(typeId);
    unit.x = uint8_t(x);
    unit.y = uint8_t(y);
    unit.model = uint8_t(model);
    std::memcpy(unit.ammunition, type.model[model].ammo, sizeof unit.ammunition);
    unit.fuel = type.model[model].fuel;
    for (int m = 0; m < type.members && m < 10; ++m)
        unit.memberStrengths[m] = type.memberStrength;
    if (uint32_t(index) >= m_state->unitCount(side))
        m_state->setUnitCount(side, uint32_t(index + 1));
    return index;
}

int SmallWorld::placeUnit(int side, int typeId, int x, int y, int model)
{
    int index = addUnit(side, typeId, x, y, model);
    int slot = m_state->unitSlotFor(m_state->unitTypeRecord(typeId).domain);
    UnitCell& cell = unitCell(x, y);
    cell.lowerSide[slot] = uint16_t(side + 1);
    cell.lowerUnit[slot] = uint16_t(index);
    return index;
}

int SmallWorld::placeBuilding(int terrainType, int owner, int x, int y)
{
    const TerrainRecord& type = m_state->terrainTypes()[size_t(terrainType)];
    BuildingRecord record {};
    record.type = uint8_t(terrainType);
    record.ownerPlusOne = uint8_t(owner + 1);
    record.x = uint32_t(x);
    record.y = uint32_t(y);
    record.durability = type.durability;
    record.loadedOwnerPlusOne = record.ownerPlusOne;
    record.supplyBits = 1;
    auto& buildings = m_state->buildings();
    buildings.push_back(record);
    unitCell(x, y).building = uint16_t(buildings.size());
    cell(x, y).owner = uint8_t(owner + 1);
    return int(buildings.size() - 1);
}

// The tables are the state's own non-const vectors, so the casts write to modifiable objects.
UnitTypeRecord& SmallWorld::editType(int id) { return const_cast<UnitTypeRecord&>(m_state->unitTypeRecord(id)); }

WeaponRecord& SmallWorld::editWeapon(int id) { return const_cast<WeaponRecord&>(m_state->weaponRecord(id)); }

TerrainRecord& SmallWorld::editTerrain(int index)
{
    return const_cast<TerrainRecord&>(m_state->terrainTypes()[size_t(index)]);
}

} // namespace testing_state
