// Small record helpers the carry-over list and its deployment share.
#pragma once

#include "state/unit_record.h"

namespace carry_over {

constexpr uint16_t kNeutralBerth = 0x8000;

inline void setEntryState(UnitRecord& record, int state)
{
    record.stateLow = uint8_t(state & 0xFF);
    record.stateHigh = uint8_t(state >> 8);
}

inline bool hasCargo(const UnitRecord& unit)
{
    for (uint16_t berth : unit.carriedUnits)
        if (berth)
            return true;
    return false;
}

} // namespace carry_over
