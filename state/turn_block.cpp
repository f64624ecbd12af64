// Turn order lookups of the TurnBlock.
#include "state/turn_block.h"

int TurnBlock::placeOf(int country) const
{
    for (int place = 0; place < 8; ++place)
        if (order[place] == country)
            return place;
    return 8;
}
