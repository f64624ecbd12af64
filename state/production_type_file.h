// The production-type file: u32 record size, then whole records of that size.
#pragma once

#include "state/production_type_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends every whole record after the header; each is zeroed and then filled with the stored
// size. Refuses (false, nothing appended) a file shorter than its header, or a record size of 0
// or above the record's own size.
bool readProductionTypeFile(const uint8_t* data, size_t size, std::vector<ProductionTypeRecord>& out);
std::vector<uint8_t> productionTypeFileBytes(const ProductionTypeRecord* records, size_t count);
