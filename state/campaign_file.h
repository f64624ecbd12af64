// The campaign file: its directory, the reader of the record and the embedded maps, and the writer.
#pragma once

#include "lib/file_fault.h"
#include "state/campaign_block.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class swCFile;

constexpr char kCampaignMagic[] = "ZAFRONCAMP000001";
constexpr int kCampaignMagicSize = 16;
// Magic, length and the directory: entry 0 the record, entry 1 + i the map of stage i.
constexpr uint32_t kCampaignHeaderCapacity = 872;
constexpr int kCampaignDirectoryEntries = 1 + kCampaignMapCount;
// No embedded map comes near this; a larger stored size is damage.
constexpr uint32_t kMaxCampaignMapSize = 64u << 20;
constexpr size_t kMaxCampaignFileBytes = size_t(kCampaignDirectoryEntries) * kMaxCampaignMapSize;

// Only the entries whose pointer is set are read; a map buffer must be exactly its directory size.
struct CampaignReadTargets {
    CampaignRecord* record = nullptr;
    std::array<uint8_t*, kCampaignMapCount> maps {};
    std::array<uint32_t, kCampaignMapCount> sizes {};
};

class CampaignReader {
public:
    // 1 when the file was read, 0 otherwise (missing file, unknown magic, an entry out of bounds).
    int read(const CampaignReadTargets& targets, const char* path);
    int read(const CampaignReadTargets& targets, swCFile& file, uint64_t file_size);
};

// The directory size of stage i's map; 0 for a missing, damaged or unreadable entry.
uint32_t campaignEntrySize(const char* path, int i);
uint32_t campaignEntrySize(swCFile& file, uint64_t file_size, int i);
int campaignFileVersion(const char* magic);
// The record, and stage i's map whole in a buffer of its stored size; the refusal says what keeps
// either from being read: the file, its header, or the entry (a cut file ends inside it).
FileRefusal readCampaignRecord(const char* path, CampaignRecord& record);
FileRefusal readCampaignMap(const char* path, int i, std::vector<uint8_t>& map);

// For tools and tests; at most 50 maps.
std::vector<uint8_t> writeCampaignBytes(const CampaignRecord& record, const std::vector<std::vector<uint8_t>>& maps);
