// AreaAnalysis: the computer player's analysis of the map, made once at start-up.
#pragma once

#include "rules/area_layers.h"

#include <array>
#include <memory>

constexpr int kAreaSides = 9;

// Its area layers are built by rebuild before each computer country's phases; until a game has
// run one, it holds none.
class AreaAnalysis : public AreaLayers {
public:
    AreaAnalysis();
    AreaAnalysis(const AreaAnalysis&) = delete;
    AreaAnalysis& operator=(const AreaAnalysis&) = delete;
    ~AreaAnalysis() override;

    // Terrain is never hidden from a side, so every hex is known.
    void buildKnownHexLayers(int side) override;
    const HexBitLayer* knownHexLayer(int side) const override;

private:
    // 8 KB each, made on first build.
    std::array<std::unique_ptr<HexBitLayer>, kAreaSides> m_knownHexes;
};
