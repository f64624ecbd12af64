// MapFacilityTable: how many capitals, cities, airports, factories, ports and other facilities each
// country holds and how many nobody holds, from the running game or a dialog's preview buffers.
#pragma once

#include "dialogs/map_facility_counts.h"
#include "dialogs/picture_control.h"
#include "state/map_header.h"

class MapFacilityTable : public PictureControl {
public:
    static constexpr int kWidth = 209;
    static constexpr int kHeight = 121;
    static constexpr int kTableHeight = 106;

    // Creates the control disabled and draws the empty table with its heads.
    MapFacilityTable(swCWindow* parent, const GameState& game, const Presentation& look, UINT controlId, int x, int y, DWORD style = 0);

    // Recounts and writes every cell.
    void refresh();
    // Blanks every cell.
    void clearCells();

    const FacilityCounts& counts() const { return m_counts; }
    // The cell of an owner value and a row, inclusive.
    static RECT cellRect(int owner_value, int row);

    const MapHeader* header = nullptr;
    const FileMapCell* cells = nullptr;
    uint8_t liveSource = 0;

private:
    void drawTable();

    FacilityCounts m_counts {};
};
