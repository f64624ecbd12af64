// executeCommand: the hex-by-hex walk of an order, pact breaks, mines, interception, zones of
// control and the ambush check, then the post-move step.
#include "rules/execute_command.h"

#include "rules/alliances.h"
#include "rules/ambush.h"
#include "rules/command_dispatch.h"
#include "rules/commands.h"
#include "rules/dialog_link.h"
#include "rules/engineering.h"
#include "rules/finish_command.h"
#include "rules/fog.h"
#include "rules/fog_scans.h"
#include "rules/interception.h"
#include "rules/links.h"
#include "rules/mines.h"
#include "rules/move_checks.h"
#include "rules/move_display.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/application_link.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <utility>

namespace {


class Walk {
public:
    Walk(GameState& state, int side, int index, const UnitRecord& unit)
        : m_state(state), m_side(side), m_index(index), m_slot(state.unitSlotFor(unit.type().domain))
    {
        start = { unit.x, unit.y };
        lastFree = start;
        walked.push_back(start);
    }

    // Steps along the path until it ends or something stops the unit.
    void run(const std::vector<HexPos>& path, int code)
    {
        HexPos previous = start;
        for (const HexPos& hex : path) {
            walked.push_back(hex);
            if (hex != previous)
                checkBorder(previous, hex);
            previous = hex;
            if (!m_state.hexHasOtherUnit(hex.x, hex.y, m_slot, m_side, m_index))
                lastFree = hex, occupiedRun = 0;
            else
                occupiedRun += 1;
            if (!survivesHazards(hex, code)) {
                endedEarly = true;
                return;
            }
            taken += 1;
            if (!isFreeOfEnemyZoc(m_state, hex.x, hex.y)) {
                if (occupiedRun == 1)
                    revealHex = hex;
                endedEarly = true;
                return;
            }
        }
    }

    // Mines and interceptors on the way: false when the unit did not survive them.
    bool survivesHazards(HexPos hex, int code)
    {
        UnitRecord& unit = *m_state.unitOf(m_side, m_index);
        if (hexHasMineFor(m_state, hex.x, hex.y, m_side, m_index)) {
            standOnLastFree(unit);
            animateMove(m_state, walked, moveSoundNumber(unit.type()), code);
            const TerrainCell* cell = m_state.terrainCellAt(hex.x, hex.y);
            if (ViewerView(m_state).toldOf(m_side))
                dialogLink().showEventNotice(cell->mineKind == kLandMineKind ? kLandMineNotice : kSeaMineNotice, m_side, m_index);
            walked.assign(1, hex);
            detonateMine(m_state, hex.x, hex.y, m_side, m_index, kMineMaxHits);
            if (isGone(unit))
                return false;
            markRedraw(hex);
        }
        if (m_state.ruleOn(kRuleInterception) && isExposedToEnemyFire(m_state, hex.x, hex.y, m_side, m_index)) {
            standOnLastFree(unit);
            std::vector<uint32_t> interceptors;
            if (findInterceptors(m_state, m_index, interceptors)) {
                animateMove(m_state, walked, moveSoundNumber(unit.type()), code);
                walked.assign(1, hex);
                resolveInterceptions(m_state, m_side, m_index, code, interceptors);
            }
            if (isGone(unit)) {
                CommandFields& f = m_state.command();
                f.moveStopped = 1;
                f.stopHexX = uint32_t(hex.x);
                f.stopHexY = uint32_t(hex.y);
                taken += 1;
                return false;
            }
            markRedraw(hex);
        }
        return true;
    }

    static bool isGone(const UnitRecord& unit)
    {
        return !unitInPlay(unit) || unit.hasFlag(kUnitAwaitingProduction) || strengthTotal(unit) == 0;
    }

    void standOnLastFree(UnitRecord& unit)
    {
        unit.x = uint8_t(lastFree.x);
        unit.y = uint8_t(lastFree.y);
    }

    void markRedraw(HexPos hex)
    {
        if (MapBitSet* redraw = m_state.redrawSet())
            redraw->set(hex.x, hex.y);
    }

    void checkBorder(HexPos from, HexPos to)
    {
        const int owner = pactEndedByStep(m_state, m_side, from, to);
        if (owner < 0)
            return;
        breakNonAggressionPact(m_state, owner, m_side);
        pactBreaks.emplace_back(m_side, owner);
    }

