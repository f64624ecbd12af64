// The checks of a map file's opening bytes, shared by the whole-file reader and the header-only one.
#pragma once

#include "state/map_file.h"

#include <span>

struct ScenarioHead {
    int version = -1;
    uint32_t headerLength = 0;
};

MapFileError mapFileFault(int section, int64_t offset, std::string what, FileFault fault = FileFault::Damaged);
// The magic and the stored header length, against the opening bytes and the whole file's size.
MapFileError checkScenarioHead(std::span<const uint8_t> opening, uint64_t file_size, ScenarioHead& out);
// Directory entry index; all zero when it lies past the stored header length (the section is absent).
MapDirectoryEntry scenarioDirectoryEntry(std::span<const uint8_t> opening, const ScenarioHead& head, int index);
// A block of at most limit bytes that must lie inside the file.
MapFileError checkScenarioBlock(int index, const MapDirectoryEntry& entry, uint32_t limit, uint64_t file_size);
// The map size after the version fix-ups: 1..256 each way.
MapFileError checkMapSize(const MapHeader& header, int64_t offset);
// Versions 3 and 4 end with the offset of their trailer, which must lie inside the file.
MapFileError checkTrailerOffset(const ScenarioHead& head, uint64_t file_size, uint32_t trailer);
