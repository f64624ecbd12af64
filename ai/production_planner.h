// ProductionPlanner: the computer's purchases for one country in its production phase.
#pragma once

#include "ai/production_planner_values.h"

#include <cstdint>
#include <vector>

class GameState;

// A hex the country may produce at, ranked by its distance to the front.
struct ProductionSite {
    int x = 0;
    int y = 0;
    int front = 0;
    bool inBuilding = false;
};

// The planner's reading of the country's forces before each purchase.
struct ProductionNeeds {
    int occupiers = 0;
    int antiAir = 0;
    int units = 0;
    int enemyAircraft = 0;

    bool wantsOccupier() const { return occupiers == 0 || occupiers * 3 < units; }
    bool wantsAntiAir() const { return antiAir < enemyAircraft; }
};

// Results of run: 0 done; 1 or 2 interrupted, and the phase runs again.
// Buys full-strength units while the funds stay above the reserve, front sites first, types that
// meet the country's needs (occupiers, anti-air) first, then the best worth for the price.
class ProductionPlanner {
public:
    ProductionPlanner(GameState& state, int country);
    ~ProductionPlanner();

    int run();

    // Funds kept back for replenishment and supply: a tenth of the forces' price.
    uint32_t reserve() const;
    std::vector<ProductionSite> collectSites() const;
    ProductionNeeds assessNeeds() const;

private:
    // Buys the best affordable option at the sites; false when nothing could be bought.
    bool buyBest(const std::vector<ProductionSite>& sites, const std::vector<ProductionOption>& options, uint32_t budget);
    int frontDistance(int x, int y) const;

    GameState& m_state;
    int m_country;
};
