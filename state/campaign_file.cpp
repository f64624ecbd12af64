// Reading and writing the campaign file; every stored offset and size is checked against the file.
#include "state/campaign_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "state/map_file_layout.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct CampaignDirectory {
    std::array<MapDirectoryEntry, kCampaignDirectoryEntries> entries {};
};

bool readAt(swCFile& file, uint64_t offset, void* buffer, uint32_t size)
{
    if (offset > uint64_t(std::numeric_limits<LONG>::max()))
        return false;
    if (file.fileSeek(LONG(offset), 0) != DWORD(offset))
        return false;
    return size == 0 || file.fileRead(buffer, size) == size;
}

// The header is read twice as the format asks: its length first, then the whole header.
FileRefusal readDirectory(swCFile& file, uint64_t file_size, CampaignDirectory& out)
{
    MapFileHeader head {};
    if (!readAt(file, 0, &head, sizeof head))
        return { FileFault::Truncated, -1, "file ends in the header" };
    if (campaignFileVersion(head.magic) != 1)
        return { FileFault::Format, 0, "unknown magic" };
    if (head.length < sizeof head || head.length > kCampaignHeaderCapacity)
        return { FileFault::Damaged, offsetof(MapFileHeader, length), "header length out of range" };
    uint8_t header[kCampaignHeaderCapacity] = {};
    if (head.length > file_size || !readAt(file, 0, header, head.length))
        return { FileFault::Truncated, -1, "file ends in the header" };
    // A short header leaves the entries it does not hold empty.
    size_t stored = (head.length - sizeof head) / sizeof(MapDirectoryEntry);
    if (stored > out.entries.size())
        stored = out.entries.size();
    std::memcpy(out.entries.data(), header + sizeof head, stored * sizeof(MapDirectoryEntry));
    return {};
}

bool entryFits(const MapDirectoryEntry& entry, uint64_t file_size, uint32_t limit)
{
    return entry.size > 0 && entry.size <= limit && uint64_t(entry.offset) + entry.size <= file_size;
}

// Entry i of the directory: an empty or oversized entry is damage, one past the file's end a cut.
FileRefusal entryFault(const MapDirectoryEntry& entry, int i, uint64_t file_size, uint32_t limit)
{
    if (entryFits(entry, file_size, limit))
        return {};
    const std::string what = i == 0 ? std::string("the record") : "map " + std::to_string(i - 1);
    if (entry.size == 0 || entry.size > limit)
        return { FileFault::Damaged, int64_t(sizeof(MapFileHeader) + size_t(i) * sizeof entry), what + ": no size or too large" };
    return { FileFault::Truncated, -1, "file ends in " + what };
}

// Checks directory entry i of the open file and hands it to read; the refusal says why not.
template <typename Read>
FileRefusal readEntry(swCFile& file, uint64_t file_size, int i, uint32_t limit, Read read)
{
    try {
        CampaignDirectory directory;
        if (FileRefusal why = readDirectory(file, file_size, directory))
            return why;
        const MapDirectoryEntry& entry = directory.entries[size_t(i)];
        if (FileRefusal why = entryFault(entry, i, file_size, limit))
            return why;
        if (read(file, entry))
            return {};
    } catch (swCError* error) {
        delete error;
    }
    return { FileFault::Unreadable, -1, "campaign file not read" };
}

// The same from the file at path, whose size is checked before anything is read.
template <typename Read>
FileRefusal readEntry(const char* path, int i, uint32_t limit, Read read)
{
    if (FileFault fault = checkFileBytes(path, kMaxCampaignFileBytes); fault != FileFault::None)
        return { fault, -1, "campaign file not read" };
    try {
        swCFile file(path, 0);
        return readEntry(file, file.fileGetSize(), i, limit, read);
    } catch (swCError* error) {
        delete error;
    }
    return { FileFault::Unreadable, -1, "campaign file not read" };
}

auto recordInto(CampaignRecord& record)
{
    return [&record](swCFile& file, const MapDirectoryEntry& entry) {
        std::memset(&record, 0, sizeof record);
        return readAt(file, entry.offset, &record, entry.size);
    };
}

auto mapInto(std::vector<uint8_t>& map)
{
    return [&map](swCFile& file, const MapDirectoryEntry& entry) {
        map.resize(entry.size);
        return readAt(file, entry.offset, map.data(), entry.size);
    };
}

FileRefusal noMap(int i) { return { FileFault::Damaged, -1, "no map " + std::to_string(i) + " in a campaign" }; }

} // namespace

int campaignFileVersion(const char* magic)
{
    return magic && std::memcmp(magic, kCampaignMagic, kCampaignMagicSize) == 0 ? 1 : -1;
}

FileRefusal readCampaignRecord(const char* path, CampaignRecord& record)
{
    return readEntry(path, 0, kCampaignRecordSize, recordInto(record));
}

FileRefusal readCampaignRecord(swCFile& file, uint64_t file_size, CampaignRecord& record)
{
    return readEntry(file, file_size, 0, kCampaignRecordSize, recordInto(record));
}

FileRefusal readCampaignMap(const char* path, int i, std::vector<uint8_t>& map)
{
    map.clear();
    if (i < 0 || i >= kCampaignMapCount)
        return noMap(i);
    return readEntry(path, i + 1, kMaxCampaignMapSize, mapInto(map));
}

FileRefusal readCampaignMap(swCFile& file, uint64_t file_size, int i, std::vector<uint8_t>& map)
{
    map.clear();
    if (i < 0 || i >= kCampaignMapCount)
        return noMap(i);
    return readEntry(file, file_size, i + 1, kMaxCampaignMapSize, mapInto(map));
}

std::vector<uint8_t> writeCampaignBytes(const CampaignRecord& record, const std::vector<std::vector<uint8_t>>& maps)
{
    constexpr uint32_t header_size = sizeof(MapFileHeader) + kCampaignDirectoryEntries * sizeof(MapDirectoryEntry);
    std::vector<uint8_t> out(header_size, 0);
    MapFileHeader head {};
    std::memcpy(head.magic, kCampaignMagic, kCampaignMagicSize);
    head.length = header_size;
    std::memcpy(out.data(), &head, sizeof head);
    auto append = [&](int entry_index, const void* bytes, size_t size) {
        MapDirectoryEntry entry { uint32_t(out.size()), uint32_t(size), 1 };
        std::memcpy(out.data() + sizeof head + size_t(entry_index) * sizeof entry, &entry, sizeof entry);
        const uint8_t* p = static_cast<const uint8_t*>(bytes);
        out.insert(out.end(), p, p + size);
    };
    append(0, &record, sizeof record);
    for (size_t i = 0; i < maps.size() && i < size_t(kCampaignMapCount); ++i)
        if (!maps[i].empty())
            append(int(i) + 1, maps[i].data(), maps[i].size());
    return out;
}
