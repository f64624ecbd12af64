// FogMap, CountryHexLayers and CountryHexMasks: bit operations on per-hex side masks.
#include "state/sight_maps.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

long indexIn(uint32_t width, uint32_t height, int x, int y)
{
    if (x < 0 || y < 0 || uint32_t(x) >= width || uint32_t(y) >= height)
        return -1;
    return long(y) * long(width) + x;
}

// A country's bit in a byte cell; sides of 8 and more have none.
uint8_t countryBit(int country) { return country >= 0 && country < 8 ? uint8_t(1u << country) : 0; }

uint16_t sideBit(int side) { return side >= 0 && side < 16 ? uint16_t(1u << side) : 0; }

template <typename T>
std::unique_ptr<T[]> zeroed(size_t count) { return std::unique_ptr<T[]>(new T[count]()); }

template <typename T>
std::unique_ptr<T[]> copied(const T* from, size_t count)
{
    std::unique_ptr<T[]> to(new T[count]);
    std::memcpy(to.get(), from, count * sizeof(T));
    return to;
}

uint64_t newFogMapIdentity()
{
    static std::atomic<uint64_t> last { 0 };
    return ++last;
}

} // namespace

FogMap::FogMap(uint32_t width, uint32_t height, const SightRules& rules)
    : m_width(width)
    , m_height(height)
    , m_rules(rules)
    , m_blocksPerRow((width >> kBlockShift) + 1)
    , m_blockSerials(zeroed<uint64_t>(size_t(m_blocksPerRow) * ((height >> kBlockShift) + 1)))
    , m_rowSerials(zeroed<uint64_t>((height >> kBlockShift) + 1))
{
    m_identity = newFogMapIdentity();
    for (auto& layer : m_layers)
        layer = zeroed<uint16_t>(size_t(width) * height);
}

FogMap::FogMap(const FogMap& other)
    : m_width(other.m_width)
    , m_height(other.m_height)
    , m_rules(other.m_rules)
    , m_serial(other.m_serial)
    , m_wholeMapSerial(other.m_wholeMapSerial)
    , m_blocksPerRow(other.m_blocksPerRow)
    , m_blockSerials(copied(other.m_blockSerials.get(), size_t(m_blocksPerRow) * ((m_height >> kBlockShift) + 1)))
    , m_rowSerials(copied(other.m_rowSerials.get(), (m_height >> kBlockShift) + 1))
{
    m_identity = newFogMapIdentity();
    for (int layer = 0; layer < kLayerCount; ++layer) {
        m_layers[layer] = copied(other.m_layers[layer].get(), size_t(m_width) * m_height);
        m_blank[layer] = other.m_blank[layer];
    }
    std::copy(std::begin(other.m_sideSerials), std::end(other.m_sideSerials), std::begin(m_sideSerials));
}

void FogMap::changedEverywhere()
{
    m_wholeMapSerial = ++m_serial;
    std::fill(std::begin(m_sideSerials), std::end(m_sideSerials), m_serial);
}

void FogMap::changedInRow(int side, int y, int x0, int x1)
{
    m_sideSerials[side] = ++m_serial;
    m_rowSerials[y >> kBlockShift] = m_serial;
    uint64_t* blocks = m_blockSerials.get() + size_t(y >> kBlockShift) * m_blocksPerRow;
    for (int b = x0 >> kBlockShift; b <= x1 >> kBlockShift; ++b)
        blocks[b] = m_serial;
}

long FogMap::cellIndex(int x, int y) const { return indexIn(m_width, m_height, x, y); }

void FogMap::setBit(int side, int x, int y, int layer)
{
    layer = effectiveLayer(layer);
    long i = cellIndex(x, y);
    if (i < 0 || layer < 0 || layer >= kLayerCount)
        return;
    uint16_t& cell = m_layers[layer][size_t(i)];
    const uint16_t bit = sideBit(side);
    if ((cell & bit) == bit)
        return;
    cell = uint16_t(cell | bit);
    m_blank[layer] = false;
    changedInRow(side, y, x, x);
}

