// The merge and split executors of the acting unit.
#include "rules/merge_split.h"

#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/dialog_link.h"
#include "rules/engineering_steps.h"
#include "rules/interception.h"
#include "rules/links.h"
#include "rules/merge_split_steps.h"
#include "rules/move_checks.h"
#include "rules/play_handshake.h"
#include "rules/rules_context.h"
#include "rules/unit_numbers.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSplitCode = 10;
constexpr uint16_t kPlaceFlags = kUnitAboard | kUnitCarrying | kUnitStored | kUnitOffMap;

// The side's unit standing in the mover's slot of (x, y); -1 when there is none.
int partnerAt(const GameState& state, int x, int y, int side, const UnitRecord& mover)
{
    UnitRef ref {};
    if (!state.unitRefInHex(x, y, state.unitSlotFor(mover.type().domain), ref) || ref.table != side)
        return -1;
    const UnitRecord* unit = state.unitOf(ref.table, ref.index);
    return unit && unitInPlay(*unit) ? int(ref.index) : -1;
}

int weighted(int giver, int k, int receiver, int n) { return (giver * k + receiver * n) / (n + k); }

// A new record for the split-off part: a free one of the side, else one appended to the table.
int newUnitIndex(GameState& state, int side)
{
    const int free_index = freeUnitSlot(state, side);
    if (free_index >= 0)
        return free_index;
    const int count = int(state.unitCount(side));
    if (count >= kUnitTableSize)
        return -1;
    state.setUnitCount(side, uint32_t(count + 1));
    return count;
}

// The ambusher found at the split-off part's hex fires first.
void ambushSplitOff(GameState& state, int side, int index)
{
    const CommandFields& command = state.command();
    UnitRecord* ambusher = state.unitOf(int(command.ambusherSide), int(command.ambusherIndex));
    if (!command.ambushOnSplitOff || !ambusher || !unitInPlay(*ambusher))
        return;
    CombatPair& pair = currentCombat(state);
    pair = CombatPair {};
    pair.setAttacker(state, int(command.ambusherSide), int(command.ambusherIndex), ambusher->x, ambusher->y, false);
    pair.setDefender(state, side, index);
    pair.prepare(state);
    pair.side[1].weaponSlot = -1;
    pair.computeValues(state);
    if (ViewerView(state).toldOf(side))
        dialogLink().showEventNotice(kAmbushNotice, side, index);
    const UnitRecord& unit = *state.unitOf(side, index);
    const int domain = unit.type().domain;
    const int x = unit.x;
    const int y = unit.y;
    resolveCombat(state);
    const UnitRecord* after = state.unitOf(side, index);
    if (!after || !unitExists(*after) || strengthTotal(*after) == 0)
        if (TerrainCell* cell = state.terrainCellAt(x, y); cell && domain < kDomainCount)
            cell->turnMarks[1] = uint8_t(cell->turnMarks[1] | 1u << domain);
}

bool hasMembers(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit && unitExists(*unit) && strengthTotal(*unit) > 0;
}

} // namespace

