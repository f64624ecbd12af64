// ListOrders: the unit lists the list windows show and the order each was last given. They belong
// to what a person sees, not to the game: no saved game holds them, and the computer players and
// the rules never read them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class GameState;

class ListOrders {
public:
    static constexpr int kSides = 9;
    static constexpr int kCountries = 8;

    // Start of play: each country's troop list by troop number, each destroyed-unit list in entry
    // order.
    void restart(const GameState& game);

    // Keys (index << 16) | side of side 0..8's units, sorted anew by order 0..9 (reverse 1 turns
    // it round); another side is ignored.
    void sortTroops(const GameState& game, int side, int order, int reverse);
    // Empty for a side outside 0..8.
    const std::vector<uint32_t>& troops(int side) const;

    // One key 0..3 and direction serve every country's destroyed-unit list.
    void setDestroyedSort(uint32_t key, uint8_t reverse)
    {
        m_destroyedKey = key;
        m_destroyedReverse = reverse;
    }
    uint32_t destroyedSortKey() const { return m_destroyedKey; }
    uint8_t destroyedSortReverse() const { return m_destroyedReverse; }
    // Sorts the country's list (one key per entry, made on first use) by the chosen key.
    void sortDestroyed(const GameState& game, int country);
    // Null for a country outside 0..7.
    const std::vector<uint32_t>* destroyed(int country) const;

    // The weapon list's unit types for a filter (see producibleUnitTypes), in no order yet; the
    // filter is kept.
    void buildProducible(const GameState& game, int filter);
    // Reverse 1 turns the list round and keeps the order; else sorts it by order 0..3 and keeps it.
    void sortProducible(const GameState& game, int order, int reverse);
    const std::vector<uint32_t>& producible() const { return m_producible; }
    int producibleFilter() const { return m_producibleFilter; }
    int producibleOrder() const { return m_producibleOrder; }

private:
    std::array<std::vector<uint32_t>, kSides> m_troops;
    uint32_t m_destroyedKey = 0;
    uint8_t m_destroyedReverse = 0;
    std::array<std::vector<uint32_t>, kCountries> m_destroyed;
    std::vector<uint32_t> m_producible;
    int m_producibleFilter = 0;
    int m_producibleOrder = 0;
};
