// Custom colours: the table and "cstmcl.dat" (defaults, short and long files, clamping), and
// the dialog driven through its controls.
#include "lib/error.h"
#include "lib/media/custom_color_table.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

using testing_lib::TempProgramFolder;

namespace {

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(CustomColorTable, WithoutAFileTheDefaultsHoldAndTheRestIsZero)
{
    TempProgramFolder folder("cstmcl");
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(9).hue, 330);
    EXPECT_EQ(table.entry(0).hue, 140);
    EXPECT_EQ(table.entry(4).hue, 0);
    EXPECT_EQ(table.entry(12), CustomColourEntry {});
    EXPECT_EQ(table.entry(19), CustomColourEntry {});
}

TEST(CustomColorTable, FilesAreReadUpTo120BytesOverTheClearedTableWithHuesClamped)
{
    TempProgramFolder folder("cstmcl");
    const std::string path = folder.host("cstmcl.dat");
    // Entry 0: hue 500 (clamped to 360), second 7, third 0xFFFF; entry 1 cut after its hue.
    writeAll(path, { 0xF4, 0x01, 7, 0, 0xFF, 0xFF, 45, 0 });
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(0), (CustomColourEntry { 360, 7, 0xFFFF }));
    EXPECT_EQ(table.entry(1), (CustomColourEntry { 45, 0, 0 }));
    EXPECT_EQ(table.entry(9), CustomColourEntry {});

    std::vector<uint8_t> longer(130, 0);
    longer[6 * 19] = 90;
    longer[120] = 200;
    writeAll(path, longer);
    table.clear();
    table.load(folder.path() + "/");
    EXPECT_EQ(table.entry(19).hue, 90);
    EXPECT_EQ(table.entry(0).hue, 0);
}

TEST(CustomColorTable, SavesTheTableAsStoredAndRoundTrips)
{
    TempProgramFolder folder("cstmcl");
    CustomColorTable table;
    table.clear();
    table.load(folder.path() + "/");
    table.setEntry(4, { 120, 3, 4 });
    table.setEntry(15, { 999, 1, 2 });
    table.save(folder.host("cstmcl.dat"));
    const auto bytes = readAll(folder.host("cstmcl.dat"));
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes[24], 0x78);
    EXPECT_EQ(bytes[25], 0x00);
    EXPECT_EQ(bytes[26], 3);
    EXPECT_EQ(bytes[6 * 15], 0x68);
    EXPECT_EQ(bytes[6 * 15 + 1], 0x01);

    CustomColorTable again;
    again.clear();
    again.load(folder.path() + "/");
    EXPECT_EQ(again, table);
}

TEST(CustomColorTable, ASaveIntoAFolderThatCannotHoldTheFileThrowsAFileError)
{
    TempProgramFolder folder("cstmcl");
    std::filesystem::create_directory(folder.host("cstmcl.dat"));
    CustomColorTable table;
    int code = -1;
    try {
        table.save(folder.host("cstmcl.dat"));
    } catch (swCError* error) {
        code = dynamic_cast<swCFileError*>(error) ? error->code() : -2;
        delete error;
    }
    EXPECT_EQ(code, 0);
}

} // namespace
