// AreaAnalysis creation and deletion for the game state's start-up and shut-down, and its known-hex layers.
#include "ai/area_analysis.h"

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
