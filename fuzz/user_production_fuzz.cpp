// Feeds any bytes to the user production-type file reader: refused, or one whole record.
#include "state/user_production_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ProductionTypeRecord record;
    if (readUserProductionFile(std::span(data, size), record)) {
        volatile uint8_t sink = record.producible[sizeof record.producible - 1];
        (void)sink;
    }
    return 0;
}
