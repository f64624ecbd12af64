// The user production-type file ("*.upd"): magic, record size, one ProductionTypeRecord, unit section.
#pragma once

#include "state/production_type_record.h"

#include <cstddef>
#include <cstdint>
#include <span>

constexpr size_t kUserProductionMagicSize = 16;
// Magic, u32 record size, record: all the import reads; the unit section after it is for people.
constexpr size_t kUserProductionHeadSize = kUserProductionMagicSize + 4 + sizeof(ProductionTypeRecord);
extern const char kUserProductionMagic[kUserProductionMagicSize + 1];

// Who wrote a file, by its magic: 1..5 the earlier sibling products, 11 this program, -1 unknown.
enum UserProductionOrigin : int {
    kOriginUnknown = -1,
    kOriginSibling1 = 1,
    kOriginSibling2 = 2,
    kOriginSibling3 = 3,
    kOriginSibling4 = 4,
    kOriginSibling5 = 5,
    kOriginOwn = 11,
};
// Compares all 16 bytes of magic.
int productionTypeFileOrigin(const uint8_t* magic);

// Reads the head of a file into record, with a sibling's ids carried into this program's numbering
// and the name cut to end inside its field.
// Refused (false): an unknown magic; the three oldest siblings, whose id tables this program does
// not have; a record size of 0 or above the record; bytes shorter than the stored record.
bool readUserProductionFile(std::span<const uint8_t> bytes, ProductionTypeRecord& record);
