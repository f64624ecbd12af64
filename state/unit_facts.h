// Facts about units: their state, strength and experience.
#pragma once

#include "state/unit_record.h"

// 0 free slot, 1 in play, 1000 waiting in the carry-over list.
inline int unitState(const UnitRecord& unit) { return unit.stateLow + 256 * unit.stateHigh; }
inline bool unitExists(const UnitRecord& unit) { return unitState(unit) != 0; }
inline bool unitInPlay(const UnitRecord& unit) { return unitState(unit) == 1; }
