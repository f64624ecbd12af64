// moveAlongPath: the computer player's entry to command execution.
#include "rules/move_display_path.h"

#include "rules/combat_pair.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/execute_command.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/move_range.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <vector>

namespace {

class PathCut {
public:
    PathCut(GameState& state, int side, int index, const UnitRecord& unit, int code, int target, int extra)
        : m_state(state), m_side(side), m_index(index), m_unit(unit), m_code(code), m_target(target), m_extra(extra),
          m_slot(state.unitSlotFor(unit.type().domain))
    {
    }

    bool slotFree(HexPos hex) const { return !m_state.hexHasOtherUnit(hex.x, hex.y, m_slot, m_side, m_index); }

    // The airborne unit inside a carrier may only step to a neighbour; false drops the command.
    bool dropStep(std::vector<HexPos>& path) const
    {
        const HexPos first = path.front();
        path.clear();
        for (int d = 0; d < kHexDirections; ++d)
            if (m_state.hexNeighbour(m_unit.x, m_unit.y, d) == first) {
                if (!slotFree(first))
                    return false;
                path.push_back(first);
                return true;
            }
        return true;
    }

    void cut(std::vector<HexPos>& path, const ActionRange& range, HexPos dest) const
    {
        const ComputerApproach& approach = rulesContext(m_state).approach;
        if (approach.mode == Approach::StopShort && !path.empty()
            && (!approach.target.valid() || path.back() == approach.target))
            path.pop_back();
        const int allowance = m_unit.movePoints();
        size_t keep = 0;
        for (size_t i = 0; i < path.size(); ++i) {
            const int cost = range.costAt(path[i].x, path[i].y, -1);
            if (cost < 0 || cost > allowance)
                break;
            if (isCandidate(path[i], dest, range, approach))
                keep = i + 1;
        }
        path.resize(keep);
    }

private:
    bool isCandidate(HexPos hex, HexPos dest, const ActionRange& range, const ComputerApproach& approach) const
    {
        if (!slotFree(hex))
            return hex == dest && canEnterOccupied(hex);
        switch (approach.mode) {
        case Approach::AvoidEnemy: {
            const auto* map = dynamic_cast<const MoveRangeMap*>(&range);
            return !map || !map->isNextToEnemy(hex.x, hex.y);
        }
        case Approach::ServiceFriend:
            return !m_state.isNextToServiceableUnit(hex.x, hex.y, m_side, m_index);
        case Approach::TargetTest:
            return !approach.targetTest || !approach.targetTest(m_state, hex.x, hex.y);
        default:
            return true;
        }
    }

    bool canEnterOccupied(HexPos hex) const
    {
        if (m_code == kCommandStore || m_code == kCommandArmamentExchange) {
            const BuildingRecord* building = m_state.buildingOnHex(hex.x, hex.y);
            return building && building->hasFreeSlot();
        }
        if (m_code == kCommandBoard) {
            const UnitRecord* carrier = m_state.unitOf(m_target, m_extra);
            return carrier && unitInPlay(*carrier)
                && canCarryUnit(m_state, *carrier, m_unit.type().carryClass, strengthSlotCount(m_unit), m_side);
        }
        return false;
    }

    GameState& m_state;
    int m_side;
    int m_index;
    const UnitRecord& m_unit;
    int m_code;
    int m_target;
    int m_extra;
    int m_slot;
};

} // namespace

void prepareAttack(GameState& state, int side, int index, HexPos dest, HexPos target, bool moved, int slot)
{
    CombatPair pair {};
    pair.setAttacker(state, side, index, dest.x, dest.y, moved);
    std::vector<UnitRef> units;
    state.collectUnitsInHex(target.x, target.y, units);
    bool set = false;
    for (const UnitRef& ref : units)
        if (!set && ref.table < kSideCount && ref.country != side && !state.isAllied(side, ref.country)) {
            pair.setDefender(state, ref.table, ref.index);
            set = true;
        }
    if (!set)
        pair.setDefender(state, kHexSideCode, packHexIndex(target.x, target.y));
    pair.prepare(state);
    if (slot >= 0 && slot < kWeaponSlotCount)
        pair.side[0].weaponSlot = int16_t(slot);
    pair.computeValues(state);
    currentCombat(state) = pair;
}

void moveAlongPath(GameState& state, int dest_x, int dest_y, int code, int target, int extra)
{
    CurrentAction& action = currentAction(state);
    const int side = action.actingCountry();
    const int index = action.actingIndex();
    const UnitRecord* unit = state.unitOf(side, index);
    ActionRange* range = action.range();
    if (!unit || !unitInPlay(*unit) || !range)
        return;
    std::vector<HexPos> path;
    if (!range->tracePath(dest_x, dest_y, path, -1))
        return;
    const HexPos own { unit->x, unit->y };
    const HexPos dest { dest_x, dest_y };
    PathCut cut(state, side, index, *unit, code, target, extra);
    if (isAirborneInCarrier(state, side, index) && !path.empty()) {
        if (!cut.dropStep(path))
            return;
    } else {
        cut.cut(path, *range, dest);
    }
    if (code == kCommandAttack) {
        const bool moved = !path.empty() && !(path.size() == 1 && path.front() == own);
        prepareAttack(state, side, index, dest, unpackHex(uint32_t(target)), moved, extra);
    }
    // The acting unit is marked only where the viewer may see it.
    if (ViewerView(state).seesUnitAt(side, index, own.x, own.y)) {
        setHexMark(state, own.x, own.y, kMarkActingUnit);
        if (path.empty())
            setHexMark(state, own.x, own.y, kMarkPathEnd);
    }
    if (mapWindowLink().isOpen())
        mapWindowLink().updateHex(own.x, own.y);
    // An in-place command ends on the unit's own hex.
    const HexPos end = path.empty() ? own : path.back();
    if (end != dest)
        code = kCommandNone;
    executeCommand(state, path, dest_x, dest_y, code, target, extra);
}