bool execMerge(GameState& state, int x, int y, int total, const MoveFuel& fuel)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return false;
    UnitRecord& a = *actor.unit;
    const int partner = partnerAt(state, x, y, actor.side, a);
    UnitRecord* b = partner >= 0 && partner != actor.index ? state.unitOf(actor.side, partner) : nullptr;
    std::vector<int> given = filledCounters(a);
    std::vector<int> kept = b ? filledCounters(*b) : std::vector<int> {};
    const int n = int(kept.size());
    // Only counters both units hold move: never empty ones, never past the receiver's type.
    const int room = std::min<int>(a.type().members, 10) - n;
    const int k = std::min({ total - n, int(given.size()), room });
    if (!b || k <= 0) {
        state.historyLog().recordMerge(actor.side, actor.index, -1);
        return false;
    }

    kept.insert(kept.end(), given.begin(), given.begin() + k);
    given.erase(given.begin(), given.begin() + k);
    storeCounters(*b, kept);
    storeCounters(a, given);

    const int e = entryFuelCost(state, a, x, y, fuel);
    const int old_experience = b->experience;
    b->fuel = uint16_t((b->fuel * n + std::max(0, (a.fuel - e) * k)) / (n + k));
    b->experience = uint16_t(weighted(a.experience, k, b->experience, n));
    b->fatigue = uint16_t(weighted(a.fatigue, k, b->fatigue, n));
    const UnitTypeModel& model = a.type().model[a.modelIndex()];
    for (int slot = 0; slot < kWeaponSlotCount; ++slot)
        if (model.ammo[slot])
            b->ammunition[slot] = uint8_t(weighted(a.ammunition[slot], k, b->ammunition[slot], n));
    b->memberLimit = uint8_t(std::max<int>(b->memberLimit, int(kept.size())));
    a.memberLimit = uint8_t(given.size());
    announceRankChange(state, actor.side, partner, x, y, old_experience, b->experience, ReportWait::No);
    state.historyLog().recordMerge(actor.side, partner, int(given.size()));

    // The counters that moved on meet the mine of the partner's hex.
    detonateMineAt(state, x, y, actor.side, partner);
    breakPactOnEntry(state, actor.side, a.x, a.y, x, y);
    if (UnitRecord* receiver = state.unitOf(actor.side, partner); receiver && unitExists(*receiver) && strengthTotal(*receiver) == 0)
        settleUnit(state, actor.side, partner);
    settleUnit(state, actor.side, actor.index);
    return true;
}

int execSplit(GameState& state, int x, int y, int counters, const MoveFuel& fuel)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return -1;
    UnitRecord& a = *actor.unit;
    const int side = actor.side;
    std::vector<int> held = filledCounters(a);
    UnitRef occupant {};
    const int slot = state.unitSlotFor(a.type().domain);
    // A split leaves something behind and never lands on a unit already in the slot.
    const bool fits = counters >= 1 && counters < int(held.size()) && state.isOnMap(x, y)
        && !state.unitRefInHex(x, y, slot, occupant);
    const int troop = fits ? nextTroopNumber(state, side) : -1;
    const int index = troop > 0 ? newUnitIndex(state, side) : -1;
    if (index < 0) {
        state.historyLog().recordSplit(side, actor.index, -1);
        return -1;
    }

    UnitRecord& b = *state.unitOf(side, index);
    std::memcpy(static_cast<void*>(&b), &a, sizeof b);
    // The copy carries none of the original's cargo or berth.
    b.flags = uint16_t(b.flags & ~kPlaceFlags);
    for (uint16_t& carried : b.carriedUnits)
        carried = 0;
    b.carrierIndex = 0;
    b.carrierSide = 0;
    b.troopNumber = uint16_t(troop);
    storeCounters(b, std::vector<int>(held.begin(), held.begin() + counters));
    storeCounters(a, std::vector<int>(held.begin() + counters, held.end()));
    b.x = uint8_t(x);
    b.y = uint8_t(y);
    b.fuel = uint16_t(std::max(0, a.fuel - entryFuelCost(state, a, x, y, fuel)));
    b.memberLimit = uint8_t(counters);
    a.memberLimit = uint8_t(held.size() - size_t(counters));
    state.setUnitRefInHex(x, y, slot, side + 1, index);
    state.historyLog().recordSplit(side, index, int(a.memberLimit));

    detonateMineAt(state, x, y, side, index);
    if (state.ruleOn(kRuleInterception) && hasMembers(state, side, index)
        && isExposedToEnemyFire(state, x, y, side, index)) {
        std::vector<uint32_t> list;
        if (findInterceptors(state, index, list))
            resolveInterceptions(state, side, index, kSplitCode, list);
    }
    if (hasMembers(state, side, index))
        ambushSplitOff(state, side, index);
    breakPactOnEntry(state, side, a.x, a.y, x, y);
    return settleUnit(state, side, index) ? index : -1;
}
