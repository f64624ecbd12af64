// Area-analysis grids the rules read: per-hex bit layers and word grids, 256 hexes to a row.
#pragma once

#include <array>
#include <cstdint>

constexpr int kLayerStride = 256;
constexpr int kLayerHexes = kLayerStride * kLayerStride;

// One bit per hex, bit index x + 256 × y.
struct HexBitLayer {
    std::array<uint8_t, kLayerHexes / 8> bits {};

    // Hexes outside 0..255 are ignored.
    void set(int x, int y);
    void setAll() { bits.fill(0xFF); }
    void clearAll() { bits.fill(0); }
};

// One u16 per hex, index x + 256 × y.
using HexWordGrid = std::array<uint16_t, kLayerHexes>;

// False for a hex outside the layer. Inline: whole-window passes test it hex by hex.
inline bool testHexBit(const HexBitLayer& layer, int x, int y)
{
    if (unsigned(x) >= unsigned(kLayerStride) || unsigned(y) >= unsigned(kLayerStride))
        return false;
    const unsigned i = unsigned(x) + unsigned(kLayerStride) * unsigned(y);
    return (layer.bits[i >> 3] >> (i & 7)) & 1;
}
// 0 for a hex outside the grid.
uint16_t getHexWord(const HexWordGrid& grid, int x, int y);

// The computer player's map analysis as the rules engine sees it; ai/ implements it, so rules/
// builds and runs without the computer player.
class AreaLayers {
public:
    virtual ~AreaLayers() = default;

    // Fills the side's (0..8) known-hex layers; a hex whose bit stays clear is treated as unknown.
    virtual void buildKnownHexLayers(int side) = 0;
    // Null for a side outside 0..8.
    virtual const HexBitLayer* knownHexLayer(int side) const = 0;
};
