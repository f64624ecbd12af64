// ProductionPlanner: the computer's purchases for one country in its production phase.
#pragma once

class GameState;

// Results of run: 0 done; 1 or 2 interrupted, and the phase runs again.
class ProductionPlanner {
public:
    ProductionPlanner(GameState& state, int country);

    int run();

private:
    GameState& m_state;
    int m_country;
};
