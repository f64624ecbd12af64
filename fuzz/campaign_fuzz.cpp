// Feeds arbitrary bytes to the campaign reader: the record, then every map the directory names.
#include "state/campaign_file.h"
#include "state/memory_read_stream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CampaignRecord record;
    MemoryReadStream stream(data, size);
    readCampaignRecord(stream, size, record);
    std::vector<uint8_t> map;
    for (int i = 0; i < kCampaignMapCount; ++i) {
        MemoryReadStream reading(data, size);
        readCampaignMap(reading, size, i, map);
    }
    return 0;
}