void FogMap::setRowBits(int side, int y, int x0, int x1, int layer)
{
    layer = effectiveLayer(layer);
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    const uint16_t bit = sideBit(side);
    if (y < 0 || uint32_t(y) >= m_height || x0 > x1 || layer < 0 || layer >= kLayerCount || !bit)
        return;
    uint16_t* row = m_layers[layer].get() + size_t(y) * m_width;
    int first = -1, last = -1;
    for (int x = x0; x <= x1; ++x)
        if (!(row[x] & bit)) {
            row[x] = uint16_t(row[x] | bit);
            if (first < 0)
                first = x;
            last = x;
        }
    if (first < 0)
        return;
    m_blank[layer] = false;
    changedInRow(side, y, first, last);
}

void FogMap::clearSideBits(int side, int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    y0 = std::max(y0, 0), y1 = std::min(y1, int(m_height) - 1);
    const uint16_t bit = sideBit(side);
    if (x0 > x1 || y0 > y1 || !bit)
        return;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (m_blank[layer])
            continue;
        for (int y = y0; y <= y1; ++y) {
            uint16_t* row = m_layers[layer].get() + size_t(y) * m_width;
            int first = -1, last = -1;
            for (int x = x0; x <= x1; ++x)
                if (row[x] & bit) {
                    row[x] = uint16_t(row[x] & ~bit);
                    if (first < 0)
                        first = x;
                    last = x;
                }
            if (first >= 0)
                changedInRow(side, y, first, last);
        }
    }
}

FogMap::Area FogMap::changedSince(uint64_t serial) const
{
    Area area;
    if (serial >= m_serial)
        return area;
    if (m_wholeMapSerial > serial)
        return { 0, 0, int(m_width) - 1, int(m_height) - 1 };
    const int rows = int(m_height >> kBlockShift) + 1;
    area = { int(m_blocksPerRow), rows, -1, -1 };
    for (int by = 0; by < rows; ++by)
        for (int bx = 0; m_rowSerials[by] > serial && bx < int(m_blocksPerRow); ++bx)
            if (m_blockSerials[size_t(by) * m_blocksPerRow + size_t(bx)] > serial) {
                area.x0 = std::min(area.x0, bx), area.x1 = std::max(area.x1, bx);
                area.y0 = std::min(area.y0, by), area.y1 = std::max(area.y1, by);
            }
    if (area.empty())
        return Area();
    constexpr int kBlock = 1 << kBlockShift;
    return { area.x0 * kBlock, area.y0 * kBlock, area.x1 * kBlock + kBlock - 1, area.y1 * kBlock + kBlock - 1 };
}

void FogMap::fillLayer(int layer)
{
    if (layer < 0 || layer >= kLayerCount)
        return;
    std::fill_n(m_layers[layer].get(), size_t(m_width) * m_height, uint16_t(0xFFFF));
    m_blank[layer] = false;
    changedEverywhere();
}

void FogMap::clearLayer(int layer)
{
    if (layer < 0 || layer >= kLayerCount)
        return;
    std::fill_n(m_layers[layer].get(), size_t(m_width) * m_height, uint16_t(0));
    m_blank[layer] = true;
    changedEverywhere();
}

void FogMap::keepBits(uint16_t keep)
{
    for (int layer = 0; layer < kLayerCount; ++layer) {
        if (m_blank[layer])
            continue;
        uint16_t* cells = m_layers[layer].get();
        for (size_t i = 0; i < size_t(m_width) * m_height; ++i)
            cells[i] &= keep;
    }
    changedEverywhere();
}

void FogMap::keepOnlyCountry(int country)
{
    uint16_t keep = countryBit(country);
    keepBits(keep);
}

void FogMap::keepAlliedBits(int country)
{
    uint16_t keep = 0xFFFF;
    for (int side = 0; side <= 8; ++side)
        if (side != country && !m_rules.isAllied(country, side))
            keep &= uint16_t(~sideBit(side));
    keepBits(keep);
}

uint16_t FogMap::cell(int x, int y, int layer) const
{
    long i = cellIndex(x, y);
    return i >= 0 && layer >= 0 && layer < kLayerCount ? m_layers[layer][size_t(i)] : 0;
}

