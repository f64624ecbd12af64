// Saving and loading a game from the rules engine.
#include "rules/saved_game_rules.h"

#include "rules/fog.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/turn_marks.h"
#include "state/game_state.h"

bool saveGame(GameState& state, const char* path, bool keep_path)
{
    MapWindowLink& map = mapWindowLink();
    HexView view = map.isOpen() ? map.visibleHexRange() : HexView {};
    state.viewPosition() = { uint16_t(view.firstColumn), uint16_t(view.firstRow) };
    return saveGameFile(state, path, keep_path);
}

bool loadGame(GameState& state, const char* path, SavedGameError* why)
{
    if (!loadGameFile(state, path, why))
        return false;
    if (state.ruleSwitch(3) != 1)
        rebuildSightMaps(state);
    resetHexTurnMarks(state);
    return true;
}
