// Resupply: the three supply services (building, carrier, supply unit), rearming costs and the supply phase.
#pragma once

#include <cstdint>

class GameState;
struct SupplyOrder;

// Puts the order to a person when their settings ask for it; anyone else gets it as built.
void showSupplyOrder(GameState& state, SupplyOrder& order);
// Each service clears the parts its source cannot give, shows and applies the rest.
void serviceAtBuilding(GameState& state, int building, SupplyOrder& order);
void serviceFromCarrier(GameState& state, SupplyOrder& order);
void serviceFromSupplyUnit(GameState& state, SupplyOrder& order, int supplier);
// Funds needed to load armament set k (0..3) of the unit's type; 0 while supply is free.
uint32_t rearmCost(GameState& state, int country, int index, int set);
// Every unit of the current country in play that has not acted asks for resupply.
void autoResupplyAll(GameState& state);