bool FogMap::isSeenBy(int side, int x, int y, int layer) const
{
    return (cell(x, y, effectiveLayer(layer)) & m_rules.allianceMaskOf(side)) != 0;
}

bool FogMap::isSeenInLayers(int side, int x, int y, uint32_t layer_mask) const
{
    uint16_t friends = m_rules.allianceMaskOf(side);
    if (!m_rules.layeredSight())
        return (cell(x, y, 0) & friends) != 0;
    for (int layer = 0; layer < kLayerCount; ++layer)
        if ((layer_mask >> layer & 1) && (cell(x, y, layer) & friends))
            return true;
    return false;
}

bool FogMap::testBit(int side, int x, int y, int layer) const
{
    return (cell(x, y, layer) & sideBit(side)) != 0;
}

CountryHexLayers::CountryHexLayers(uint32_t width, uint32_t height, const SightRules& rules)
    : m_width(width)
    , m_height(height)
    , m_rules(rules)
{
    size_t cells = size_t(width) * height;
    for (int i = 0; i < kLayerCount; ++i) {
        m_first[i] = zeroed<uint8_t>(cells);
        m_second[i] = zeroed<uint8_t>(cells);
    }
    for (auto& mask : m_masks)
        mask = zeroed<uint32_t>(cells);
}

long CountryHexLayers::cellIndex(int x, int y) const { return indexIn(m_width, m_height, x, y); }

void CountryHexLayers::markHex(int country, int x, int y, int layer, int strong, uint32_t value, int mask_index)
{
    long i = cellIndex(x, y);
    if (i < 0 || layer < 0 || layer >= kLayerCount)
        return;
    m_first[layer][size_t(i)] |= countryBit(country);
    if (strong != 1)
        return;
    m_second[layer][size_t(i)] |= countryBit(country);
    if (mask_index >= 0 && mask_index < kMaskCount)
        m_masks[mask_index][size_t(i)] |= value;
}

void CountryHexLayers::markRow(int country, int y, int x0, int x1, int layer, int strong, uint32_t value, int mask_index)
{
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    if (y < 0 || uint32_t(y) >= m_height || x0 > x1 || layer < 0 || layer >= kLayerCount)
        return;
    const size_t from = size_t(y) * m_width + size_t(x0), to = size_t(y) * m_width + size_t(x1);
    const uint8_t bit = countryBit(country);
    for (size_t i = from; i <= to; ++i)
        m_first[layer][i] |= bit;
    if (strong != 1)
        return;
    for (size_t i = from; i <= to; ++i)
        m_second[layer][i] |= bit;
    if (mask_index >= 0 && mask_index < kMaskCount)
        for (size_t i = from; i <= to; ++i)
            m_masks[mask_index][i] |= value;
}

void CountryHexLayers::clearAll()
{
    size_t cells = size_t(m_width) * m_height;
    for (int i = 0; i < kLayerCount; ++i) {
        std::fill_n(m_first[i].get(), cells, uint8_t(0));
        std::fill_n(m_second[i].get(), cells, uint8_t(0));
    }
    for (auto& mask : m_masks)
        std::fill_n(mask.get(), cells, 0u);
}

void CountryHexLayers::clearRow(int y, int x0, int x1)
{
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    if (y < 0 || uint32_t(y) >= m_height || x0 > x1)
        return;
    const size_t first = size_t(y) * m_width + size_t(x0), count = size_t(x1 - x0 + 1);
    for (int layer = 0; layer < kLayerCount; ++layer) {
        std::fill_n(m_first[layer].get() + first, count, uint8_t(0));
        std::fill_n(m_second[layer].get() + first, count, uint8_t(0));
    }
    for (auto& mask : m_masks)
        std::fill_n(mask.get() + first, count, 0u);
}

bool CountryHexLayers::hasForeignBit(int country, int x, int y, int layer) const
{
    uint16_t friends = uint16_t(m_rules.allianceMaskOf(country) | countryBit(country));
    return (cellByte(x, y, layer) & ~friends) != 0;
}

