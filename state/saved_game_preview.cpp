// The file dialogs' preview of a saved game: its first blocks and a small map of terrain and owners.
#include "state/saved_game_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "state/map_file_layout.h"
#include "state/saved_game_stream.h"

#include <cstring>

namespace {

// A block of at most limit bytes, read into buffer (zeroed first) or skipped when buffer is null.
bool previewBlock(SavedGameInput& in, void* buffer, size_t limit)
{
    uint32_t length = 0;
    if (!in.readU32(length) || length > limit)
        return false;
    if (!buffer)
        return in.skip(length);
    std::memset(buffer, 0, limit);
    return in.readExact(buffer, length);
}

bool previewCells(SavedGameInput& in, const MapHeader& header, FileMapCell* cells)
{
    uint32_t width = header.width;
    uint32_t height = header.height;
    uint32_t size = 0;
    if (width == 0 || height == 0 || width * height > 65536 || !in.readU32(size) || size == 0 || size > sizeof(TerrainCell))
        return false;
    for (uint32_t i = 0; i < width * height; ++i) {
        TerrainCell cell {};
        if (!in.readExact(&cell, size))
            return false;
        FileMapCell& out = cells[i];
        std::memset(&out, 0, sizeof out);
        out.terrain = cell.terrain;
        out.displayCode = cell.displayCode;
        out.overlay = cell.overlay;
        out.substituteBits = uint8_t(cell.substitute);
    }

    uint8_t pool_flag = 0;
    if (!in.readExact(&pool_flag, 1) || (pool_flag == 1 && !in.skip(RandomPool::kPoolSize + 16)))
        return false;
    uint32_t count = 0;
    if (!in.readU32(size) || size > sizeof(BuildingRecord) || !in.readU32(count) || count > width * height || (count > 0 && size == 0))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        BuildingRecord building {};
        if (!in.readExact(&building, size))
            return false;
        if (building.x < width && building.y < height)
            cells[building.y * width + building.x].buildingOwnerPlusOne = building.ownerPlusOne;
    }
    return true;
}

} // namespace

bool readSaveFileHeader(swCFile& stream, SaveFileInfo& info)
{
    SavedGameInput in(stream);
    info.countriesInPlay = info.countriesAlive = 0;
    char magic[kSavedGameMagicSize];
    if (!in.readExact(magic, sizeof magic) || savedGameVersion(magic) < 0)
        return false;
    MapHeader header {};
    if (!previewBlock(in, info.campaign, sizeof(CampaignBlock)) || !previewBlock(in, nullptr, sizeof(ScenarioBlock))
        || !previewBlock(in, &header, sizeof header) || !previewBlock(in, info.turn, sizeof(TurnBlock)))
        return false;
    if (info.header)
        *info.header = header;

    uint32_t size = 0;
    if (!in.readU32(size) || size == 0 || size > sizeof(CountryRecord))
        return false;
    for (int c = 0; c < 8; ++c) {
        CountryRecord country {};
        if (!in.readExact(&country, size))
            return false;
        if (country.controller != 0) {
            ++info.countriesInPlay;
            if (country.inPlay == 1)
                ++info.countriesAlive;
        }
    }
    if (!previewBlock(in, nullptr, 10) || !previewBlock(in, nullptr, sizeof(RuleBlock)))
        return false;
    if (!info.header || !info.cells)
        return true;
    return previewCells(in, header, info.cells);
}

bool readSaveFileInfo(const char* path, SaveFileInfo& info)
{
    if (!path || !fileExists(path))
        return false;
    try {
        swCFile file(path, 0);
        return readSaveFileHeader(file, info);
    } catch (swCError* error) {
        delete error;
        return false;
    }
}
