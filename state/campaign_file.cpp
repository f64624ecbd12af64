// Reading and writing the campaign file; every stored offset and size is checked against the file.
#include "state/campaign_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "state/map_file_layout.h"

#include <cstring>
#include <limits>

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
bool readDirectory(swCFile& file, uint64_t file_size, CampaignDirectory& out)
{
    MapFileHeader head {};
    if (!readAt(file, 0, &head, sizeof head))
        return false;
    if (head.length < sizeof head || head.length > kCampaignHeaderCapacity || head.length > file_size)
        return false;
    uint8_t header[kCampaignHeaderCapacity] = {};
    if (!readAt(file, 0, header, head.length))
        return false;
    if (campaignFileVersion(reinterpret_cast<const char*>(header)) != 1)
        return false;
    // A short header leaves the entries it does not hold empty.
    size_t stored = (head.length - sizeof head) / sizeof(MapDirectoryEntry);
    if (stored > out.entries.size())
        stored = out.entries.size();
    std::memcpy(out.entries.data(), header + sizeof head, stored * sizeof(MapDirectoryEntry));
    return true;
}

bool entryFits(const MapDirectoryEntry& entry, uint64_t file_size, uint32_t limit)
{
    return entry.size > 0 && entry.size <= limit && uint64_t(entry.offset) + entry.size <= file_size;
}

} // namespace

int campaignFileVersion(const char* magic)
{
    return magic && std::memcmp(magic, kCampaignMagic, kCampaignMagicSize) == 0 ? 1 : -1;
}

int CampaignReader::read(const CampaignReadTargets& targets, swCFile& file, uint64_t file_size)
{
    CampaignDirectory directory;
    if (!readDirectory(file, file_size, directory))
        return 0;
    if (targets.record) {
        const MapDirectoryEntry& entry = directory.entries[0];
        if (!entryFits(entry, file_size, kCampaignRecordSize))
            return 0;
        std::memset(targets.record, 0, sizeof(CampaignRecord));
        if (!readAt(file, entry.offset, targets.record, entry.size))
            return 0;
    }
    for (int i = 0; i < kCampaignMapCount; ++i) {
        uint8_t* buffer = targets.maps[size_t(i)];
        if (!buffer)
            continue;
        const MapDirectoryEntry& entry = directory.entries[size_t(i) + 1];
        if (!entryFits(entry, file_size, kMaxCampaignMapSize) || entry.size != targets.sizes[size_t(i)])
            return 0;
        if (!readAt(file, entry.offset, buffer, entry.size))
            return 0;
    }
    return 1;
}

int CampaignReader::read(const CampaignReadTargets& targets, const char* path)
{
    try {
        swCFile file(path, 0);
        return read(targets, file, file.fileGetSize());
    } catch (swCError* error) {
        delete error;
        return 0;
    }
}

uint32_t campaignEntrySize(swCFile& file, uint64_t file_size, int i)
{
    CampaignDirectory directory;
    if (i < 0 || i >= kCampaignMapCount || !readDirectory(file, file_size, directory))
        return 0;
    const MapDirectoryEntry& entry = directory.entries[size_t(i) + 1];
    return entryFits(entry, file_size, kMaxCampaignMapSize) ? entry.size : 0;
}

uint32_t campaignEntrySize(const char* path, int i)
{
    try {
        swCFile file(path, 0);
        return campaignEntrySize(file, file.fileGetSize(), i);
    } catch (swCError* error) {
        delete error;
        return 0;
    }
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
