// The move display: which walked hexes the viewing country sees, and their paced playback.
#include "rules/move_display.h"
#include "rules/shared_codes.h"

#include "lib/thread.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kStepMilliseconds = 20;

// The acting unit's table: its missiles' in the missile phase.
int actingCode(GameState& state)
{
    const int side = currentAction(state).actingCountry();
    return state.turnBlock().phase == kMissilePhase ? side + 100 : side;
}

bool seenAt(GameState& state, HexPos hex)
{
    return ViewerView(state).seesUnitAt(actingCode(state), currentAction(state).actingIndex(), hex.x, hex.y);
}

bool seenWhereItStands(GameState& state)
{
    const UnitRecord* unit = state.unitOf(actingCode(state), currentAction(state).actingIndex());
    return unit && seenAt(state, { unit->x, unit->y });
}

void playMoveSound(GameState& state, int slot)
{
    MainWindowLink& main = mainWindowLink();
    if (state.settings().playSe && !main.isSoundPlaying(slot))
        main.playSound(slot);
}

void redraw(int x, int y)
{
    MapWindowLink& map = mapWindowLink();
    if (map.isOpen())
        map.updateHex(x, y);
}

// Draws the kept hexes one after the other; the mark stays on the last one.
void playMoveSteps(GameState& state, const std::vector<HexPos>& kept, int sound, MoveDisplay mode)
{
    const uint16_t mark = state.turnBlock().phase == kMissilePhase ? 128 : kMarkPathEnd;
    const int slot = sound_slot::kMoveBase + sound;
    const size_t first = mode == MoveDisplay::EveryHex ? 1 : 0;
    if (kept.size() <= first)
        playMoveSound(state, slot);
    const bool shown = mapWindowLink().isOpen();
    for (size_t i = first; i < kept.size(); ++i) {
        if (i == first)
            playMoveSound(state, slot);
        const uint64_t begin = threadClockMilliseconds();
        const HexPos previous = i == 0 ? kept[0] : kept[i - 1];
        clearHexMark(state, previous.x, previous.y, mark);
        redraw(previous.x, previous.y);
        setHexMark(state, kept[i].x, kept[i].y, mark);
        redraw(kept[i].x, kept[i].y);
        // The pace exists only for the eye: headless the walk costs no time.
        if (!shown)
            continue;
        const uint64_t spent = threadClockMilliseconds() - begin;
        if (spent < uint64_t(kStepMilliseconds))
            threadPause(uint32_t(kStepMilliseconds - spent));
    }
}

} // namespace

int moveSoundNumber(const UnitTypeRecord& type)
{
    switch (type.domain) {
    case 4:
        return 6;
    case 5:
        return 7;
    default:
        break;
    }
    switch (movementGroup(type.movementType)) {
    case 0:
        return unitTypeGroup(type) == 2 ? 5 : unitTypeGroup(type) == 1 ? 4 : 3;
    case 1:
        return 1;
    case 2:
        return 2;
    case 4:
    case 5:
        return 6;
    default:
        return 0;
    }
}

std::vector<HexPos> movesToShow(GameState& state, const std::vector<HexPos>& walked, MoveDisplay mode)
{
    std::vector<HexPos> kept;
    const MapBitSet* redraw_set = state.redrawSet();
    int visible_before = 0;
    for (size_t i = 0; i < walked.size(); ++i) {
        const HexPos hex = walked[i];
        if (!seenAt(state, hex))
            continue;
        const bool last = i + 1 == walked.size();
        bool keep = last;
        switch (mode) {
        case MoveDisplay::EveryHex:
            keep = true;
            break;
        case MoveDisplay::EverySecondHex:
            keep = keep || visible_before % 2 == 1 || (redraw_set && redraw_set->test(hex.x, hex.y));
            break;
        case MoveDisplay::FirstHex:
            keep = keep || i == 0;
            break;
        }
        visible_before += 1;
        if (keep)
            kept.push_back(hex);
    }
    return kept;
}

void animateMove(GameState& state, const std::vector<HexPos>& walked, int sound, int code)
{
    MoveDisplay mode = MoveDisplay(std::clamp(state.settings().troopMoveAnim, 0, 2));
    if (code == kCommandRoad)
        mode = MoveDisplay::EveryHex;
    const std::vector<HexPos> kept = movesToShow(state, walked, mode);
    // A walk the viewer sees no step of is not heard either, nor a unit it cannot see staying put.
    if (kept.empty() && !(walked.empty() && seenWhereItStands(state)))
        return;
    playMoveSteps(state, kept, sound, mode);
}

void showMoveEnded(GameState& state, HexPos start, HexPos end)
{
    std::vector<HexPos> hexes { start, end };
    for (const HexPos& hex : takeHexesWithMark(state, kMarkPath | kMarkPathEnd))
        hexes.push_back(hex);
    for (const HexPos& hex : hexes)
        if (state.isOnMap(hex.x, hex.y))
            redraw(hex.x, hex.y);
}
