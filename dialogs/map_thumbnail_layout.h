// The thumbnail's arithmetic: how a map of w x h hexes fits 144 x 144 pixels, and which terrain and
// owner each thumbnail cell shows, from the running game or from a file's hex records.
#pragma once

#include "state/map_file_layout.h"
#include "state/terrain_record.h"

#include <cstdint>
#include <optional>
#include <span>

class GameState;

constexpr int kThumbnailSize = 144;

enum class ThumbnailSource { Live, Preview };

struct ThumbnailLayout {
    // Every second hex of every second row is drawn: hex (2i, 2j) for cell (i, j).
    bool halved = false;
    int columns = 0;
    int rows = 0;
    // Pixels per cell side, 1 or 2.
    int cell = 1;
    int x0 = 0;
    int y0 = 0;
};

// Nothing for a size outside 1..256, whatever filled the header. The running game picks the cell
// size from the unhalved size, a preview from the halved one.
std::optional<ThumbnailLayout> thumbnailLayout(int width, int height, ThumbnailSource source);

// What one cell shows: a terrain type and the owner value (owner + 1, 0 none) of its building.
struct ThumbnailCell {
    int terrain = -1;
    int ownerValue = 0;
    // The running game draws nothing for a building kind without a building record.
    bool hasBuilding = true;
};

// From hex records (width x height, row-major); a terrain outside the table is -1.
ThumbnailCell previewThumbnailCell(std::span<const FileMapCell> cells, int width, int height,
    std::span<const TerrainRecord> terrain, const ThumbnailLayout& layout, int i, int j);
ThumbnailCell liveThumbnailCell(const GameState& state, const ThumbnailLayout& layout, int i, int j);

// The terrain colour strips are laid out by terrain type: column c is type c.
inline int thumbnailColourColumn(int terrain) { return terrain; }
// The owner strip's column of an owner value: countries 0..7, column 8 unowned; -1 outside the strip.
inline int thumbnailOwnerColumn(int owner_value) { return owner_value == 0 ? 8 : (owner_value <= 9 ? owner_value - 1 : -1); }
