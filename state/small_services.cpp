// Unit-type cost, star ratings and the computer player's strategy names.
#include "state/country_record.h"
#include "state/game_state.h"

#include "platform/kernel/host.h"

#include <algorithm>
#include <string>
#include <vector>

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

namespace {

std::vector<std::string> converted(std::initializer_list<const char*> utf8)
{
    std::vector<std::string> table;
    for (const char* text : utf8)
        table.push_back(platform::utf8ToCp932(text));
    return table;
}

} // namespace

const char* starRatingText(int rating)
{
    static const std::vector<std::string> stars
        = converted({ "☆☆☆☆☆", "★☆☆☆☆", "★★☆☆☆", "★★★☆☆", "★★★★☆", "★★★★★" });
    return stars[size_t(std::clamp(rating, 0, 5))].c_str();
}

const char* computerStrategyName(int i)
{
    static const std::vector<std::string> names = converted({ "侵攻重視", "防御重視", "攻防均衡" });
    return names[size_t(std::clamp(i, 0, computerStrategyCount() - 1))].c_str();
}
