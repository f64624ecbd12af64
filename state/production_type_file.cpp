// Reading and writing the bytes of a production-type file.
#include "state/production_type_file.h"

#include <cstring>

FileFault readProductionTypeFile(const uint8_t* data, size_t size, std::vector<ProductionTypeRecord>& out, size_t maxRecords)
{
    if (size < 4)
        return FileFault::Damaged;
    uint32_t record_size = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
    if (record_size == 0 || record_size > sizeof(ProductionTypeRecord))
        return FileFault::Damaged;
    // The count comes from the bytes after the header. Each record takes a whole slot whatever its
    // stored size, so the count is checked before anything grows.
    size_t count = (size - 4) / record_size;
    if (count > maxRecords)
        return FileFault::Damaged;
    out.reserve(out.size() + count);
    for (size_t i = 0; i < count; ++i) {
        ProductionTypeRecord record;
        std::memset(&record, 0, sizeof record);
        std::memcpy(&record, data + 4 + i * record_size, record_size);
        out.push_back(record);
    }
    return (size - 4) % record_size ? FileFault::Truncated : FileFault::None;
}

std::vector<uint8_t> productionTypeFileBytes(const ProductionTypeRecord* records, size_t count)
{
    std::vector<uint8_t> bytes(4 + count * sizeof(ProductionTypeRecord));
    uint32_t record_size = sizeof(ProductionTypeRecord);
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(record_size >> (8 * i));
    if (count)
        std::memcpy(bytes.data() + 4, records, count * sizeof(ProductionTypeRecord));
    return bytes;
}
