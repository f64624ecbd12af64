// Feeds any bytes to the production-type file reader: refused, or whole records within the block.
#include "state/production_type_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<ProductionTypeRecord> records;
    if (readProductionTypeFile(data, size, records) != FileFault::Damaged) {
        volatile uint8_t sink = 0;
        for (const ProductionTypeRecord& record : records)
            sink = sink + record.producible[sizeof record.producible - 1];
        std::vector<uint8_t> bytes = productionTypeFileBytes(records.data(), records.size());
        sink = sink + bytes[0];
    }
    return 0;
}
