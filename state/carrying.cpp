// Carrying: the berths a carrier's cargo takes and whether another unit still fits.
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <array>

namespace {

constexpr int kCarriedSlots = 8;
constexpr uint16_t kNeutralCargo = 0x8000;
constexpr uint16_t kCarriesCargo = 4;

} // namespace

bool canCarryUnit(const GameState& state, const UnitRecord& carrier, int carry_mask, int members, int country)
{
    const UnitTypeRecord* type = state.unitTypeOf(carrier);
    if (!type)
        return false;
    std::array<bool, kBerthCount> taken {};
    for (int i = 0; i < kCarriedSlots; ++i) {
        int side = country;
        const int plus1 = carrier.carriedUnitAt(i, side);
        const UnitRecord* cargo = plus1 ? state.unitOf(side, plus1 - 1) : nullptr;
        const UnitTypeRecord* cargo_type = cargo ? state.unitTypeOf(*cargo) : nullptr;
        if (!cargo_type)
            continue;
        int need = strengthSlotCount(*cargo);
        // The tightest berth that suits it: smallest mask, then smallest size.
        int best = -1;
        for (int b = 0; b < kBerthCount; ++b) {
            if (taken[size_t(b)] || !(type->berthMask[b] & cargo_type->carryClass) || type->berthCount[b] < need)
                continue;
            if (best < 0 || type->berthMask[b] < type->berthMask[best]
                || (type->berthMask[b] == type->berthMask[best] && type->berthCount[b] < type->berthCount[best]))
                best = b;
        }
        if (best >= 0)
            taken[size_t(best)] = true;
    }
    for (int b = 0; b < kBerthCount; ++b)
        if (!taken[size_t(b)] && (type->berthMask[b] & carry_mask) && type->berthCount[b] >= members)
            return true;
    return false;
}

bool takeAboard(GameState& state, UnitRecord& carrier, int carrier_country, int country, int index)
{
    const UnitRecord* unit = state.unitOf(country, index);
    const UnitTypeRecord* type = unit ? state.unitTypeOf(*unit) : nullptr;
    if (!type || !canCarryUnit(state, carrier, type->carryClass, strengthSlotCount(*unit), carrier_country))
        return false;
    for (uint16_t& slot : carrier.carriedUnits) {
        if (slot & 0x7FFF)
            continue;
        slot = uint16_t(index + 1) | (country == 8 ? kNeutralCargo : 0);
        carrier.flags |= kCarriesCargo;
        return true;
    }
    return false;
}

bool carriesNeutralUnit(const UnitRecord& carrier)
{
    for (uint16_t slot : carrier.carriedUnits)
        if ((slot & 0x7FFF) && (slot & kNeutralCargo))
            return true;
    return false;
}

int findCarriedOfClass(const GameState& state, const UnitRecord& carrier, int country, int unit_class)
{
    for (int i = 0; i < kCarriedSlots; ++i) {
        int side = country;
        const int plus1 = carrier.carriedUnitAt(i, side);
        const UnitRecord* cargo = plus1 ? state.unitOf(side, plus1 - 1) : nullptr;
        const UnitTypeRecord* type = cargo ? state.unitTypeOf(*cargo) : nullptr;
        if (type && type->unitClass == unit_class)
            return plus1 - 1;
    }
    return -1;
}

namespace {

void syncCargo(GameState& state, const UnitRecord& carrier, int country, int depth)
{
    if (depth > kMaxCargoDepth)
        return;
    for (int i = 0; i < kCarriedSlots; ++i) {
        int side = country;
        const int plus1 = carrier.carriedUnitAt(i, side);
        UnitRecord* cargo = plus1 ? state.unitOf(side, plus1 - 1) : nullptr;
        if (!cargo || cargo == &carrier)
            continue;
        cargo->x = carrier.x;
        cargo->y = carrier.y;
        syncCargo(state, *cargo, side, depth + 1);
    }
}

} // namespace

void syncCarriedPositions(GameState& state, UnitRecord& carrier, int country) { syncCargo(state, carrier, country, 0); }
