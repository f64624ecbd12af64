// The facility table's counts: buildings per owner value and row, from the game or a file's hex records.
#pragma once

#include "state/map_file_layout.h"
#include "state/terrain_record.h"

#include <array>
#include <cstdint>
#include <span>

class GameState;

// Owner values 0 (none) and 1..8 (country + 1); rows capital, cities, airports, factories, ports,
// other facilities.
constexpr int kFacilityOwners = 9;
constexpr int kFacilityRows = 6;
using FacilityCounts = std::array<std::array<uint32_t, kFacilityRows>, kFacilityOwners>;

// The row of a terrain kind, -1 for a kind the table does not show.
int facilityRow(int kind);

// Owner values and terrain bytes outside the table are skipped, as are bytes of a damaged file.
FacilityCounts countPreviewFacilities(std::span<const FileMapCell> cells, std::span<const TerrainRecord> terrain);
FacilityCounts countLiveFacilities(const GameState& state);
