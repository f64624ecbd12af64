// What the information windows' tests set and expect in the game's own forms: texts in CP932 and
// a unit's state word.
#pragma once

#include "tests/lib/window_test_support.h"
#include "state/unit_record.h"

#include <cstdint>
#include <string>

namespace info_test {

using testing_lib::cp;

// A unit's 16-bit state word, kept in two bytes.
inline void setState(UnitRecord& unit, int state)
{
    unit.stateLow = uint8_t(state & 0xFF);
    unit.stateHigh = uint8_t(state >> 8);
}

} // namespace info_test
