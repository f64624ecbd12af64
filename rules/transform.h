// Transformation: a unit takes its type's other form where it stands.
#pragma once

class GameState;

// The acting unit becomes its type's other form, sees anew from its hex and, when it was aboard or
// stored, steps out onto the hex. Refused while another unit it can see shares its slot, or when the
// other form names no known type. True when the unit changed.
bool execTransform(GameState& state);
