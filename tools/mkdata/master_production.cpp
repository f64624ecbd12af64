// "producttype.dat" and "sproducttype.dat": the built-in production types, u32 record size then
// 2534-byte records (a 34-byte name and one producible bit per unit type id).
#include "tools/mkdata/generator.h"

#include "platform/kernel/host.h"

#include <cstring>
#include <string>
#include <vector>

namespace mkdata::master {
namespace {

constexpr size_t kRecordSize = 2534;
constexpr size_t kNameSize = 34;

struct ProductionType {
    const char* name;
    std::vector<int> unitTypes;
};

// Ids as in weapon.dat: 2..11 land, 20..25 air, 30..38 sea.
const ProductionType kNormal[] = {
    { "標準", { 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 24, 25, 30, 31, 32, 33, 34, 36, 37 } },
    { "陸軍重視", { 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 22, 23, 32 } },
    { "海軍重視", { 2, 6, 8, 9, 20, 22, 30, 31, 32, 33, 34, 36, 37, 38 } },
    { "空軍重視", { 2, 6, 7, 8, 9, 20, 21, 22, 23, 24, 25, 32 } },
    { "歩兵部隊", { 2, 8, 9, 10, 23 } },
    // Types with several armament sets to choose from, and the torpedo boat with its quarry.
    { "多用途", { 2, 8, 20, 21, 22, 30, 31, 35 } },
};
const ProductionType kSimple[] = {
    { "標準", { 2, 3, 4, 6, 8, 9, 20, 21, 22, 30, 31, 32 } },
};

template <size_t N>
std::vector<unsigned char> fileBytes(const ProductionType (&types)[N])
{
    std::vector<unsigned char> bytes(4 + N * kRecordSize, 0);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(kRecordSize >> (8 * i));
    for (size_t t = 0; t < N; ++t) {
        unsigned char* record = bytes.data() + 4 + t * kRecordSize;
        std::string name = platform::utf8ToCp932(types[t].name);
        std::memcpy(record, name.data(), std::min(name.size(), kNameSize - 1));
        for (int id : types[t].unitTypes)
            record[kNameSize + id / 8] |= static_cast<unsigned char>(1u << (id % 8));
    }
    return bytes;
}

void writeProductionTypes(const std::filesystem::path& programFolder)
{
    writeFile(programFolder / "producttype.dat", fileBytes(kNormal));
    writeFile(programFolder / "sproducttype.dat", fileBytes(kSimple));
}

} // namespace

MKDATA_GENERATOR("master_production", writeProductionTypes);

} // namespace mkdata::master
