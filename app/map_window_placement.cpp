// MapWindow's placement of a carried-over unit: the hexes the entry may take are marked, a click on
// one places it, and the deployment window shows itself again either way.
#include "app/map_window.h"

#include "rules/carry_over.h"
#include "rules/current_action_marks.h"
#include "rules/home_hex.h"
#include "state/game_state.h"
#include "ui/main_window_services.h"

namespace {

// The map's deployment hexes carry bit 0 of the first per-turn byte.
constexpr uint8_t kDeploymentHexBit = 1;
constexpr uint16_t kPlacementMark = kMarkCommandTarget;

} // namespace

void MapWindow::beginPlacement(int entry)
{
    endPlacement(false);
    if (entry < 0 || uint32_t(entry) >= m_state.carryOverCount())
        return;
    m_placementEntry = entry;
    for (int y = 0; y < m_state.mapHeight(); ++y) {
        for (int x = 0; x < m_state.mapWidth(); ++x) {
            const TerrainCell* cell = m_state.terrainCellAt(x, y);
            if (!cell || !(cell->turnMarks[0] & kDeploymentHexBit) || !canDeployCarryOverAt(m_state, entry, x, y))
                continue;
            m_placementHexes.push_back({ x, y });
            setHexMark(m_state, x, y, kPlacementMark);
        }
    }
    redrawMarked();
    SetFocus(handle());
}

void MapWindow::endPlacement(bool reshow)
{
    const bool was = placing();
    for (const HexPos& hex : m_placementHexes)
        clearHexMark(m_state, hex.x, hex.y, kPlacementMark);
    m_placementHexes.clear();
    m_placementEntry = -1;
    if (!was)
        return;
    redrawMarked();
    if (reshow)
        mainWindowServices().refreshDeployWindow(0);
}

void MapWindow::placeAt(int x, int y)
{
    const int entry = m_placementEntry;
    bool marked = false;
    for (const HexPos& hex : m_placementHexes)
        marked = marked || (hex.x == x && hex.y == y);
    // A click beside the marks keeps the choice open.
    if (!marked)
        return;
    endPlacement(false);
    const int player = m_state.campaignBlock().playerCountry;
    const bool intoBuilding = canDeployCarryOverInBuilding(m_state, entry, x, y);
    deployCarriedOverUnit(m_state, player, entry, x, y, intoBuilding);
    if (MapBitSet* redraw = m_state.redrawSet())
        redraw->setAll();
    fullRefresh();
    mainWindowServices().refreshTroopLists();
    mainWindowServices().refreshDeployWindow(1);
}
