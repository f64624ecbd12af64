// Turn order lookups of the TurnBlock, and what a read one may not hold.
#include "state/turn_block.h"

#include <array>

namespace {

// Each of the eight countries once; a repeated country would act twice and the turn never end.
bool isCountryOrder(const uint8_t (&order)[8])
{
    std::array<bool, 8> seen {};
    for (uint8_t c : order) {
        if (c >= seen.size() || seen[c])
            return false;
        seen[c] = true;
    }
    return true;
}

} // namespace

int TurnBlock::placeOf(int country) const
{
    for (int place = 0; place < 8; ++place)
        if (order[place] == country)
            return place;
    return 8;
}

std::string turnBlockFault(const TurnBlock& turn)
{
    if (turn.phase > kPhaseEnd)
        return "turn block: phase " + std::to_string(turn.phase) + " out of range";
    if (turn.currentCountry > kNoSide)
        return "turn block: current side " + std::to_string(turn.currentCountry) + " out of range";
    if (turn.viewingCountry < 0)
        return "turn block: viewing country " + std::to_string(turn.viewingCountry) + " out of range";
    // Before the first turn both orders are still to be made.
    if (turn.turn > 0 && !isCountryOrder(turn.order))
        return "turn block: the turn order is not one of the eight countries";
    if (turn.turn > 0 && !isCountryOrder(turn.nextOrder))
        return "turn block: the next turn's order is not one of the eight countries";
    return {};
}
