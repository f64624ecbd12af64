// Choosing and keeping a computer country's target.
#include "ai/target_country.h"

#include "rules/home_distance.h"
#include "state/game_state.h"

#include <vector>

bool isLiveEnemy(GameState& state, int country, int other)
{
    return other != country && state.countryTakesPart(other) && state.isEnemy(country, other);
}

int chooseTargetCountry(GameState& state, int country)
{
    if (country < 0 || country >= kCountryCount)
        return kNoTargetCountry;
    CountryRecord& record = state.country(country);
    if (isLiveEnemy(state, country, record.targetCountry))
        return record.targetCountry;

    const HexPos home = sideHomeHex(state, country);
    std::vector<int> nearest;
    int best = 0;
    for (int c = 0; c < kCountryCount; ++c) {
        if (!isLiveEnemy(state, country, c))
            continue;
        const HexPos theirs = sideHomeHex(state, c);
        // A country without a capital on the map is as far as can be.
        const int d = home.valid() && theirs.valid() ? hexDistance(home, theirs) : 0xFFFF;
        if (nearest.empty() || d < best) {
            nearest.assign(1, c);
            best = d;
        } else if (d == best) {
            nearest.push_back(c);
        }
    }
    int chosen = kNoTargetCountry;
    if (!nearest.empty())
        chosen = nearest[size_t(nearest.size() > 1 ? state.random(0, int(nearest.size()) - 1) : 0)];
    record.targetCountry = uint16_t(chosen);
    return chosen;
}
