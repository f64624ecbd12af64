// Pacts and the neutral alliance broken by attacks and occupations.
#include "rules/alliances.h"

#include "state/game_state.h"

namespace {

bool isCountry(int side) { return side >= 0 && side < kCountryCount; }

} // namespace

void breakNonAggressionPact(GameState& state, int a, int b)
{
    if (!isCountry(a) || !isCountry(b))
        return;
    state.country(a).pactMask &= uint8_t(~(1u << b));
    state.country(b).pactMask &= uint8_t(~(1u << a));
}

void leaveNeutralAlliance(GameState& state, int side)
{
    if (isCountry(side))
        state.neutralBlock()[0] &= uint8_t(~(1u << side));
}
