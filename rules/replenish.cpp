// Replenishment (new strength counters) and repair (lost strength), their costs and the offer to the owner.
#include "rules/replenish.h"

#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/play_handshake.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kMaxCounters = 10;
// (low, high) thresholds of the capacity draw for experience levels 0..5.
constexpr int kLevelThresholds[6][2] = { { 10, 40 }, { 30, 40 }, { 10, 70 }, { 30, 90 }, { 60, 70 }, { 60, 90 } };

UnitRecord* serviced(GameState& state, int country, int index)
{
    if (country < 0 || country >= kCountryCount)
        return nullptr;
    UnitRecord* unit = state.unitOf(country, index);
    return unit && unitExists(*unit) && state.unitTypeOf(*unit) ? unit : nullptr;
}

int maxCounters(const UnitTypeRecord& type) { return std::clamp<int>(type.members, 1, kMaxCounters); }
// A type stored with no production turns counts as one: it divides here.
int productionTurns(const UnitTypeRecord& type) { return std::max<int>(type.productionTurns, 1); }

// The countdown scheme: about total / turns each turn, up to half as much again.
int countdownCapacity(GameState& state, int total, int turns)
{
    int base = std::max(1, total / turns);
    int high = std::min(base + (base + 1) / 2, total);
    if (high - base < 1)
        return high;
    int r = state.random(base, base + 2 * (high - base) - 1);
    return std::min(r, high);
}

uint32_t counterPrice(GameState& state, int country, const UnitTypeRecord& type)
{
    return unitTypeCost(type, state.country(country), 1, type.members);
}

// The price of a full counter's strength; a point costs price / f.
uint32_t repairPrice(GameState& state, int country, const UnitTypeRecord& type)
{
    return unitTypeCost(type, state.country(country), 1, 10);
}

UnitRecord* carrierOf(GameState& state, const UnitRecord& unit)
{
    return unit.hasFlag(kUnitAboard) ? state.unitOf(unit.carrierSide - 1, unit.carrierIndex - 1) : nullptr;
}

int affordablePoints(uint32_t funds, int strength, uint32_t price)
{
    return int(std::min<uint64_t>(uint64_t(funds) * uint64_t(strength) / price, INT32_MAX));
}

} // namespace

int randomServiceCapacity(GameState& state, int country, int index)
{
    int r = state.random(0, 99);
    int capacity;
    if (state.ruleOn(kRuleExperience)) {
        int level = std::clamp(state.unitExperienceLevel(country, index), 0, 5);
        capacity = r < kLevelThresholds[level][0] ? 1 : r < kLevelThresholds[level][1] ? 2 : 3;
    } else {
        capacity = r < 30 ? 1 : r < 90 ? 2 : 3;
    }
    return state.ruleOn(kRuleStoring) ? capacity : capacity + 2;
}

int replenishCapacity(GameState& state, int country, int index)
{
    const UnitRecord* unit = serviced(state, country, index);
    if (!unit)
        return 0;
    if (!state.ruleOn(kRuleProductionCount))
        return randomServiceCapacity(state, country, index);
    const UnitTypeRecord& type = unit->type();
    return countdownCapacity(state, maxCounters(type), productionTurns(type));
}

