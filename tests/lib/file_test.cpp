// swCFile and swCFileLink on real files: open modes, short reads, seeks and their failures.
#include "lib/file.h"
#include "lib/file_link.h"
#include "link_archive_builder.h"
#include "temp_program_folder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstring>

using namespace testing_lib;

namespace {

std::string contents(const std::string& host_path)
{
    std::stringstream text;
    text << std::ifstream(host_path, std::ios::binary).rdbuf();
    return text.str();
}

void writeHost(const std::string& host_path, std::string_view bytes)
{
    std::ofstream(host_path, std::ios::binary) << bytes;
}

} // namespace

TEST(File, ReadingAMissingFileThrowsOpenErrorNamingIt)
{
    TempProgramFolder folder;
    ThrownError e = thrownError([] { swCFile file("missing.dat", 0); });
    EXPECT_TRUE(e.isFileError);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.caption, "missing.dat");
    EXPECT_EQ(fileErrorCode([] { swCFile file("missing.dat", 9); }), 0) << "unknown modes read";
    EXPECT_EQ(thrownError([] { swCFileLink link("none.lnk"); }).caption, "none.lnk");
}

TEST(File, WritingModesCreateAndOnlyModeOneTruncates)
{
    TempProgramFolder folder;
    for (const char* name : { "1", "2", "3" }) {
        for (const char* text : { "abcdef", "XY" }) {
            swCFile file(name, name[0] - '0');
            file.fileWrite(text, DWORD(std::strlen(text)));
        }
    }
    EXPECT_EQ(contents(folder.host("1")), "XY");
    EXPECT_EQ(contents(folder.host("2")), "XYcdef");
    EXPECT_EQ(contents(folder.host("3")), "XYcdef");
}

TEST(File, ReadsShortAtTheEndAndSeeksFromEachOrigin)
{
    TempProgramFolder folder;
    writeHost(folder.host("ten.dat"), "0123456789");
    swCFile file("ten.dat", 0);
    EXPECT_EQ(file.fileGetSize(), 10u);
    char buffer[32] = {};
    EXPECT_EQ(file.fileRead(buffer, 4), 4u);
    EXPECT_EQ(file.fileRead(buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(file.fileRead(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.fileSeek(2, 0), 2u);
    EXPECT_EQ(file.fileSeek(3, 1), 5u);
    EXPECT_EQ(file.fileSeek(-1, 2), 9u);
    EXPECT_EQ(fileErrorCode([&] { file.fileWrite("y", 1); }), 2) << "mode 0 does not write";
    EXPECT_TRUE(file.isOpen());

    // A failed seek gives the handle up, so later calls fail instead of reaching a stale one.
    EXPECT_EQ(fileErrorCode([&] { file.fileSeek(-5, 0); }), 3);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(fileErrorCode([&] { file.fileRead(buffer, 1); }), 1);
    EXPECT_EQ(fileErrorCode([&] { file.fileClose(); }), -1);
}

TEST(File, ExistsOnlyForFiles)
{
    TempProgramFolder folder;
    writeHost(folder.host("here.dat"), "x");
    std::filesystem::create_directory(folder.host("sub"));
    EXPECT_TRUE(fileExists("here.dat"));
    EXPECT_FALSE(fileExists("sub"));
    EXPECT_FALSE(fileExists("gone.dat"));
}

TEST(FileLink, ReadsArchiveFilesAndLeavesOtherFilesMemberless)
{
    TempProgramFolder folder;
    Bytes a(500, 1), b { 1, 2, 3, 4, 5, 6 };
    Bytes archive = blockArchive({ { { 2, b } }, { { 0, rleEncode(a, 1) } } });
    writeHost(folder.host("blk.lnk"), std::string_view(reinterpret_cast<const char*>(archive.data()), archive.size()));
    writeHost(folder.host("plain.txt"), "hi");

    swCFileLink link("blk.lnk");
    EXPECT_EQ(link.version(), 0);
    const BYTE* data = nullptr;
    ASSERT_EQ(link.linkGetMember(1, &data), a.size());
    EXPECT_EQ(Bytes(data, data + a.size()), a);
    ASSERT_EQ(link.linkGetMember(0, &data), b.size());
    EXPECT_EQ(Bytes(data, data + b.size()), b);
    EXPECT_EQ(fileErrorCode([&] { link.linkGetMember(2, &data); }), 1);

    swCFileLink plain("plain.txt");
    EXPECT_EQ(plain.version(), 2);
    const BYTE* untouched = data;
    EXPECT_EQ(plain.linkGetMember(0, &data), 0u);
    EXPECT_EQ(data, untouched);
}
