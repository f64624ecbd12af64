// The production-type file: u32 record size, then whole records of that size.
#pragma once

#include "lib/file_fault.h"
#include "state/production_type_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends every whole record after the header; each is zeroed and then filled with the stored
// size. Refuses (Damaged, nothing appended) a file shorter than its header, a record size of 0 or
// above the record's own size, or more records than maxRecords (the most its table keeps). A file
// that ends inside a record keeps the whole records before it and gives Truncated.
FileFault readProductionTypeFile(const uint8_t* data, size_t size, std::vector<ProductionTypeRecord>& out,
    size_t maxRecords = kFirstUserProductionType);
// The bytes of a production-type file of count whole records.
constexpr size_t productionTypeFileSize(size_t count) { return 4 + count * sizeof(ProductionTypeRecord); }
std::vector<uint8_t> productionTypeFileBytes(const ProductionTypeRecord* records, size_t count);
