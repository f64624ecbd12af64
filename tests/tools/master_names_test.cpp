// The generated master files' names fit the fields the program reads them into, so no window shows
// a weapon cut short ("携帯地対空ミサイ").
#include "state/unit_type_record.h"
#include "state/weapon_record.h"
#include "tests/tools/sheet_pictures.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

using namespace testing_sheets;

TEST(MasterNames, FitTheirFieldsWithTheirEnd)
{
    struct Field {
        const char* file;
        int column;
        size_t width;
    };
    std::vector<Field> fields = {
        { "warm.dat", 1, sizeof WeaponRecord::name },
        { "warm.dat", 2, sizeof WeaponRecord::subName },
    };
    for (const char* file : { "weapon.dat", "sweapon.dat" }) {
        fields.push_back({ file, 2, sizeof UnitTypeRecord::name });
        for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
            fields.push_back({ file, 75 + 4 * slot, sizeof WeaponSlot::name });
            fields.push_back({ file, 76 + 4 * slot, sizeof WeaponSlot::subName });
        }
    }
    for (const Field& field : fields) {
        const auto lines = masterLines(field.file);
        ASSERT_FALSE(lines.empty()) << field.file;
        for (const std::vector<std::string>& line : lines) {
            if (line.size() < size_t(field.column))
                continue;
            const std::string& name = line[size_t(field.column - 1)];
            EXPECT_LT(name.size(), field.width) << field.file << " column " << field.column << ": " << platform::cp932ToUtf8(name);
        }
    }
}
