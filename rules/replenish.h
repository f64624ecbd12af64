// Replenishment (new strength counters) and repair (lost strength), their costs and the offer to the owner.
#pragma once

#include <cstdint>

class GameState;

// Capacities drawn from the game's pool: counters that may be added, strength that may be repaired.
int randomServiceCapacity(GameState& state, int country, int index);
int replenishCapacity(GameState& state, int country, int index);
int repairCapacity(GameState& state, int country, int index);
// What may be done now: cut by the limits of the unit, its carrier, its building and the funds.
int replenishCount(GameState& state, int country, int index);
int repairAmount(GameState& state, int country, int index, uint8_t free);

// Works out both services, asks a person (a computer country accepts every part) and carries them out.
void offerReplenishRepair(GameState& state, int country, int index, uint8_t replenish, uint8_t repair, uint8_t free);
// Repair aboard a carrier, paid with the carrier's supply goods.
void offerFreeRepair(GameState& state, int country, int index);
// Each is cut to what the funds pay (free repair costs no funds) and does nothing below 1.
void doReplenish(GameState& state, int country, int index, int count, uint8_t show);
void doRepair(GameState& state, int country, int index, int amount, uint8_t free, uint8_t show);