uint8_t CountryHexLayers::secondLayerBits(int x, int y) const
{
    long i = cellIndex(x, y);
    uint8_t bits = 0;
    if (i >= 0)
        for (const auto& layer : m_second)
            bits |= layer[size_t(i)];
    return bits;
}

uint8_t CountryHexLayers::cellByte(int x, int y, int layer) const
{
    long i = cellIndex(x, y);
    return i >= 0 && layer >= 0 && layer < kLayerCount ? m_first[layer][size_t(i)] : 0;
}

uint32_t CountryHexLayers::maskAt(int x, int y, int mask_index) const
{
    long i = cellIndex(x, y);
    return i >= 0 && mask_index >= 0 && mask_index < kMaskCount ? m_masks[mask_index][size_t(i)] : 0;
}

CountryHexMasks::CountryHexMasks(uint32_t width, uint32_t height)
    : m_width(width)
    , m_height(height)
{
    size_t cells = size_t(width) * height;
    m_first = zeroed<uint8_t>(cells);
    m_second = zeroed<uint8_t>(cells);
    for (auto& mask : m_masks)
        mask = zeroed<uint32_t>(cells);
}

long CountryHexMasks::cellIndex(int x, int y) const { return indexIn(m_width, m_height, x, y); }

void CountryHexMasks::markHex(int country, int x, int y, int strong, uint32_t value, int mask_index)
{
    long i = cellIndex(x, y);
    if (i < 0)
        return;
    m_first[size_t(i)] |= countryBit(country);
    if (strong != 1)
        return;
    m_second[size_t(i)] |= countryBit(country);
    if (mask_index >= 0 && mask_index < kMaskCount)
        m_masks[mask_index][size_t(i)] |= value;
}

void CountryHexMasks::markRow(int country, int y, int x0, int x1, int strong, uint32_t value, int mask_index)
{
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    if (y < 0 || uint32_t(y) >= m_height || x0 > x1)
        return;
    const size_t from = size_t(y) * m_width + size_t(x0), to = size_t(y) * m_width + size_t(x1);
    const uint8_t bit = countryBit(country);
    for (size_t i = from; i <= to; ++i)
        m_first[i] |= bit;
    if (strong != 1)
        return;
    for (size_t i = from; i <= to; ++i)
        m_second[i] |= bit;
    if (mask_index >= 0 && mask_index < kMaskCount)
        for (size_t i = from; i <= to; ++i)
            m_masks[mask_index][i] |= value;
}

void CountryHexMasks::clearAll()
{
    size_t cells = size_t(m_width) * m_height;
    std::fill_n(m_first.get(), cells, uint8_t(0));
    std::fill_n(m_second.get(), cells, uint8_t(0));
    for (auto& mask : m_masks)
        std::fill_n(mask.get(), cells, 0u);
}

void CountryHexMasks::clearRow(int y, int x0, int x1)
{
    x0 = std::max(x0, 0), x1 = std::min(x1, int(m_width) - 1);
    if (y < 0 || uint32_t(y) >= m_height || x0 > x1)
        return;
    const size_t first = size_t(y) * m_width + size_t(x0), count = size_t(x1 - x0 + 1);
    std::fill_n(m_first.get() + first, count, uint8_t(0));
    std::fill_n(m_second.get() + first, count, uint8_t(0));
    for (auto& mask : m_masks)
        std::fill_n(mask.get() + first, count, 0u);
}

bool CountryHexMasks::testBit(int country, int x, int y) const
{
    long i = cellIndex(x, y);
    return i >= 0 && (m_first[size_t(i)] & countryBit(country)) != 0;
}

uint8_t CountryHexMasks::secondLayerByte(int x, int y) const
{
    long i = cellIndex(x, y);
    return i >= 0 ? m_second[size_t(i)] : 0;
}

uint32_t CountryHexMasks::maskAt(int x, int y, int mask_index) const
{
    long i = cellIndex(x, y);
    return i >= 0 && mask_index >= 0 && mask_index < kMaskCount ? m_masks[mask_index][size_t(i)] : 0;
}