    HexPos start;
    HexPos lastFree;
    HexPos revealHex = kNoHex;
    int occupiedRun = 0;
    int taken = 0;
    bool endedEarly = false;
    std::vector<HexPos> walked;
    std::vector<std::pair<int, int>> pactBreaks;

private:
    GameState& m_state;
    int m_side;
    int m_index;
    int m_slot;
};

void resetCommandFields(GameState& state)
{
    CommandFields& f = state.command();
    f.weaponChoiceShown = 0;
    f.chosenWeaponSlot = -1;
    f.roadBuilt = 0;
    // A stop or ambush of an earlier command must not keep this one from acting.
    f.moveStopped = 0;
    f.ambushPending = 0;
    f.ambushOnSplitOff = 0;
    f.rankChanged = 0;
}

void clearFromHex(GameState& state, HexPos hex, int slot, int side, int index)
{
    if (state.isUnitInHexDomain(hex.x, hex.y, slot, side, index))
        state.setUnitRefInHex(hex.x, hex.y, slot, 0, 0);
}

// A stop inside an occupied hex shows the moving side what stands there, in every sight layer.
void revealAt(GameState& state, int side, HexPos hex)
{
    if (FogMap* fog = state.fogMap())
        for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
            markSightArea(state, *fog, side, hex.x, hex.y, 0, layer);
}

void layRoadAlong(GameState& state, const std::vector<HexPos>& path, HexPos start, int taken)
{
    HexPos previous = start;
    for (int i = 0; i < taken; ++i) {
        if (layRoadLink(state, previous, path[size_t(i)]))
            state.command().roadBuilt = 1;
        previous = path[size_t(i)];
    }
}

} // namespace

void executeCommand(GameState& state, const std::vector<HexPos>& path, int dest_x, int dest_y, int code, int target,
    int extra)
{
    CurrentAction& action = currentAction(state);
    const int side = action.actingCountry();
    const int index = action.actingIndex();
    UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitInPlay(*unit))
        return;
    state.notePlay();
    resetCommandFields(state);
    const int slot = state.unitSlotFor(unit->type().domain);
    if (isInPlaceCommand(code, path.empty())) {
        runInPlaceExecutor(state, code, target, extra);
        if (code == kCommandArmamentExchange && unitInPlay(*unit) && !unit->isOnOwnHex())
            clearFromHex(state, { unit->x, unit->y }, slot, side, index);
        return;
    }

    Walk walk(state, side, index, *unit);
    const HexPos dest { dest_x, dest_y };
    if (path.empty()) {
        const bool on_named_carrier = code == kCommandBoard && unit->hasFlag(kUnitAboard)
            && unit->carrierSide == target + 1 && unit->carrierIndex == extra + 1;
        if (!unit->isOnOwnHex() && !on_named_carrier)
            walk.survivesHazards(walk.start, code);
    } else {
        walk.run(path, code);
    }

    HexPos end = walk.lastFree;
    if (!walk.endedEarly && (code == kCommandStore || code == kCommandBoard || code == kCommandArmamentExchange)) {
        end = dest;
    } else if (walk.occupiedRun > 0) {
        if (!walk.endedEarly)
            walk.taken -= walk.occupiedRun;
        const size_t keep = walk.walked.size() > size_t(walk.occupiedRun) ? walk.walked.size() - size_t(walk.occupiedRun) : 1;
        walk.walked.resize(keep);
    }

    if (unitExists(*unit))
        animateMove(state, walk.walked, moveSoundNumber(unit->type()), code);

    if (unitExists(*unit)) {
        unit->x = uint8_t(walk.start.x);
        unit->y = uint8_t(walk.start.y);
    }
    if (unitExists(*unit) && unit->strengthTenths() > 0) {
        checkAmbush(state, end.x, end.y);
        CommandFields& f = state.command();
        if (code == kCommandSplit && !f.ambushPending) {
            const HexPos split = unpackHex(uint32_t(target));
            checkAmbush(state, split.x, split.y);
            if (f.ambushPending)
                f.ambushOnSplitOff = 1, f.ambushPending = 0;
        }
    }
    clearFromHex(state, walk.start, slot, side, index);

    int path_cost = 0;
    if (unitExists(*unit) && (end != walk.start || walk.taken > 0)) {
        const int move_type = unit->type().movementType;
        for (int i = 0; i < walk.taken && i < int(path.size()); ++i) {
            const HexPos hex = path[size_t(i)];
            addUnitSight(state, hex.x, hex.y, side, index);
            path_cost += state.terrainValueAt(hex.x, hex.y, move_type);
        }
        if (code == kCommandRoad) {
            layRoadAlong(state, path, walk.start, std::min(walk.taken, int(path.size())));
            if (state.command().roadBuilt) {
                finishRoadWork(state);
                const HexPos last = path[size_t(std::max(0, std::min(walk.taken, int(path.size())) - 1))];
                state.historyLog().recordRoadBuilt(side, index, last.x, last.y);
            }
        }
    }
    if (walk.revealHex.valid())
        revealAt(state, side, walk.revealHex);

    if (unitExists(*unit)) {
        unit->x = uint8_t(end.x);
        unit->y = uint8_t(end.y);
    }
    finishCommand(state, walk.start, dest, code, target, extra, path_cost);

    for (const auto& [mover, owner] : walk.pactBreaks) {
        if (!ViewerView(state).knowsPactBreak(mover, owner))
            continue;
        dialogLink().showEventNotice(kPactTerritoryEntryNotice, mover, owner);
        applicationLink().raiseMainWindow();
    }
}
