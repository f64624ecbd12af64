// Reading the head of a user production-type file and carrying a sibling's producible ids over.
#include "state/user_production_file.h"

#include <cstring>

const char kUserProductionMagic[kUserProductionMagicSize + 1] = "ZAFRONUPD0000001";

namespace {

struct OriginMagic {
    const char* magic;
    int origin;
};

constexpr OriginMagic kOrigins[] = {
    { "MORVELANTUPD0000", kOriginSibling1 },
    { "PELVANOUPD000000", kOriginSibling2 },
    { "QUELLAROSEPD0000", kOriginSibling3 },
    { "MORVELAN2UPD0001", kOriginSibling4 },
    { "MORVELAN2UPD0002", kOriginSibling5 },
    { kUserProductionMagic, kOriginOwn },
};

// Siblings 4 and 5 share this program's numbering below 5000 and had nothing above it.
constexpr int kSiblingIdLimit = 5000;

} // namespace

int productionTypeFileOrigin(const uint8_t* magic)
{
    for (const OriginMagic& entry : kOrigins)
        if (std::memcmp(magic, entry.magic, kUserProductionMagicSize) == 0)
            return entry.origin;
    return kOriginUnknown;
}

bool readUserProductionFile(std::span<const uint8_t> bytes, ProductionTypeRecord& record)
{
    if (bytes.size() < kUserProductionMagicSize + 4)
        return false;
    int origin = productionTypeFileOrigin(bytes.data());
    if (origin != kOriginOwn && origin != kOriginSibling4 && origin != kOriginSibling5)
        return false;
    size_t at = kUserProductionMagicSize;
    uint32_t record_size = uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16
        | uint32_t(bytes[at + 3]) << 24;
    at += 4;
    if (record_size == 0 || record_size > sizeof(ProductionTypeRecord) || bytes.size() - at < record_size)
        return false;
    ProductionTypeRecord read;
    std::memset(&read, 0, sizeof read);
    std::memcpy(&read, bytes.data() + at, record_size);
    // Names are shown as C strings; a file's must end inside its field.
    read.name[sizeof read.name - 1] = '\0';
    record = read;
    if (origin == kOriginOwn)
        return true;
    std::memset(record.producible, 0, sizeof record.producible);
    for (int id = 0; id < kSiblingIdLimit; ++id)
        if (read.canProduce(id))
            record.setProducible(id, true);
    return true;
}
