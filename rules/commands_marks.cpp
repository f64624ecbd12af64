// The highlighted unit and the candidate-hex list.
#include "rules/commands_marks.h"

#include "rules/current_action_marks.h"
#include "state/game_state.h"

void setHighlightedUnit(GameState& state, int x, int y, int side, int index)
{
    setHexMark(state, x, y, kMarkHighlighted);
    state.highlightedUnit()[0] = uint32_t(side);
    state.highlightedUnit()[1] = uint32_t(index);
}

void clearHexList(GameState& state) { state.hexList().clear(); }

void addHexListEntry(GameState& state, int x, int y)
{
    state.hexList().push_back(uint32_t(x & 0xFFFF) | uint32_t(y & 0xFFFF) << 16);
}

bool hexListEntry(GameState& state, int i, int& x, int& y)
{
    const std::vector<uint32_t>& list = state.hexList();
    if (i < 0 || size_t(i) >= list.size())
        return false;
    x = int(list[size_t(i)] & 0xFFFF);
    y = int(list[size_t(i)] >> 16);
    return true;
}
