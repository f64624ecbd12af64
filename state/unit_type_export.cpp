// Export of unit types with the weapons and image files that exist only beside the program.
#include "state/unit_type_export.h"

#include "lib/file.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/saved_game_stream.h"
#include "state/unit_facts.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kOwnFileNumber = 20000;
constexpr int kSizes[3] = { 16, 32, 48 };

// A file block: u32 length and the file's bytes, only for numbers of 20000 and up whose file
// exists; otherwise a u32 0.
void writeFileBlock(swCFile& out, uint32_t number, const std::string& path)
{
    if (number < kOwnFileNumber || path.empty() || !fileExists(path.c_str())) {
        writeU32(out, 0);
        return;
    }
    swCFile in(path.c_str(), 0);
    std::vector<uint8_t> bytes(in.fileGetSize());
    bytes.resize(in.fileRead(bytes.data(), DWORD(bytes.size())));
    writeU32(out, uint32_t(bytes.size()));
    writeExact(out, bytes.data(), DWORD(bytes.size()));
}

} // namespace

void writeUnitTypeSection(const GameState& state, const std::vector<int>& type_ids, const BattleEntryLookup& battle_entry,
    swCFile& out)
{
    std::vector<const UnitTypeRecord*> types;
    for (int id : type_ids)
        if (state.unitTypeIndex(id))
            types.push_back(&state.unitTypeRecord(id));
    writeExact(out, "VKRWPN01", 8);
    writeU32(out, uint32_t(types.size()));
    for (const UnitTypeRecord* type : types) {
        writeU32(out, sizeof(UnitTypeRecord));
        writeExact(out, type, sizeof(UnitTypeRecord));
        writeU32(out, sizeof(WeaponRecord));
        for (const WeaponSlot& slot : type->weaponSlot) {
            bool own = slot.weaponId >= kOwnFileNumber && state.weaponIndex(slot.weaponId);
            writeU32(out, own ? 1 : 0);
            if (own)
                writeExact(out, &state.weaponRecord(slot.weaponId), sizeof(WeaponRecord));
        }
        writeFileBlock(out, type->imageNumber, unitImagePath(*type));

        BattleEntry entry {};
        if (!battle_entry || !battle_entry(type->id, entry))
            entry.fill(0);
        writeExact(out, entry.data(), DWORD(entry.size()));
        // The battle sprite number is the u16 at byte 54 of the entry.
        uint32_t sprite = uint32_t(entry[54] | entry[55] << 8);
        char name[32];
        std::snprintf(name, sizeof name, sprite >= 10000 ? "%u.dat" : "%04u.dat", sprite);
        writeFileBlock(out, sprite, dataPath(name, kFolderBattle));

        for (int size : kSizes) {
            int number = size == 16 ? type->wtImage16 : size == 32 ? type->wtImage32 : type->wtImageOther;
            writeFileBlock(out, uint32_t(number), unitWtImagePath(*type, size, false));
        }
        for (int size : kSizes) {
            int number = size == 16 ? type->miImage16 : size == 32 ? type->miImage32 : type->miImageOther;
            writeFileBlock(out, uint32_t(number), unitMiImagePath(*type, size, false));
        }
    }
}
