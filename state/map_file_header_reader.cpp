// The header-only entry of the map reader: the file's directory and its map header section.
#include "state/map_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/file_fault.h"
#include "state/map_file_checks.h"

#include <algorithm>
#include <cstring>

namespace {

MapFileError readHeader(swCFile& file, MapHeader& out)
{
    const uint64_t size = file.fileGetSize();
    uint8_t opening[kMapHeaderCapacity] = {};
    const DWORD wanted = DWORD(std::min<uint64_t>(size, sizeof opening));
    if (file.fileRead(opening, wanted) != wanted)
        return mapFileFault(-1, 0, "the opening bytes cannot be read", FileFault::Truncated);
    ScenarioHead head;
    if (auto e = checkScenarioHead(std::span<const uint8_t>(opening, wanted), size, head))
        return e;

    const MapDirectoryEntry entry = scenarioDirectoryEntry(std::span<const uint8_t>(opening, wanted), head, kSectionMapHeader);
    MapHeader header {};
    if (entry.size != 0) {
        if (auto e = checkScenarioBlock(kSectionMapHeader, entry, sizeof header, size))
            return e;
        file.fileSeek(LONG(entry.offset), 0);
        if (file.fileRead(&header, entry.size) != entry.size)
            return mapFileFault(kSectionMapHeader, entry.offset, "the map header cannot be read", FileFault::Truncated);
    }
    if (head.version == 1)
        header.buildingIncome = 1;
    if (auto e = checkMapSize(header, entry.offset))
        return e;

    uint32_t trailer = 0;
    if (head.version >= 3 && size >= 4) {
        file.fileSeek(LONG(size - 4), 0);
        if (file.fileRead(&trailer, 4) != 4)
            return mapFileFault(-1, int64_t(size) - 4, "the trailer offset cannot be read", FileFault::Truncated);
    }
    if (auto e = checkTrailerOffset(head, size, trailer))
        return e;
    out = header;
    return {};
}

} // namespace

MapFileError readScenarioHeader(const char* path, MapHeader& out)
{
    if (!path)
        return mapFileFault(-1, -1, "no such file", FileFault::Missing);
    try {
        swCFile file(path, 0);
        return readHeader(file, out);
    } catch (swCError* error) {
        delete error;
        return mapFileFault(-1, -1, "the file cannot be opened", openFault(path));
    }
}
