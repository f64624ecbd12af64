// The saved-game writer: the game captured into an image, and the image's block sequence.
#include "state/saved_game.h"

#include "state/game_state.h"
#include "state/saved_game_stream.h"
#include "state/sight_maps.h"

#include <cstring>
#include <utility>

namespace {

template <typename R>
void lengthBlock(swCFile& stream, const R& record)
{
    writeU32(stream, uint32_t(sizeof(R)));
    writeExact(stream, &record, sizeof(R));
}

template <typename R>
void records(swCFile& stream, const std::vector<R>& list)
{
    if (!list.empty())
        writeExact(stream, list.data(), sizeof(R) * list.size());
}

template <typename R>
void countedTable(swCFile& stream, const std::vector<R>& list)
{
    writeU32(stream, uint32_t(sizeof(R)));
    writeU32(stream, uint32_t(list.size()));
    records(stream, list);
}

template <typename List>
void sideTables(swCFile& stream, const List& tables)
{
    writeU32(stream, uint32_t(sizeof(typename List::value_type::value_type)));
    for (const auto& list : tables) {
        writeU32(stream, uint32_t(list.size()));
        records(stream, list);
    }
}

} // namespace

void writeSavedGameImage(const SavedGameImage& image, swCFile& stream)
{
    writeSavedGameBlocks(image, stream);
    writeSavedGameSibling(image.sibling, stream);
}

void writeSavedGameBlocks(const SavedGameImage& image, swCFile& stream)
{
    writeExact(stream, image.version == 1 ? kSavedGameMagic1 : kSavedGameMagic2, kSavedGameMagicSize);
    lengthBlock(stream, image.campaign);
    lengthBlock(stream, image.scenario);
    lengthBlock(stream, image.header);
    lengthBlock(stream, image.turn);
    writeU32(stream, uint32_t(sizeof(CountryRecord)));
    writeExact(stream, image.countries.data(), sizeof(CountryRecord) * image.countries.size());
    lengthBlock(stream, image.neutral);
    lengthBlock(stream, image.rules);
    writeU32(stream, uint32_t(sizeof(TerrainCell)));
    records(stream, image.cells);
    image.pool.save(stream);
    countedTable(stream, image.buildings);
    countedTable(stream, image.places);
    countedTable(stream, image.pillboxHexes);
    if (image.version != 1)
        countedTable(stream, image.temporaryBridgeHexes);
    countedTable(stream, image.turnStats);
    sideTables(stream, image.units);
    sideTables(stream, image.missiles);
    sideTables(stream, image.destroyed);
    for (const auto& bitmap : image.sight)
        records(stream, bitmap);
    lengthBlock(stream, image.view);
    writeU32(stream, uint32_t(sizeof(ProductionTypeRecord)));
    writeExact(stream, image.productionTypes.data(), sizeof(ProductionTypeRecord) * image.productionTypes.size());
    if (image.campaign.campaignFlag == 1)
        countedTable(stream, image.carryOver);
}

void writeSavedGameSibling(const HistorySiblingMark& sibling, swCFile& stream)
{
    // Readers of the plain block sequence stop before this record.
    writeU32(stream, 17);
    writeExact(stream, "HIST", 4);
    writeExact(stream, &sibling.letter, 1);
    writeU32(stream, sibling.recordCount);
    writeExact(stream, &sibling.generation, sizeof sibling.generation);
}

void captureSavedGame(GameState& state, SavedGameImage& out)
{
    out.version = 2;
    out.campaign = state.campaignBlock();
    out.scenario = state.scenarioBlock();
    out.header = state.mapHeader();
    out.turn = state.turnBlock();
    for (int c = 0; c < kCountryCount; ++c)
        out.countries[size_t(c)] = state.country(c);
    std::memcpy(out.neutral.data(), state.neutralBlock(), out.neutral.size());
    out.rules = state.ruleBlock();
    size_t hexes = size_t(state.mapWidth()) * size_t(state.mapHeight());
    out.cells.assign(state.terrainGrid(), state.terrainGrid() + hexes);
    out.pool = state.randomPool();
    out.buildings = state.buildings();

    int places = 0;
    for (int i = 0; i < kPlaceRecordCount; ++i)
        if (state.isPlaceUsed(i))
            places = i + 1;
    out.places.assign(state.placeTable(), state.placeTable() + places);
    out.pillboxHexes = state.pillboxHexes();
    out.temporaryBridgeHexes = state.temporaryBridgeHexes();
    out.turnStats.clear();
    for (size_t i = 0; i < state.turnStatsCount(); ++i)
        out.turnStats.push_back(*state.turnStatsAt(i));

    for (int side = 0; side < kSideCount; ++side)
        out.units[size_t(side)].assign(std::as_const(state).unitTable(side), std::as_const(state).unitTable(side) + state.unitCount(side));
    for (int c = 0; c < kCountryCount; ++c) {
        out.missiles[size_t(c)].assign(state.missileTable(c), state.missileTable(c) + state.missileCount(c));
        out.destroyed[size_t(c)].assign(state.destroyedUnits(c), state.destroyedUnits(c) + kDestroyedUnitsPerCountry);
    }

    int layers = out.sightLayers();
    size_t row_bytes = out.rowBytes();
    const FogMap* fog = state.fogMap();
    for (int c = 0; c < kCountryCount; ++c) {
        auto& bitmap = out.sight[size_t(c)];
        bitmap.clear();
        if (layers == 0 || out.countries[size_t(c)].controller == 0)
            continue;
        bitmap.assign(size_t(layers) * out.header.height * row_bytes, 0);
        for (int layer = 0; layer < layers; ++layer)
            for (int y = 0; y < out.header.height; ++y)
                for (int x = 0; fog && x < out.header.width; ++x)
                    if (fog->testBit(c, x, y, layer))
                        bitmap[(size_t(layer) * out.header.height + size_t(y)) * row_bytes + size_t(x / 8)] |= uint8_t(1u << (x % 8));
    }

    out.view = state.savedView();
    for (int c = 0; c < kCountryCount; ++c)
        out.productionTypes[size_t(c)] = *state.sideProductionType(c);
    out.carryOver.clear();
    if (out.campaign.campaignFlag == 1)
        out.carryOver.assign(state.carryOverTable(), state.carryOverTable() + state.carryOverCount());
    out.sibling = {};
}

void writeSavedGame(GameState& state, swCFile& stream, const HistorySiblingMark& sibling)
{
    auto image = std::make_unique<SavedGameImage>();
    captureSavedGame(state, *image);
    image->sibling = sibling;
    writeSavedGameImage(*image, stream);
}