int repairCapacity(GameState& state, int country, int index)
{
    const UnitRecord* unit = serviced(state, country, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    int total = int(type.memberStrength) * maxCounters(type);
    if (!state.ruleOn(kRuleProductionCount))
        return randomServiceCapacity(state, country, index) * total / 10;
    return countdownCapacity(state, total, productionTurns(type));
}

int replenishCount(GameState& state, int country, int index)
{
    const UnitRecord* unit = serviced(state, country, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    int maximum = maxCounters(type);
    int count = std::min(unit->missingMembers(), replenishCapacity(state, country, index));
    int limit = maximum;
    if (state.ruleOn(kRuleCarrierCapacity))
        if (const UnitRecord* carrier = carrierOf(state, *unit))
            limit = std::min(limit, carrier->strengthTenths() * maximum / 10);
    count = std::min(count, limit - strengthSlotCount(*unit));
    if (count < 1)
        return std::max(count, 0);
    uint32_t price = counterPrice(state, country, type);
    if (uint64_t(price) * uint64_t(count) > state.country(country).funds)
        count = int(state.country(country).funds / price);
    return count;
}

int repairAmount(GameState& state, int country, int index, uint8_t free)
{
    const UnitRecord* unit = serviced(state, country, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    int full = type.memberStrength;
    int missing = 0;
    for (int m = 0; m < kMaxCounters; ++m)
        if (unit->memberStrengths[m] != 0 && unit->memberStrengths[m] < full)
            missing += full - unit->memberStrengths[m];
    int capacity = repairCapacity(state, country, index);
    if (!free) {
        const UnitCell* cell = state.unitCellAt(unit->x, unit->y);
        const BuildingRecord* building = cell && cell->building ? state.building(cell->building - 1) : nullptr;
        if (building && !building->canReplenish(country, type))
            capacity = (capacity + 1) / 2;
    }
    int amount = std::min(missing, capacity);
    if (amount >= 1 && !free) {
        uint32_t price = repairPrice(state, country, type);
        uint32_t funds = state.country(country).funds;
        if (uint64_t(price) * uint64_t(amount) / uint64_t(full) > funds)
            amount = affordablePoints(funds, full, price);
    }
    return std::max(amount, 0);
}

void offerReplenishRepair(GameState& state, int country, int index, uint8_t replenish, uint8_t repair, uint8_t free)
{
    UnitRecord* unit = serviced(state, country, index);
    if (!unit)
        return;
    ReplenishOffer offer;
    offer.country = uint32_t(country);
    offer.unitIndex = uint32_t(index);
    offer.counters = replenish == 1 && !free ? replenishCount(state, country, index) : 0;
    offer.repair = repair == 1 ? repairAmount(state, country, index, free) : 0;
    offer.free = free;
    if (offer.counters < 1 && offer.repair < 1)
        return;
    if (state.isHumanCountry(country)) {
        mainWindowLink().askReplenish(offer);
    } else {
        offer.acceptReplenish = offer.counters > 0;
        offer.acceptRepair = offer.repair > 0;
    }
    int old_experience = unit->experience;
    if (offer.acceptRepair && offer.repair > 0)
        doRepair(state, country, index, offer.repair, free, 1);
    if (offer.acceptReplenish && offer.counters > 0)
        doReplenish(state, country, index, offer.counters, 1);
    int current = state.turnBlock().currentCountry;
    if (current < kCountryCount && state.isAllied(current, country))
        announceRankChange(state, country, index, unit->x, unit->y, old_experience, unit->experience, ReportWait::Yes);
}

void offerFreeRepair(GameState& state, int country, int index) { offerReplenishRepair(state, country, index, 0, 1, 1); }

void doReplenish(GameState& state, int country, int index, int count, uint8_t show)
{
    UnitRecord* unit = serviced(state, country, index);
    if (!unit || count < 1)
        return;
    const UnitTypeRecord& type = unit->type();
    uint32_t price = counterPrice(state, country, type);
    count = int(std::min<uint64_t>(uint64_t(count), state.country(country).funds / price));
    int old_counters = strengthSlotCount(*unit);
    int added = 0;
    for (int m = 0; m < maxCounters(type) && added < count; ++m) {
        if (unit->memberStrengths[m] == 0) {
            unit->memberStrengths[m] = type.memberStrength;
            ++added;
        }
    }
    // Only counters that found an empty place are bought.
    if (added < 1)
        return;
    CountryRecord& record = state.country(country);
    record.unitsBought += uint32_t(added);
    state.spendFunds(country, price * uint32_t(added));
    int new_counters = strengthSlotCount(*unit);
    unit->experience = uint16_t(int(unit->experience) * old_counters / new_counters);
    state.historyLog().recordReplenishment(country, index, old_counters);
    if (show)
        mainWindowLink().refresh(MainRefresh::SideInfo);
}

void doRepair(GameState& state, int country, int index, int amount, uint8_t free, uint8_t show)
{
    UnitRecord* unit = serviced(state, country, index);
    if (!unit || amount < 1)
        return;
    const UnitTypeRecord& type = unit->type();
    int full = type.memberStrength;
    uint32_t price = repairPrice(state, country, type);
    if (!free)
        amount = std::min(amount, affordablePoints(state.country(country).funds, full, price));
    int old_total = strengthTotal(*unit);
    int left = amount;
    for (int m = 0; m < kMaxCounters && left > 0; ++m) {
        int value = unit->memberStrengths[m];
        if (value == 0 || value >= full)
            continue;
        int raise = std::min(left, full - value);
        unit->memberStrengths[m] = uint8_t(value + raise);
        left -= raise;
    }
    int repaired = amount - left;
    if (repaired < 1)
        return;
    state.historyLog().recordRepair(country, index, old_total);
    if (!free) {
        state.spendFunds(country, uint32_t(uint64_t(price) * uint64_t(repaired) / uint64_t(full)));
        if (show)
            mainWindowLink().refresh(MainRefresh::SideInfo);
    } else if (UnitRecord* carrier = carrierOf(state, *unit)) {
        carrier->spendSupplyStock(1);
    }
}
