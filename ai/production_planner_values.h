// What the production planner weighs in a unit type: its role, its worth in battle and its price.
#pragma once

#include <cstdint>
#include <vector>

class GameState;
struct CountryRecord;
struct UnitTypeRecord;

struct ProductionOption {
    int typeId = 0;
    int domain = 0;
    int counters = 0;
    uint32_t price = 0;
    // Strength weighed by firepower; 0 for a type the planner never buys.
    uint32_t value = 0;
    bool occupier = false;
    bool antiAir = false;
};

// Whether the type may take buildings.
bool typeCanOccupy(const UnitTypeRecord& type);
// A direct weapon of the default model with rounds and power against some air target class.
bool typeIsAntiAir(const GameState& state, const UnitTypeRecord& type);
// Members × strength, scaled by the best power of each armed slot; occupiers count their strength
// even unarmed, other unarmed types are worth 0.
uint32_t typeCombatValue(const GameState& state, const UnitTypeRecord& type);

// The types the country's own production type allows (ids below 10000, known, available, no
// warheads), each at full strength and priced for the country, worthless ones left out.
std::vector<ProductionOption> listProductionOptions(GameState& state, int country);
