// Link archive parsing over memory: both formats, both methods, and damaged archives refused.
#include "lib/file_link_reader.h"
#include "link_archive_builder.h"
#include "thrown_error.h"

#include <gtest/gtest.h>

using namespace testing_lib;

namespace {

Bytes pattern(size_t n, int seed)
{
    Bytes out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = uint8_t((i / 7 + seed) % 5); // runs of seven
    return out;
}

Bytes member(const Bytes& archive, uint32_t index)
{
    MemoryLinkSource source(archive.data(), archive.size());
    return linkReadMember(source, linkDetectVersion(source), index);
}

// archive with the u32 at offset `at` replaced by value.
Bytes patched(Bytes archive, size_t at, uint32_t value)
{
    setU32(archive, at, value);
    return archive;
}

} // namespace

TEST(FileLinkReader, DetectsVersionByHeaderText)
{
    auto version = [](Bytes bytes) {
        MemoryLinkSource source(bytes.data(), bytes.size());
        return linkDetectVersion(source);
    };
    EXPECT_EQ(version(header("FLINK2 ver.00")), linkVersionBlocks);
    EXPECT_EQ(version(header("FLINK Ver1.00")), linkVersionDirectory);
    for (const Bytes& other : { header("FLINK Ver1.0"), header("flink ver1.00"), Bytes { 'F', 'L' }, Bytes(16, 'F') })
        EXPECT_EQ(version(other), linkVersionNone);
    EXPECT_TRUE(member(header("not an archive"), 0).empty());
}

TEST(FileLinkReader, ReadsMembersOfEveryMethodInBothFormats)
{
    Bytes packed = pattern(300, 0), wide = pattern(400, 1), plain = pattern(50, 2);
    Bytes directory = directoryArchive({ { 0, packed }, { 1, wide }, { 7, plain }, { 0, {} } });
    EXPECT_EQ(member(directory, 0), packed);
    EXPECT_EQ(member(directory, 1), wide);
    EXPECT_EQ(member(directory, 2), plain);
    EXPECT_TRUE(member(directory, 3).empty());

    Bytes blocks = blockArchive({
        { { 0, rleEncode(packed, 1) }, { 2, plain } },
        { { 1, rleEncode(wide, 2) }, { 9, {} }, { 0, {} } },
        {},
    });
    Bytes joined = packed;
    joined.insert(joined.end(), plain.begin(), plain.end());
    EXPECT_EQ(member(blocks, 0), joined);
    EXPECT_EQ(member(blocks, 1), wide);
    EXPECT_TRUE(member(blocks, 2).empty());
}

TEST(FileLinkReader, RefusesDamagedDirectoryArchives)
{
    Bytes good = directoryArchive({ { 0, pattern(300, 0) }, { 1, pattern(64, 1) } });
    Bytes cut_run = patched(directoryArchive({ { 0, Bytes(20, 9) } }), 28, 2);
    Bytes plain = patched(directoryArchive({ { 5, pattern(10, 0) } }), 24, 11);
    const struct {
        Bytes archive;
        uint32_t index;
        const char* damage;
    } cases[] = {
        { good, 2, "index past the directory reads stored bytes as an entry" },
        { good, 0xFFFFFFFF, "index past the file" },
        { patched(good, 24, 301), 0, "unpacked size larger than the runs give" },
        { patched(good, 24, 0x7FFFFFFF), 0, "unpacked size larger than the file" },
        { patched(good, 28, 0xFFFFFFF0), 0, "stored size larger than the file" },
        { patched(good, 32, 0xFFFFFFF0), 0, "offset past the file" },
        { patched(good, 32, uint32_t(good.size() - 2)), 0, "stored bytes run past the end" },
        { patched(good, 44, 63), 1, "method 1 given an odd byte count" },
        { plain, 0, "plain member whose sizes disagree" },
        { cut_run, 0, "run count cut off by the stored size" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileErrorCode([&] { member(c.archive, c.index); }), 1) << c.damage;
}

TEST(FileLinkReader, RefusesDamagedBlockArchives)
{
    Bytes good = blockArchive({ { { 0, rleEncode(pattern(90, 3), 1) }, { 2, pattern(40, 4) } } });
    Bytes lying = good;
    lying[24] = lying[25] = 0xFF;
    const struct {
        Bytes archive;
        uint32_t index;
        const char* damage;
    } cases[] = {
        { good, 1, "the last offset has no end after it" },
        { patched(good, 20, 20), 0, "end before start" },
        { patched(good, 20, uint32_t(good.size() + 1)), 0, "end past the file" },
        { patched(good, 16, 0xFFFFFFFF), 0, "start past the file" },
        { patched(good, 20, uint32_t(good.size() - 1)), 0, "last block cut short" },
        { patched(good, 20, 26), 0, "block header cut short" },
        { lying, 0, "block longer than its chain" },
        { blockArchive({ { { 1, Bytes { 1, 0, 2 } } } }), 0, "method 1 block of an odd byte count" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileErrorCode([&] { member(c.archive, c.index); }), 1) << c.damage;
}
