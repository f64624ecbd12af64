// swCFileLink on files: members of both formats, non-archives and damaged archives.
#include "lib/file_link.h"
#include "link_archive_builder.h"
#include "temp_program_folder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace testing_lib;

namespace {

void writeHost(const std::string& host_path, const Bytes& bytes)
{
    std::ofstream(host_path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes memberOf(swCFileLink& link, uint32_t index)
{
    const BYTE* data = nullptr;
    DWORD size = link.linkGetMember(index, &data);
    return Bytes(data, data + size);
}

} // namespace

TEST(FileLink, ReadsMembersOfBothFormats)
{
    TempProgramFolder folder;
    Bytes a(500, 1), b { 1, 2, 3, 4, 5, 6 }, c(64, 0xAB);
    writeHost(folder.host("dir.lnk"), directoryArchive({ { 0, a }, { 1, c }, { 3, b } }));
    writeHost(folder.host("blk.lnk"), blockArchive({ { { 2, b } }, { { 0, rleEncode(a, 1) }, { 1, rleEncode(c, 2) } } }));

    swCFileLink dir("dir.lnk");
    EXPECT_EQ(dir.version(), 1);
    EXPECT_EQ(memberOf(dir, 2), b);
    EXPECT_EQ(memberOf(dir, 0), a);
    EXPECT_EQ(memberOf(dir, 1), c);

    swCFileLink blk("blk.lnk");
    EXPECT_EQ(blk.version(), 0);
    EXPECT_EQ(memberOf(blk, 0), b);
    Bytes joined = a;
    joined.insert(joined.end(), c.begin(), c.end());
    EXPECT_EQ(memberOf(blk, 1), joined);
}

TEST(FileLink, PlainFileHasNoMembers)
{
    TempProgramFolder folder;
    writeHost(folder.host("plain.txt"), Bytes { 'h', 'i' });
    swCFileLink link("plain.txt");
    EXPECT_EQ(link.version(), 2);
    const BYTE* untouched = reinterpret_cast<const BYTE*>("sentinel");
    const BYTE* data = untouched;
    EXPECT_EQ(link.linkGetMember(0, &data), 0u);
    EXPECT_EQ(data, untouched);
}

TEST(FileLink, RefusesMissingFilesAndDamagedMembers)
{
    TempProgramFolder folder;
    EXPECT_EQ(thrownError([] { swCFileLink link("none.lnk"); }).caption, "none.lnk");

    Bytes archive = directoryArchive({ { 0, Bytes(100, 7) } });
    setU32(archive, 20 + 4, 0x40000000); // unpacked size far past what the runs give
    writeHost(folder.host("bad.lnk"), archive);
    swCFileLink link("bad.lnk");
    EXPECT_EQ(fileErrorCode([&] { memberOf(link, 0); }), 1);
    EXPECT_EQ(fileErrorCode([&] { memberOf(link, 7); }), 1);
}
