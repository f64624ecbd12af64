// Feeds arbitrary bytes to the campaign reader: the record, then every map the directory names.
#include "state/campaign_file.h"
#include "state/memory_read_stream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CampaignRecord record;
    CampaignReadTargets targets;
    targets.record = &record;
    MemoryReadStream stream(data, size);
    CampaignReader().read(targets, stream, size);
    for (int i = 0; i < kCampaignMapCount; ++i) {
        MemoryReadStream sizing(data, size);
        uint32_t map_size = campaignEntrySize(sizing, size, i);
        if (map_size == 0)
            continue;
        std::vector<uint8_t> map(map_size);
        CampaignReadTargets one;
        one.maps[size_t(i)] = map.data();
        one.sizes[size_t(i)] = map_size;
        MemoryReadStream reading(data, size);
        CampaignReader().read(one, reading, size);
    }
    return 0;
}
