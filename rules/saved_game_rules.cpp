// Saving and loading a game from the rules engine.
#include "rules/saved_game_rules.h"

#include "rules/fog.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/turn_marks.h"
#include "state/game_state.h"

namespace {

// The file holds the sight of the countries in play only; the neutral side and absent countries
// are seen anew after every action, so laying their sight from their buildings and units now gives
// what the unsaved game holds.
void layUnsavedSight(GameState& state)
{
    auto saved = [&](int side) { return side < kCountryCount && state.country(side).controller != 0; };
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const int owner = state.buildingAt(i).owner();
        if (owner >= 0 && owner < kSideCount && !saved(owner))
            addBuildingSight(state, int(i));
    }
    for (int side = 0; side < kSideCount; ++side)
        if (!saved(side))
            addSideUnitSight(state, side);
}

} // namespace

SaveResult saveGame(GameState& state, const char* path, bool keep_path)
{
    MapWindowLink& map = mapWindowLink();
    const SavedView before = state.savedView();
    state.savedView() = {};
    if (map.isOpen()) {
        const HexView view = map.visibleHexRange();
        state.savedView() = { uint16_t(view.firstColumn), uint16_t(view.firstRow), uint16_t(map.zoom() + 1),
            int16_t(view.offsetX), int16_t(view.offsetY) };
    }
    SaveResult result = saveGameFile(state, path, keep_path);
    if (!result)
        state.savedView() = before;
    else
        state.markSaved();
    return result;
}

bool loadGame(GameState& state, const char* path, FileRefusal* why)
{
    StagedSave staged;
    FileRefusal refusal = stageSavedGame(state, path, staged);
    if (why)
        *why = refusal;
    return !refusal && resumeStagedGame(state, staged);
}

bool resumeStagedGame(GameState& state, const StagedSave& staged)
{
    if (!applyStagedSave(state, staged))
        return false;
    if (!state.ruleOn(kRuleSearch))
        rebuildSightMaps(state);
    else
        layUnsavedSight(state);
    resetHexTurnMarks(state);
    return true;
}
