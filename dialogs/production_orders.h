// ProductionOrders: the production dialog's own reckoning at one hex: the funds, unit and
// production counts it shows, and, with storing (rule 6) on, the building's stored units and the
// orders placed beside them, paid for only when they are carried out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GameState;

// An entry of the stored-unit list. An existing stored unit has bit 31 set, its side + 1 in bits
// 16..30 and its index in bits 0..15; an order has the type id + 1 in bits 0..15 and its machines
// in bits 16..31.
struct StoredEntry {
    uint32_t data = 0;
    // The armament set an order is produced with.
    int model = 0;

    bool isOrder() const { return (data & 0x80000000u) == 0; }
    int typeId() const { return int(data & 0xFFFF) - 1; }
    int machines() const { return int(data >> 16); }
    int side() const { return int(data >> 16 & 0x7FFF) - 1; }
    int unitIndex() const { return int(data & 0xFFFF); }
    static StoredEntry order(int typeId, int machines, int model)
    {
        return { uint32_t(typeId + 1) | uint32_t(machines) << 16, model };
    }
    static StoredEntry stored(int side, int index)
    {
        return { 0x80000000u | uint32_t(side + 1) << 16 | uint32_t(index & 0xFFFF), 0 };
    }
};

// Why a purchase was refused; each has its message box, but a domain without a free slot buys
// nothing silently.
enum class ProductionRefusal { None, NoType, Limit, DomainTaken, Funds, Capacity };

class ProductionOrders {
public:
    // A building stores no more than its six slots hold, whatever its terrain's capacity says.
    static constexpr int kBuildingSlots = 6;

    ProductionOrders(GameState& state, int x, int y, int country);

    int x() const { return m_x; }
    int y() const { return m_y; }
    int country() const { return m_country; }
    int liveUnits() const { return m_liveUnits; }
    int producedCount() const { return m_producedCount; }
    int64_t funds() const { return m_funds; }
    // Entries the stored-unit list may hold: the terrain's capacity, at most the building's slots.
    int capacity() const { return m_capacity; }
    uint16_t freeSlotMask() const { return m_freeSlotMask; }
    const std::vector<StoredEntry>& entries() const { return m_entries; }

    // The unit limit, and with rule 50 the production limit, let one more unit be made.
    bool withinLimits() const;
    // The price of n machines of the type for the country, n capped at the type's maximum.
    uint32_t priceOf(int typeId, int machines) const;
    int cappedMachines(int typeId, int machines) const;
    // Checks a purchase of the type: the limits first, then the domain, funds and (storing) room.
    ProductionRefusal check(int typeId, int machines, bool storing) const;
    // Storing on: appends an order with the type's default set and pays for it in this reckoning.
    ProductionRefusal placeOrder(int typeId, int machines);
    // Takes back the order at the position; false for a stored unit or no entry.
    bool cancelOrder(size_t position);
    void setOrderModel(size_t position, int model);

    // Carries every order out at the building, top to bottom, and sets each new unit's armament.
    // Answers how many units were made; the type ids refused are appended to `refused`.
    int carryOut(std::vector<int>& refused);

private:
    GameState& m_state;
    int m_x;
    int m_y;
    int m_country;
    int m_liveUnits = 0;
    int m_producedCount = 0;
    int64_t m_funds = 0;
    int m_capacity = 0;
    uint16_t m_freeSlotMask = 0x3F;
    std::vector<StoredEntry> m_entries;
};
