// AreaAnalysis: the computer player's analysis of the map, made once at start-up.
#pragma once

// Its area layers are built by rebuild before each computer country's phases; until a game has
// run one, it holds none.
class AreaAnalysis {
public:
    AreaAnalysis();
    AreaAnalysis(const AreaAnalysis&) = delete;
    AreaAnalysis& operator=(const AreaAnalysis&) = delete;
    ~AreaAnalysis();
};
