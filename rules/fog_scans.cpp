// Sight and reveal scans: HexScan walks that lay a side's sight or stop at a unit's revealer.
#include "rules/fog_scans.h"

#include "rules/hex_scan.h"
#include "rules/shared_codes.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <algorithm>

namespace {

// Ring by ring from the concealed unit's hex; the ring is the distance a revealer must see.
class RevealScan : public HexScan {
public:
    RevealScan(GameState& state, int viewer, int hidden_country, int domain)
        : HexScan(state)
        , m_viewer(viewer)
        , m_hidden(hidden_country)
        , m_domain(domain)
    {
    }

    bool found() const { return m_found; }

protected:
    void visit(int x, int y) override
    {
        if (unitRevealsAt(x, y) || buildingRevealsAt(x, y)) {
            m_found = true;
            stop();
        }
    }

private:
    bool friendOfViewerOnly(int other) const
    {
        return !state().isAllied(other, m_hidden) && state().isAllied(other, m_viewer);
    }

    bool unitReveals(const UnitRef& ref) const
    {
        const UnitRecord* unit = state().unitOf(ref.table, ref.index);
        return unit && unit->state() == 1 && friendOfViewerOnly(countryOfCode(ref.table))
            && unit->sightRange(m_domain) >= ring();
    }

    bool unitRevealsAt(int x, int y) const
    {
        UnitRef ref {};
        for (int slot = 0; slot < 6; ++slot) {
            if (state().unitRefInHex(x, y, slot, ref) && unitReveals(ref))
                return true;
            if (state().upperUnitRefInHex(x, y, slot, ref) && unitReveals(ref))
                return true;
        }
        return false;
    }

    bool buildingRevealsAt(int x, int y) const
    {
        const UnitCell* cell = state().unitCellAt(x, y);
        if (!cell || cell->building == 0 || cell->building > state().buildingCount())
            return false;
        const BuildingRecord& building = state().buildingAt(cell->building - 1u);
        if (building.ownerPlusOne == 0 || !building.isIntact() || !friendOfViewerOnly(building.owner()))
            return false;
        // With layered sight a building uncovers only what stands on its own hex.
        if (state().ruleOn(kRuleSightLayers))
            return ring() == 0;
        const auto& types = state().terrainTypes();
        if (building.type >= types.size())
            return false;
        const uint8_t* sight = types[building.type].groupValues;
        return ring() <= *std::max_element(sight, sight + FogMap::kLayerCount);
    }

    int m_viewer;
    int m_hidden;
    int m_domain;
    bool m_found = false;
};

} // namespace

void markSightArea(GameState& state, FogMap& fog, int side, int x, int y, int radius, int layer)
{
    // Every hex within the radius, row by row: the bits are the same in whatever order they are set.
    forEachDiscRow(x, y, radius, state.mapWidth(), state.mapHeight(),
        [&](int row, int x0, int x1) { fog.setRowBits(side, row, x0, x1, layer); });
}

bool findRevealer(const GameState& state, int viewer, int hidden_country, int domain, int x, int y, int radius)
{
    // The scan only reads the game; HexScan takes it writable for the scans that mark.
    RevealScan scan(const_cast<GameState&>(state), viewer, hidden_country, domain);
    scan.scan(x, y, radius);
    return scan.found();
}
