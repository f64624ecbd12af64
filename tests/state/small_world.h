// A started GameState over the generated master data with a small map of one terrain, for the state tests.
#pragma once

#include "state/game_state.h"

#include "tests/state/state_test_support.h"

#include <memory>

namespace testing_state {

// Types of the generated data: 2 infantry (10 members), 3 tank (4 members), 4 self-propelled gun,
// 8 supply truck, 9 engineers, 10 carrier vehicle, 30 ship (a destroyer of one member), 34 cruiser
// with a launch weapon, 1 headquarters.
constexpr int kHeadquarters = 1;
constexpr int kInfantry = 2;
constexpr int kTank = 3;
constexpr int kGun = 4;
constexpr int kSupplyTruck = 8;
constexpr int kEngineers = 9;
constexpr int kCarrierVehicle = 10;
constexpr int kShip = 30;
constexpr int kCruiser = 34;

class SmallWorld : public DataFolder {
public:
    // A width x height map of one terrain type; -1 picks the first type of kind 0 (basic terrain).
    // The world is g_gameState while it lives. With pictures the generated bitmap and unit folders
    // are linked in before start-up, so the base bitmaps load.
    enum class Pictures { None, Linked };
    SmallWorld(int width, int height, int terrain = -1, Pictures pictures = Pictures::None);
    ~SmallWorld();

    GameState& state() { return *m_state; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    TerrainCell& cell(int x, int y);
    UnitCell& unitCell(int x, int y);
    void setRule(RuleSwitch rule, int value);
    // The first terrain type of the kind; -1 when land.dat has none.
    int terrainOfKind(int kind) const;

    // A full-strength unit of the type in play at (x, y), listed in the hex's slot (its domain with
    // stacking on, else 0); the side's count grows to cover it. Answers the unit's index.
    int placeUnit(int side, int typeId, int x, int y, int model = 0);
    // A unit in side's table only, not listed on any hex (cargo, stored units).
    int addUnit(int side, int typeId, int x, int y, int model = 0);
    UnitRecord& unit(int side, int index) { return *m_state->unitOf(side, index); }
    // A building of the terrain type at (x, y) owned by owner (-1 none), full durability, supplied.
    int placeBuilding(int terrainType, int owner, int x, int y);
    BuildingRecord& building(int index) { return m_state->buildings()[size_t(index)]; }

    // The loaded master records, changeable so a test can shape the type it needs.
    UnitTypeRecord& editType(int id);
    WeaponRecord& editWeapon(int id);
    TerrainRecord& editTerrain(int index);

private:
    std::unique_ptr<GameState> m_state;
    GameState* m_previous = nullptr;
    int m_width;
    int m_height;
};

} // namespace testing_state
