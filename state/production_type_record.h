// ProductionTypeRecord: which unit types a country may produce; stored byte for byte in several files.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kProducibleBits = 20000;

#pragma pack(push, 1)
struct ProductionTypeRecord {
    char name[34];
    // Bit id: byte id / 8, bit id % 8, least significant first.
    uint8_t producible[kProducibleBits / 8];

    bool canProduce(int id) const
    {
        return id >= 0 && id < kProducibleBits && (producible[id / 8] >> (id % 8) & 1);
    }
    void setProducible(int id, bool on)
    {
        if (id < 0 || id >= kProducibleBits)
            return;
        uint8_t bit = uint8_t(1u << (id % 8));
        producible[id / 8] = on ? uint8_t(producible[id / 8] | bit) : uint8_t(producible[id / 8] & ~bit);
    }
};
#pragma pack(pop)
static_assert(sizeof(ProductionTypeRecord) == 2534);
static_assert(offsetof(ProductionTypeRecord, producible) == 34);

// Numbers below this address the built-in table, from it on the user table.
constexpr int kFirstUserProductionType = 150;
constexpr int kUserProductionTypeCount = 100;
// A country keeps its production type's number in a byte: user records past this are never reached.
constexpr int kMaxUserProductionTypes = 256 - kFirstUserProductionType;

// The producible list's filter of a production type number (built-in 0..149, user 150..249) and
// back; 0 stands for every type. One encoding for both tables, so built-in 149 and user 150 differ.
constexpr int producibleFilterOf(int productionTypeNumber) { return productionTypeNumber + 1; }
constexpr int productionTypeOfFilter(int filter) { return filter - 1; }
