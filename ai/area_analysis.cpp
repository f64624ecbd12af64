// AreaAnalysis creation and deletion for the game state's start-up and shut-down, its known-hex layers and its rebuild.
#include "ai/area_analysis.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

AreaAnalysis::AreaAnalysis() = default;

AreaAnalysis::~AreaAnalysis() = default;

void AreaAnalysis::buildKnownHexLayers(int side)
{
    if (side < 0 || side >= kAreaSides)
        return;
    auto& layer = m_knownHexes[size_t(side)];
    if (!layer)
        layer = std::make_unique<HexBitLayer>();
    layer->setAll();
}

const HexBitLayer* AreaAnalysis::knownHexLayer(int side) const
{
    if (side < 0 || side >= kAreaSides)
        return nullptr;
    return m_knownHexes[size_t(side)].get();
}

void AreaAnalysis::rebuild(int country)
{
    if (g_gameState)
        rebuild(*g_gameState, country);
}

void AreaAnalysis::rebuild(GameState& state, int country)
{
    if (country < 0 || country >= kAreaSides)
        return;
    for (auto& layer : m_areas)
        if (!layer)
            layer = std::make_unique<HexBitLayer>();
    if (!m_threat)
        m_threat = std::make_unique<HexWordGrid>();
    if (!m_front)
        m_front = std::make_unique<HexWordGrid>();
    m_country = country;

    HexBitLayer& all = *m_areas[size_t(AreaKind::All)];
    all.clearAll();
    // Whole bytes of each row, then the few hexes left at its end.
    const int w = std::min(state.mapWidth(), kLayerStride), h = std::min(state.mapHeight(), kLayerStride);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = all.bits.data() + size_t(y) * (kLayerStride / 8);
        std::fill(row, row + w / 8, uint8_t(0xFF));
        if (w % 8)
            row[w / 8] = uint8_t((1u << (w % 8)) - 1);
    }

    HexBitLayer& held = *m_areas[size_t(AreaKind::Held)];
    buildHeldArea(state, country, held);
    m_enemyAircraft = buildThreatGrid(state, country, *m_threat);
    buildFrontGrid(state, country, *m_front);

    HexBitLayer& safe = *m_areas[size_t(AreaKind::Safe)];
    safe = held;
    // Eight hexes to a byte of the layer: the bits of the threatened ones cleared at once.
    for (int y = 0; y < h; ++y) {
        const uint16_t* threat = m_threat->data() + size_t(y) * kLayerStride;
        uint8_t* bits = safe.bits.data() + size_t(y) * (kLayerStride / 8);
        for (int x0 = 0; x0 < w; x0 += 8) {
            unsigned threatened = 0;
            for (int k = 0; k < 8 && x0 + k < w; ++k)
                threatened |= unsigned(threat[x0 + k] != 0) << k;
            bits[x0 >> 3] = uint8_t(bits[x0 >> 3] & ~threatened);
        }
    }
}

const HexBitLayer* AreaAnalysis::areaLayer(AreaKind kind) const
{
    const int k = int(kind);
    if (k < 0 || k >= kAreaKindCount)
        return nullptr;
    return m_areas[size_t(k)].get();
}

const HexBitLayer* AreaAnalysis::areaForUnit(GameState& state, int side, int index) const
{
    const UnitRecord* unit = state.unitOf(side, index);
    const UnitTypeRecord* type = unit ? state.unitTypeOf(*unit) : nullptr;
    if (!type)
        return areaLayer(AreaKind::Held);
    const int full = int(type->members) * int(type->memberStrength);
    const bool weak = !hasUsableDirectWeapon(state, *type) || strengthTotal(*unit) * 2 < full;
    return areaLayer(weak ? AreaKind::Safe : AreaKind::All);
}
