// UnitTiles: filing and taking out units.
#include "rules/unit_tiles.h"

void UnitTiles::reset(int width, int height)
{
    m_columns = std::max(1, (width + (1 << kShift) - 1) >> kShift);
    m_rows = std::max(1, (height + (1 << kShift) - 1) >> kShift);
    m_tiles.resize(size_t(m_columns) * size_t(m_rows));
    for (std::vector<uint32_t>& tile : m_tiles)
        tile.clear();
}

void UnitTiles::remove(uint32_t unit, int x, int y)
{
    std::vector<uint32_t>& tile = m_tiles[tileOf(x, y)];
    const auto at = std::find(tile.begin(), tile.end(), unit);
    if (at == tile.end())
        return;
    *at = tile.back();
    tile.pop_back();
}
