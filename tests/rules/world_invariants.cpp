// The world consistency check shared by the command tests and the soak.
#include "tests/rules/world_invariants.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <cstdio>
#include <map>
#include <tuple>

namespace testing_rules {

namespace {

constexpr int kSlots = 6;

struct Checker {
    const GameState& state;
    std::vector<std::string> faults;
    // Where each unit (side, index) is listed on the map: hex and slot.
    std::map<std::pair<int, int>, std::vector<std::tuple<int, int, int>>> listed;

    void fault(const char* what, int side, int index, int a = -1, int b = -1)
    {
        char line[160];
        std::snprintf(line, sizeof line, "%s: unit %d/%d (%d, %d)", what, side, index, a, b);
        faults.emplace_back(line);
    }

    const UnitRecord* live(int side, int index) const
    {
        const UnitRecord* u = index >= 0 && uint32_t(index) < state.unitCount(side) ? state.unitOf(side, index) : nullptr;
        return u && unitInPlay(*u) ? u : nullptr;
    }

    void scanCells()
    {
        for (int y = 0; y < state.mapHeight(); ++y)
            for (int x = 0; x < state.mapWidth(); ++x) {
                const UnitCell& cell = *state.unitCellAt(x, y);
                for (int slot = 0; slot < kSlots; ++slot) {
                    const int word = cell.lowerSide[slot];
                    if (word == 0 || word >= 100)
                        continue;
                    const int side = word - 1;
                    const int index = cell.lowerUnit[slot];
                    listed[{ side, index }].emplace_back(x, y, slot);
                    const UnitRecord* u = side < kSideCount ? live(side, index) : nullptr;
                    if (!u)
                        fault("hex slot names no live unit", side, index, x, y);
                    else if (u->x != x || u->y != y)
                        fault("hex slot away from the unit's hex", side, index, x, y);
                    else if (!u->isOnOwnHex())
                        fault("hex slot names a unit aboard, stored or off the map", side, index, x, y);
                    else if (state.unitSlotFor(u->type().domain) != slot)
                        fault("hex slot is not the unit's domain slot", side, index, slot);
                }
            }
    }

    void checkBerths(int side, int index, const UnitRecord& carrier)
    {
        bool loaded = false;
        for (int slot = 0; slot < kBerthCount; ++slot) {
            int cargo_side = side;
            const int plus1 = carrier.carriedUnitAt(slot, cargo_side);
            if (plus1 <= 0)
                continue;
            loaded = true;
            const UnitRecord* cargo = live(cargo_side, plus1 - 1);
            if (!cargo || !cargo->hasFlag(kUnitAboard))
                fault("berth names no unit aboard", side, index, cargo_side, plus1 - 1);
            else if (cargo->carrierSide != side + 1 || cargo->carrierIndex != index + 1)
                fault("berth names a unit of another carrier", side, index, cargo_side, plus1 - 1);
        }
        if (loaded != carrier.hasFlag(kUnitCarrying))
            fault("cargo flag disagrees with the berths", side, index, loaded);
    }

    void checkAboard(int side, int index, const UnitRecord& u)
    {
        const UnitRecord* carrier = u.carrierSide > 0 ? live(u.carrierSide - 1, u.carrierIndex - 1) : nullptr;
        if (!carrier) {
            fault("aboard a carrier that is not in play", side, index, u.carrierSide - 1, u.carrierIndex - 1);
            return;
        }
        if (carrier->x != u.x || carrier->y != u.y)
            fault("aboard away from the carrier's hex", side, index, u.x, u.y);
        bool berthed = false;
        for (int slot = 0; slot < kBerthCount; ++slot) {
            int cargo_side = u.carrierSide - 1;
            berthed = berthed || (carrier->carriedUnitAt(slot, cargo_side) == index + 1 && cargo_side == side);
        }
        if (!berthed)
            fault("aboard but in no berth of its carrier", side, index);
    }

    void checkStored(int side, int index, const UnitRecord& u)
    {
        const UnitCell* cell = state.unitCellAt(u.x, u.y);
        const BuildingRecord* b = cell && cell->building > 0 && cell->building <= state.buildingCount()
            ? &state.buildingAt(cell->building - 1u) : nullptr;
        bool held = false;
        for (int slot = 0; b && slot < 6; ++slot)
            held = held || (b->slots[slot].sidePlusOne == side + 1 && b->slots[slot].unitIndex == index);
        if (!held)
            fault("stored but held by no building of its hex", side, index, u.x, u.y);
    }

    void checkUnit(int side, int index)
    {
        const UnitRecord& u = *state.unitOf(side, index);
        if (unitState(u) == 0) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(&u);
            for (size_t i = 0; i < sizeof u; ++i)
                if (bytes[i]) {
                    fault("free record not cleared", side, index, int(i), bytes[i]);
                    break;
                }
            if (listed.count({ side, index }))
                fault("free record still listed on the map", side, index);
            return;
        }
        if (!unitInPlay(u) || u.hasFlag(kUnitAwaitingProduction))
            return;
        const auto it = listed.find({ side, index });
        const size_t times = it == listed.end() ? 0 : it->second.size();
        if (u.hasFlag(kUnitCarrying))
            checkBerths(side, index, u);
        if (u.isOnOwnHex()) {
            if (!state.isOnMap(u.x, u.y))
                fault("on a hex off the map", side, index, u.x, u.y);
            else if (times != 1)
                fault("on its hex but listed that many times", side, index, int(times));
            if (strengthTotal(u) == 0)
                fault("on the map without strength", side, index);
            return;
        }
        if (u.hasFlag(kUnitAboard))
            checkAboard(side, index, u);
        else if (u.hasFlag(kUnitStored))
            checkStored(side, index, u);
    }

    void checkBuildings()
    {
        for (size_t b = 0; b < state.buildingCount(); ++b)
            for (const BuildingSlot& slot : state.buildingAt(b).slots) {
                if (!slot.sidePlusOne)
                    continue;
                const UnitRecord* u = slot.sidePlusOne <= kSideCount ? live(slot.sidePlusOne - 1, slot.unitIndex) : nullptr;
                if (!u || !u->hasFlag(kUnitStored))
                    fault("building slot names no stored unit", slot.sidePlusOne - 1, slot.unitIndex, int(b));
                else if (u->x != state.buildingAt(b).x || u->y != state.buildingAt(b).y)
                    fault("building slot names a unit elsewhere", slot.sidePlusOne - 1, slot.unitIndex, int(b));
            }
    }
};

} // namespace

std::vector<std::string> worldInvariantFaults(const GameState& state)
{
    Checker checker { state, {}, {} };
    checker.scanCells();
    for (int side = 0; side < kSideCount; ++side)
        for (uint32_t i = 0; i < state.unitCount(side); ++i)
            checker.checkUnit(side, int(i));
    checker.checkBuildings();
    return checker.faults;
}

} // namespace testing_rules
