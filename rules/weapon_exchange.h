// Weapon exchange: a unit loads another of its type's armament models.
#pragma once

#include <cstdint>

class GameState;

// Where the new armament comes from: a low word of 8 or more buys it with the country's funds at a
// building or depot; otherwise the low word is a supply unit's side and the high word its index,
// and that unit pays one unit of its supply goods.
constexpr uint32_t kBoughtArmament = 8;

// The acting unit, standing still, takes model 0..3. Bought: refused when the funds fall short (a
// person setting the order is warned). From a supply unit on the same hex that can carry it, the
// unit goes back aboard. True when the model changed.
bool execWeaponExchange(GameState& state, int model, uint32_t source);
// The same at the end of a move, without marking the unit as acted; it then stands on its hex:
// stored in the building with rule 6 when bought, else registered there.
bool execWeaponExchangeAfterMove(GameState& state, int model, uint32_t source);
