// The opening checks of map and scenario files.
#include "state/map_file_checks.h"

#include <cstring>

MapFileError mapFileFault(int section, int64_t offset, std::string what, FileFault fault)
{
    MapFileError e;
    e.what = std::move(what);
    e.fault = fault;
    e.offset = offset;
    e.section = section;
    return e;
}

MapFileError checkScenarioHead(std::span<const uint8_t> opening, uint64_t file_size, ScenarioHead& out)
{
    if (opening.size() < sizeof(MapFileHeader))
        return mapFileFault(-1, 0, "file of " + std::to_string(file_size) + " bytes is shorter than the header",
            file_size == 0 ? FileFault::Empty : FileFault::Truncated);
    MapFileHeader head;
    std::memcpy(&head, opening.data(), sizeof head);
    const int version = scenarioFileVersion(head.magic);
    if (version < 0)
        return mapFileFault(-1, 0, "unknown magic", FileFault::Format);
    if (head.length < sizeof(MapFileHeader) || head.length > kMapHeaderCapacity)
        return mapFileFault(-1, 16, "header length " + std::to_string(head.length) + " outside 20.." + std::to_string(kMapHeaderCapacity));
    if (head.length > file_size || head.length > opening.size())
        return mapFileFault(-1, 16, "header length " + std::to_string(head.length) + " past the end of the file", FileFault::Truncated);
    out.version = version;
    out.headerLength = head.length;
    return {};
}

MapDirectoryEntry scenarioDirectoryEntry(std::span<const uint8_t> opening, const ScenarioHead& head, int index)
{
    MapDirectoryEntry e {};
    const uint64_t place = sizeof(MapFileHeader) + uint64_t(index) * sizeof(MapDirectoryEntry);
    if (place + sizeof e > head.headerLength || place + sizeof e > opening.size())
        return e;
    std::memcpy(&e, opening.data() + place, sizeof e);
    return e;
}

MapFileError checkScenarioBlock(int index, const MapDirectoryEntry& entry, uint32_t limit, uint64_t file_size)
{
    if (entry.size > limit)
        return mapFileFault(index, entry.offset, "size " + std::to_string(entry.size) + " exceeds " + std::to_string(limit));
    if (uint64_t(entry.offset) + entry.size > file_size)
        return mapFileFault(index, entry.offset, "section of " + std::to_string(entry.size) + " bytes runs past the end of the file",
            FileFault::Truncated);
    return {};
}

MapFileError checkMapSize(const MapHeader& header, int64_t offset)
{
    if (header.width < 1 || header.width > kMaxMapSide || header.height < 1 || header.height > kMaxMapSide)
        return mapFileFault(kSectionMapHeader, offset,
            "map size " + std::to_string(header.width) + " x " + std::to_string(header.height) + " outside 1..256");
    return {};
}

MapFileError checkTrailerOffset(const ScenarioHead& head, uint64_t file_size, uint32_t trailer)
{
    if (head.version < 3)
        return {};
    if (file_size < head.headerLength + 4u)
        return mapFileFault(-1, int64_t(file_size), "no room for the trailer offset", FileFault::Truncated);
    if (trailer > file_size - 4)
        return mapFileFault(-1, int64_t(file_size) - 4, "trailer offset " + std::to_string(trailer) + " past the end of the file");
    return {};
}
