// Per-country hex maps of the current map: what each side sees (FogMap) and the marks hex scans lay.
#pragma once

#include <cstdint>
#include <memory>

// What the sight maps ask of the game: the layered-sight rule and who counts as friends.
class SightRules {
public:
    virtual ~SightRules() = default;
    // Rule 4; while it is off every layer is taken as layer 0.
    virtual bool layeredSight() const = 0;
    // Bits of the sides the side counts as friends, itself included (bit 8 the neutral side).
    virtual uint16_t allianceMaskOf(int side) const = 0;
    virtual bool isAllied(int a, int b) const = 0;
};

// Six layers of side bits per hex. Points or layers outside the map are ignored (tests answer false).
class FogMap {
public:
    static constexpr int kLayerCount = 6;

    FogMap(uint32_t width, uint32_t height, const SightRules& rules);
    // A copy of every bit, answering to the same rules; a map of its own identity.
    FogMap(const FogMap& other);
    FogMap& operator=(const FogMap&) = delete;

    uint32_t width() const { return m_width; }
    uint32_t height() const { return m_height; }

    void setBit(int side, int x, int y, int layer);
    // setBit over the hexes x0..x1 of row y; the part off the map is ignored.
    void setRowBits(int side, int y, int x0, int x1, int layer);
    void fillLayer(int layer);
    void clearLayer(int layer);
    void keepOnlyCountry(int country);
    void keepAlliedBits(int country);
    // Clears the side's bit in every layer over the hexes x0..x1 of rows y0..y1; the part off the map
    // is ignored.
    void clearSideBits(int side, int x0, int y0, int x1, int y1);
    bool isSeenBy(int side, int x, int y, int layer) const;
    bool isSeenInLayers(int side, int x, int y, uint32_t layer_mask) const;
    // The side's own bit, no alliance and no collapse of layers.
    bool testBit(int side, int x, int y, int layer) const;
    uint16_t cell(int x, int y, int layer) const;
    const SightRules& rules() const { return m_rules; }

    // For readers that keep what they derived from the bits: a serial that grows with every change,
    // and a box of hexes holding every bit changed after a serial was read (whole 8 × 8 blocks).
    struct Area {
        int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
        bool empty() const { return x0 > x1; }
        bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    };
    uint64_t changeSerial() const { return m_serial; }
    Area changedSince(uint64_t serial) const;
    // The serial of the last change that may have touched the side's bits; 0 for sides past 15.
    uint64_t sideSerial(int side) const { return side >= 0 && side < kSides ? m_sideSerials[side] : 0; }
    // Differs between any two maps made while the program runs, so a reader can tell a new map from
    // an old one at the same address.
    uint64_t identity() const { return m_identity; }

private:
    static constexpr int kBlockShift = 3;
    static constexpr int kSides = 16;

    // -1 outside the map.
    long cellIndex(int x, int y) const;
    int effectiveLayer(int layer) const { return m_rules.layeredSight() ? layer : 0; }
    // A change over the whole map.
    void changedEverywhere();
    // The blocks of row y from x0 to x1 changed, in the side's bits.
    void changedInRow(int side, int y, int x0, int x1);
    // Clears every bit not in keep, in every layer.
    void keepBits(uint16_t keep);

    uint32_t m_width;
    uint32_t m_height;
    const SightRules& m_rules;
    std::unique_ptr<uint16_t[]> m_layers[kLayerCount];
    // Layers known to hold no bit, which masking leaves as they are.
    bool m_blank[kLayerCount] = { true, true, true, true, true, true };
    uint64_t m_serial = 0;
    uint64_t m_wholeMapSerial = 0;
    uint64_t m_sideSerials[kSides] = {};
    uint64_t m_identity;
    uint32_t m_blocksPerRow;
    std::unique_ptr<uint64_t[]> m_blockSerials;
    // The latest serial of each row of blocks, so that a look for changes passes over quiet rows.
    std::unique_ptr<uint64_t[]> m_rowSerials;
};

// Marks laid per country by the hex scans: eight byte layers, a strong second set, three mask layers.
class CountryHexLayers {
public:
    static constexpr int kLayerCount = 8;
    static constexpr int kMaskCount = 3;

    CountryHexLayers(uint32_t width, uint32_t height, const SightRules& rules);

    void markHex(int country, int x, int y, int layer, int strong, uint32_t value, int mask_index);
    // markHex over the hexes x0..x1 of row y; the part off the map is ignored.
    void markRow(int country, int y, int x0, int x1, int layer, int strong, uint32_t value, int mask_index);
    void clearAll();
    // Every layer, strong layer and mask of the hexes x0..x1 of row y; the part off the map is ignored.
    void clearRow(int y, int x0, int x1);
    bool hasForeignBit(int country, int x, int y, int layer) const;
    uint8_t secondLayerBits(int x, int y) const;
    uint8_t cellByte(int x, int y, int layer) const;
    uint32_t maskAt(int x, int y, int mask_index) const;

private:
    long cellIndex(int x, int y) const;

    uint32_t m_width;
    uint32_t m_height;
    const SightRules& m_rules;
    std::unique_ptr<uint8_t[]> m_first[kLayerCount];
    std::unique_ptr<uint8_t[]> m_second[kLayerCount];
    std::unique_ptr<uint32_t[]> m_masks[kMaskCount];
};

// One layer of country marks per hex, its strong second layer and three mask layers.
class CountryHexMasks {
public:
    static constexpr int kMaskCount = 3;

    CountryHexMasks(uint32_t width, uint32_t height);

    void markHex(int country, int x, int y, int strong, uint32_t value, int mask_index);
    // markHex over the hexes x0..x1 of row y; the part off the map is ignored.
    void markRow(int country, int y, int x0, int x1, int strong, uint32_t value, int mask_index);
    void clearAll();
    // The layer, its strong layer and the masks of the hexes x0..x1 of row y, as clearRow above.
    void clearRow(int y, int x0, int x1);
    bool testBit(int country, int x, int y) const;
    uint8_t secondLayerByte(int x, int y) const;
    uint32_t maskAt(int x, int y, int mask_index) const;

private:
    long cellIndex(int x, int y) const;

    uint32_t m_width;
    uint32_t m_height;
    std::unique_ptr<uint8_t[]> m_first;
    std::unique_ptr<uint8_t[]> m_second;
    std::unique_ptr<uint32_t[]> m_masks[kMaskCount];
};
