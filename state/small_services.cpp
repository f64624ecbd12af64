// The price of a unit type's members for a country.
#include "state/country_record.h"
#include "state/game_state.h"

#include <algorithm>

uint32_t unitTypeCost(const UnitTypeRecord& type, const CountryRecord& country, uint32_t count, uint32_t full_count)
{
    // 64 bits: members x rate x price overflows 32 bits for dear types.
    uint64_t base = uint64_t(type.members) * country.marketRate * type.memberPrice / 100;
    if (base < 1)
        base = 1;
    uint64_t d = full_count ? full_count : 1;
    uint64_t cost = base * std::min<uint64_t>(d, count) / d;
    if (cost < 1)
        cost = 1;
    return uint32_t(std::min<uint64_t>(cost, UINT32_MAX));
}
