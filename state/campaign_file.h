// The campaign file: its directory, the reader of the record and the embedded maps, and the writer.
#pragma once

#include "lib/file_fault.h"
#include "state/campaign_block.h"

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

int campaignFileVersion(const char* magic);
// The record, and stage i's map whole in a buffer of its stored size; the refusal says what keeps
// either from being read: the file, its header, or the entry (a cut file ends inside it).
// The file at path is checked for its size first; an open file (or stream) is read as it is.
FileRefusal readCampaignRecord(const char* path, CampaignRecord& record);
FileRefusal readCampaignRecord(swCFile& file, uint64_t file_size, CampaignRecord& record);
FileRefusal readCampaignMap(const char* path, int i, std::vector<uint8_t>& map);
FileRefusal readCampaignMap(swCFile& file, uint64_t file_size, int i, std::vector<uint8_t>& map);

// For tools and tests; at most 50 maps.
std::vector<uint8_t> writeCampaignBytes(const CampaignRecord& record, const std::vector<std::vector<uint8_t>>& maps);
