// Saved games: the staged image of a save file, its reader and writer, and the commit into a game.
#pragma once

#include "lib/file_fault.h"
#include "state/building_record.h"
#include "state/campaign_block.h"
#include "state/country_record.h"
#include "state/hex_cells.h"
#include "state/map_header.h"
#include "state/production_type_record.h"
#include "state/random_pool.h"
#include "state/rule_block.h"
#include "state/saved_view.h"
#include "state/scenario_block.h"
#include "state/side_records.h"
#include "state/turn_block.h"
#include "state/turn_stats.h"
#include "state/unit_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class GameState;
class swCFile;

constexpr char kSavedGameMagic1[] = "ZAFRONGDE0000001";
constexpr char kSavedGameMagic2[] = "ZAFRONGDE0000002";
constexpr int kSavedGameMagicSize = 16;

// 1 or 2 for the two magics (16 bytes, no terminator), -1 for anything else.
int savedGameVersion(const char* magic);

// Whether the save has a history sibling, recorded after the last block. Files without the record
// (older ones) leave known false, and the sibling is then taken when it exists.
struct HistorySiblingMark {
    bool known = false;
    // 'h' (normal mode) or 'i' (simple mode) when a sibling was written, else 0.
    char letter = 0;
    uint32_t recordCount = 0;
    // The save's generation, written into both files of the pair so a reader never joins a game to
    // another save's history. 0 in records written before the mark existed.
    uint64_t generation = 0;
};

// Every block of a saved game, read and checked before any of it reaches the game.
struct SavedGameImage {
    int version = 2;
    CampaignBlock campaign {};
    ScenarioBlock scenario {};
    MapHeader header {};
    TurnBlock turn {};
    std::array<CountryRecord, 8> countries {};
    std::array<uint8_t, 10> neutral {};
    RuleBlock rules {};
    // Width x height cells, row by row.
    std::vector<TerrainCell> cells;
    RandomPool pool;
    std::vector<BuildingRecord> buildings;
    // Up to the last used place; unused places in between are kept as stored.
    std::vector<PlaceRecord> places;
    std::vector<PillboxHex> pillboxHexes;
    std::vector<TemporaryBridgeHex> temporaryBridgeHexes;
    std::vector<TurnStatsRecord> turnStats;
    std::array<std::vector<UnitRecord>, 9> units;
    std::array<std::vector<UnitRecord>, 8> missiles;
    std::array<std::vector<DestroyedUnitRecord>, 8> destroyed;
    // Rule 3 on: for each country in play, each layer's rows of ceil(width / 8) bytes, bit x mod 8.
    std::array<std::vector<uint8_t>, 8> sight;
    SavedView view {};
    std::array<ProductionTypeRecord, 8> productionTypes {};
    // Only in a campaign game (campaign flag 1).
    std::vector<UnitRecord> carryOver;
    HistorySiblingMark sibling;

    size_t rowBytes() const { return (size_t(header.width) + 7) / 8; }
    // Layers a country's sight bitmap holds: 6 with rule 4 on, else 1; 0 with rule 3 off.
    int sightLayers() const { return !rules.on(kRuleSearch) ? 0 : rules.on(kRuleSightLayers) ? 6 : 1; }
};

// Why a file was refused, and at which byte.
struct SavedGameError {
    std::string what;
    uint64_t offset = 0;
    FileFault fault = FileFault::Damaged;

    explicit operator bool() const { return !what.empty(); }
};

// Reads the block sequence. A block longer than its record, a count over the format's limits, a map
// over 65536 hexes, a short file or an unknown magic refuse the file; a block shorter than its
// record (older files) leaves the rest zero.
SavedGameError readSavedGameImage(swCFile& stream, SavedGameImage& out);
// Writes the block sequence and the sibling record; swCFile's errors, and short writes as
// swCFileError code 2, pass to the caller.
void writeSavedGameImage(const SavedGameImage& image, swCFile& stream);
// The two parts of writeSavedGameImage: every block, then the sibling record that closes the file.
void writeSavedGameBlocks(const SavedGameImage& image, swCFile& stream);
void writeSavedGameSibling(const HistorySiblingMark& sibling, swCFile& stream);

// The game's blocks, tables and sight as a saved game holds them (sibling not set).
void captureSavedGame(GameState& state, SavedGameImage& out);
// Replaces the game's map part by the image and rebuilds what is derived from it; cannot fail.
// The history is left to the caller. False (game untouched) before start-up made the grids.
bool applySavedGame(GameState& state, const SavedGameImage& image);
// readSavedGameImage into a staging image, then applySavedGame: false leaves the game as it was.
bool readSavedGame(GameState& state, swCFile& stream, SavedGameError* why = nullptr);
// captureSavedGame, then writeSavedGameImage with the given sibling record.
void writeSavedGame(GameState& state, swCFile& stream, const HistorySiblingMark& sibling = {});
