// What the production-type windows count, offer and write of a production type. The three
// counting rules stand side by side because they differ on purpose: the list's summary and the
// editor's left list take one form of a type and its base type, the weapon-list text keeps the
// producible list's rule, and the editor's totals count every form.
#pragma once

#include "state/production_type_record.h"
#include "state/unit_type_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class GameState;

// The form that stands for a type and its base type: a type without one, or one ranked above its
// base type (a tie goes to the lower id).
bool standsForItsForms(const GameState& state, const UnitTypeRecord& type);

// Counted in a slot's summary: known, available and standing for its forms.
bool countsInSlotSummary(const GameState& state, int id);
// A line of the weapon-list text: known, available, and no base type below its own id.
bool listedInWeaponText(const GameState& state, int id);
// Counted in the editor's totals: known and available, every form alike.
bool countsInEditTotals(const GameState& state, int id);

// The row of the production-type list for user production type 150 + row.
struct ProductSlotSummary {
    char name[34] {};
    uint32_t total = 0;
    std::array<uint32_t, kDomainCount> perDomain {};
    // Member count × member price summed over the counted types.
    uint32_t cost = 0;

    bool used() const { return name[0] != 0; }
};
ProductSlotSummary summariseProductSlot(const GameState& state, int row);

// The editor's totals: entry 0 for the whole type, entry 1 + d for domain d.
struct ProductEditTotals {
    std::array<uint32_t, kDomainCount + 1> count {};
    std::array<uint32_t, kDomainCount + 1> cost {};
};
ProductEditTotals productEditTotals(const GameState& state, const ProductionTypeRecord& record);

// "class name,type name" and CR LF for each listed id of the type, in id order.
std::string weaponListText(const GameState& state, const ProductionTypeRecord& record);

// The production types a slot may be copied from: the used built-in types in index order, then
// the used user types.
std::vector<int> copySourceNumbers(const GameState& state);

// The editor's left list offers the type for adding: available, not yet in the record, no
// warhead, no civilian infantry or personnel carrier, and standing for its forms.
bool offeredForAdding(const GameState& state, const ProductionTypeRecord& record, const UnitTypeRecord& type);

// The class filter's "every class".
constexpr int kEveryUnitClass = 65535;
// The editor's filters: the type's domain bit is in the mask and the class matches the filter.
bool passesEditFilters(const UnitTypeRecord& type, int domainMask, int classFilter);

// Rows a full edit list shows.
constexpr int kEditListRows = 20;
// The top row a list keeps after rows left it: the old top, unless fewer than a full list of rows
// would remain from it.
int keptTopRow(int top, int count);
