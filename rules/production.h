// Production: which unit categories a building may produce, buying a unit, and arriving reinforcements.
#pragma once

#include <cstdint>

class GameState;
struct UnitRecord;
struct UnitTypeRecord;

// Category bits of a hex: 1 and 2 the two high air slots, 4 the low air slot, 8 land, 16 and 32 sea;
// bit 1 << d stands for the hex slot of domain d.
enum ProductionCategory : uint16_t {
    kProduceAir1 = 1,
    kProduceAir2 = 2,
    kProduceAir3 = 4,
    kProduceLand = 8,
    kProduceSea1 = 16,
    kProduceSea2 = 32,
};

// The categories side may produce at (x, y); adjacent = 1 also offers land units on a hex beside its
// capital or headquarters.
uint16_t productionCategoriesAt(GameState& state, int x, int y, int side, uint8_t adjacent);

// The machines an order for `asked` makes of the type: at least one, at most the type's members.
// The production dialog shows, prices and buys this number.
int machinesMade(const UnitTypeRecord& type, int asked);

// Buys a unit of type_id with the given strength counters at (x, y), onto the hex or into its building,
// at index (-1: the first free one). Answers the unit's index, or -1 having changed nothing.
int buyUnit(GameState& state, int x, int y, int side, int type_id, int counters, uint8_t in_building, int index);

// A new unit's record as production makes it: the type's name and model, counters members at full
// strength, acted, and with rule 45 on waiting out the type's production turns.
void makeProducedUnit(GameState& state, UnitRecord& unit, const UnitTypeRecord& type, int counters, int x, int y,
    bool in_building);

// Brings the units carried by (side, index) into play at its hex, and their own cargo after them.
void landReinforcementCargo(GameState& state, int side, int index, uint8_t notify);

// At the start of the side's turn: no target country and the per-turn fields of its units cleared.
void resetTurnUnitFields(GameState& state, int side);
