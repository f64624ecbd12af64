// A small world for the supply tests: two countries in play, rule 38 on, and helpers that lay roads.
#pragma once

#include "tests/state/small_world.h"

#include <initializer_list>

namespace testing_rules {

class SupplyWorld : public testing_state::SmallWorld {
public:
    static constexpr int kHeadquarters = 31;

    SupplyWorld(int width = 12, int height = 6)
        : SmallWorld(width, height)
    {
        setRule(38, 1);
        for (int c : { 0, 1, 2 }) {
            state().country(c).controller = 2;
            state().country(c).inPlay = 1;
        }
        state().turnBlock().currentCountry = 0;
        largeCity = state().terrainRoles().largeCity;
    }

    // Road bits both ways between each pair of neighbouring hexes of the path.
    void road(std::initializer_list<HexPos> path)
    {
        const HexPos* previous = nullptr;
        for (const HexPos& at : path) {
            if (previous)
                link(*previous, at);
            previous = &at;
        }
    }
    void link(HexPos a, HexPos b)
    {
        for (int d = 0; d < kHexDirections; ++d)
            if (state().hexNeighbour(a.x, a.y, d) == b) {
                cell(a.x, a.y).overlay |= uint8_t(1u << d);
                cell(b.x, b.y).overlay |= uint8_t(1u << oppositeDirection(d));
            }
    }
    // The side's headquarters on its capital hex.
    int headquarters(int side, int x, int y)
    {
        state().country(side).capitalX = uint16_t(x);
        state().country(side).capitalY = uint16_t(y);
        return placeBuilding(kHeadquarters, side, x, y);
    }
    int supplyBits(int building) { return this->building(building).supplyBits; }

    int largeCity = -1;
};

} // namespace testing_rules
