// What the information windows' tests set and expect in the game's own forms: texts in CP932 and
// a unit's state word.
#pragma once

#include "platform/kernel/host.h"
#include "state/unit_record.h"

#include <cstdint>
#include <string>

namespace info_test {

// The CP932 bytes the windows show for a UTF-8 text.
inline std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// A unit's 16-bit state word, kept in two bytes.
inline void setState(UnitRecord& unit, int state)
{
    unit.stateLow = uint8_t(state & 0xFF);
    unit.stateHigh = uint8_t(state >> 8);
}

} // namespace info_test
