// AreaAnalysis: the computer player's analysis of the map, made once at start-up.
#pragma once

#include "rules/area_layers.h"

#include <array>
#include <memory>

class GameState;

constexpr int kAreaSides = 9;

// Areas a computer unit may be kept to through a range's area restriction.
enum class AreaKind : int {
    // Every hex of the map.
    All = 0,
    // Hexes of the country and its allies, unowned hexes, and the one-hex rim of enemy land beside them.
    Held,
    // Held hexes that no visible enemy can strike next turn.
    Safe,
};
constexpr int kAreaKindCount = 3;

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

    // Rebuilds every area layer and grid for the side (0..8) over g_gameState; others are ignored.
    void rebuild(int country);
    void rebuild(GameState& state, int country);
    // The side of the last rebuild, -1 before the first.
    int country() const { return m_country; }

    // Null before the first rebuild.
    const HexBitLayer* areaLayer(AreaKind kind) const;
    // Per hex: the summed strength of the visible enemies that can move and fire onto it next turn.
    const HexWordGrid* threatGrid() const { return m_threat.get(); }
    // Per hex: hexes to the nearest visible enemy unit or enemy-held building; 0xFFFF with none.
    const HexWordGrid* frontGrid() const { return m_front.get(); }
    uint16_t threatAt(int x, int y) const { return m_threat ? getHexWord(*m_threat, x, y) : 0; }
    uint16_t frontDistanceAt(int x, int y) const { return m_front ? getHexWord(*m_front, x, y) : 0xFFFF; }
    // Whether the side saw an enemy aircraft (domains 0..2) at the last rebuild.
    bool enemyAircraftSeen() const { return m_enemyAircraft; }

    // The layer suited to the unit: Safe for a weak one (no direct weapon, or below half strength),
    // else All. Null before the first rebuild.
    const HexBitLayer* areaForUnit(GameState& state, int side, int index) const;

private:
    // 8 KB each, made on first build.
    std::array<std::unique_ptr<HexBitLayer>, kAreaSides> m_knownHexes;
    std::array<std::unique_ptr<HexBitLayer>, kAreaKindCount> m_areas;
    std::unique_ptr<HexWordGrid> m_threat;
    std::unique_ptr<HexWordGrid> m_front;
    int m_country = -1;
    bool m_enemyAircraft = false;
};

// The builders behind rebuild, each filling one layer or grid for the side.
void buildHeldArea(GameState& state, int side, HexBitLayer& held);
// Answers whether an enemy aircraft was among the visible enemies.
bool buildThreatGrid(GameState& state, int side, HexWordGrid& threat);
void buildFrontGrid(GameState& state, int side, HexWordGrid& front);
