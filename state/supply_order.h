// SupplyOrder: what one unit wants of fuel, ammunition, engineering material and supply goods, and its price.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct SupplyPart {
    uint8_t wanted;
    uint8_t spare;
    uint32_t cost;
    // Affordable, and picked for delivery.
    uint8_t granted;
    uint8_t chosen;
};

struct SupplyOrder {
    enum Part { kFuel = 0, kAmmunition = 1, kEngineering = 2, kSupplyGoods = 3, kPartCount = 4 };

    uint32_t country;
    uint32_t unitIndex;
    SupplyPart parts[kPartCount];

    bool anyWanted() const;
    bool anyGranted() const;
    // Fuel cost when granted, else 0.
    uint32_t firstAmount() const;
    // Costs of the granted ammunition parts.
    uint32_t otherAmountsTotal() const;
    void clearPart(int part) { parts[part] = SupplyPart {}; }
    // Chooses every affordable ammunition part (ordinary, engineering, supply goods), or none.
    void selectAmmunition(bool on);
    // Fills the unit's chosen parts, paying from its country's funds under the supply-cost rule.
    void apply() const;
};
#pragma pack(pop)
static_assert(sizeof(SupplyPart) == 8);
static_assert(sizeof(SupplyOrder) == 40);
static_assert(offsetof(SupplyOrder, parts) == 8);

// The order part a weapon kind's ammunition belongs to.
int supplyPartOfKind(int weapon_kind);
