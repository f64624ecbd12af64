// Commits a checked saved-game image into the game and rebuilds what the game derives from it.
#include "state/saved_game.h"

#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/sound_codes.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <utility>

namespace {

bool sameNameIgnoringCase(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The music list may have changed since the save: anthem codes follow the stored file names.
void relinkAnthems(GameState& state)
{
    const auto& music = state.musicNames();
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& country = state.country(c);
        if (!country.takesPart() || country.anthemCode < tune::kMusicListBase)
            continue;
        char name[sizeof state.turnBlock().anthemFiles[0] + 1] = {};
        std::memcpy(name, state.turnBlock().anthemFiles[c], sizeof state.turnBlock().anthemFiles[c]);
        auto found = std::find_if(music.begin(), music.end(), [&](const std::string& m) { return sameNameIgnoringCase(m, name); });
        size_t k = size_t(found - music.begin());
        country.anthemCode = found != music.end() && k <= 255 - tune::kMusicListBase ? uint8_t(tune::kMusicListBase + k) : 0;
    }
}

void applySight(GameState& state, const SavedGameImage& image)
{
    state.recreateSightMaps();
    FogMap* fog = state.fogMap();
    int layers = image.sightLayers();
    size_t row_bytes = image.rowBytes();
    for (int c = 0; c < kCountryCount; ++c) {
        const auto& bitmap = image.sight[size_t(c)];
        if (!fog || bitmap.size() != size_t(layers) * image.header.height * row_bytes)
            continue;
        for (int layer = 0; layer < layers; ++layer)
            for (int y = 0; y < image.header.height; ++y)
                for (int x = 0; x < image.header.width; ++x)
                    if (bitmap[(size_t(layer) * image.header.height + size_t(y)) * row_bytes + size_t(x / 8)] & (1u << (x % 8)))
                        fog->setBit(c, x, y, layer);
    }
}

// At most the table's size; an image made in code may hold more than a file can.
template <typename R>
uint32_t copyTable(const std::vector<R>& list, R* table, size_t capacity)
{
    size_t n = std::min(list.size(), capacity);
    std::copy_n(list.begin(), n, table);
    return uint32_t(n);
}

} // namespace

bool applySavedGame(GameState& state, const SavedGameImage& image)
{
    if (!state.terrainGrid() || !state.unitGrid() || !state.markGrid() || !state.placeTable() || !std::as_const(state).unitTable(0)
        || !state.carryOverTable() || image.header.width == 0 || image.header.height == 0
        || size_t(image.header.width) * image.header.height > size_t(kGridHexes)
        || image.cells.size() != size_t(image.header.width) * image.header.height)
        return false;

    // Everything of the previous game goes first, so nothing of it survives beside the loaded one.
    state.clearPlayTables();
    state.campaignBlock() = image.campaign;
    state.scenarioBlock() = image.scenario;
    state.mapHeader() = image.header;
    state.turnBlock() = image.turn;
    for (int c = 0; c < kCountryCount; ++c)
        state.country(c) = image.countries[size_t(c)];
    std::memcpy(state.neutralBlock(), image.neutral.data(), image.neutral.size());
    state.ruleBlock() = image.rules;

    std::fill_n(state.terrainGrid(), kGridHexes, TerrainCell {});
    std::fill_n(state.unitGrid(), kGridHexes, UnitCell {});
    std::fill_n(state.markGrid(), kGridHexes, uint16_t(0));
    copyTable(image.cells, state.terrainGrid(), kGridHexes);
    state.deriveCellData();
    state.randomPool() = image.pool;

    state.buildings() = image.buildings;
    for (size_t i = 0; i < image.buildings.size(); ++i)
        if (UnitCell* cell = state.unitCellAt(int(image.buildings[i].x), int(image.buildings[i].y)))
            cell->building = uint16_t(i + 1);
    // Unused places of the file are dropped, so the used ones close up towards the front.
    for (const PlaceRecord& place : image.places)
        if (place.used)
            state.addPlaceRecord(place);
    state.linkPlaces();
    state.pillboxHexes() = image.pillboxHexes;
    state.temporaryBridgeHexes() = image.temporaryBridgeHexes;
    for (const TurnStatsRecord& record : image.turnStats)
        state.appendTurnStats(record);

    for (int side = 0; side < kSideCount; ++side)
        state.setUnitCount(side, copyTable(image.units[size_t(side)], state.unitTable(side), kUnitTableSize));
    for (int c = 0; c < kCountryCount; ++c) {
        state.setMissileCount(c, copyTable(image.missiles[size_t(c)], state.missileTable(c), kUnitTableSize));
        copyTable(image.destroyed[size_t(c)], state.destroyedUnits(c), kDestroyedUnitsPerCountry);
    }

    applySight(state, image);
    state.savedView() = image.view;
    for (int c = 0; c < kCountryCount; ++c)
        state.setSideProductionType(c, image.productionTypes[size_t(c)]);
    std::fill_n(state.carryOverTable(), kUnitTableSize, UnitRecord {});
    state.setCarryOverCount(copyTable(image.carryOver, state.carryOverTable(), kUnitTableSize));

    state.relinkUnits(true);
    state.clampUnitsToType();
    state.computeBorderMasks();
    relinkAnthems(state);
    return true;
}

bool readSavedGame(GameState& state, swCFile& stream, SavedGameError* why)
{
    auto image = std::make_unique<SavedGameImage>();
    SavedGameError error = readSavedGameImage(stream, *image);
    if (!error && !applySavedGame(state, *image))
        error = { "game not started", 0 };
    if (why)
        *why = error;
    return !error;
}
