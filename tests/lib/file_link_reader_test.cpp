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

int refusal(const Bytes& archive, uint32_t index)
{
    return fileErrorCode([&] { member(archive, index); });
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
    EXPECT_EQ(version(header("FLINK Ver1.0")), linkVersionNone);
    EXPECT_EQ(version(header("flink ver1.00")), linkVersionNone);
    EXPECT_EQ(version(Bytes { 'F', 'L', 'I', 'N', 'K' }), linkVersionNone);
    EXPECT_EQ(version(Bytes {}), linkVersionNone);
    // Sixteen bytes without a terminator are no text at all.
    EXPECT_EQ(version(Bytes(16, 'F')), linkVersionNone);
}

TEST(FileLinkReader, ReadsDirectoryMembersOfEveryMethod)
{
    Bytes packed = pattern(300, 0), wide = pattern(400, 1), plain = pattern(50, 2);
    Bytes archive = directoryArchive({ { 0, packed }, { 1, wide }, { 7, plain }, { 0, {} } });
    EXPECT_EQ(member(archive, 0), packed);
    EXPECT_EQ(member(archive, 1), wide);
    EXPECT_EQ(member(archive, 2), plain);
    EXPECT_TRUE(member(archive, 3).empty());
    EXPECT_TRUE(member(header("not an archive"), 0).empty());
}

TEST(FileLinkReader, JoinsBlocksOfOneMember)
{
    Bytes first = pattern(90, 3), second = pattern(40, 4), third = pattern(64, 5);
    Bytes archive = blockArchive({
        { { 0, rleEncode(first, 1) }, { 2, second } },
        { { 1, rleEncode(third, 2) }, { 9, {} }, { 0, {} } },
        {},
    });
    Bytes joined = first;
    joined.insert(joined.end(), second.begin(), second.end());
    EXPECT_EQ(member(archive, 0), joined);
    EXPECT_EQ(member(archive, 1), third);
    EXPECT_TRUE(member(archive, 2).empty());
}

TEST(FileLinkReader, RefusesDamagedDirectoryArchives)
{
    Bytes good = directoryArchive({ { 0, pattern(300, 0) }, { 1, pattern(64, 1) } });
    EXPECT_EQ(refusal(good, 2), 1) << "index past the directory reads the data as an entry";
    EXPECT_EQ(refusal(good, 1000), 1) << "index past the file";
    EXPECT_EQ(refusal(good, 0xFFFFFFFF), 1);

    auto damaged = [&](size_t field, uint32_t value) {
        Bytes bytes = good;
        setU32(bytes, 20 + field, value);
        return bytes;
    };
    EXPECT_EQ(refusal(damaged(4, 301), 0), 1) << "unpacked size larger than the runs";
    EXPECT_EQ(refusal(damaged(4, 0x7FFFFFFF), 0), 1) << "unpacked size larger than the file";
    EXPECT_EQ(refusal(damaged(8, 0xFFFFFFF0), 0), 1) << "stored size larger than the file";
    EXPECT_EQ(refusal(damaged(12, 0xFFFFFFF0), 0), 1) << "offset past the file";
    EXPECT_EQ(refusal(damaged(12, uint32_t(good.size() - 2)), 0), 1) << "stored bytes run past the end";

    Bytes odd = good;
    setU32(odd, 20 + 16 + 8, 63); // method 1 stored size must be whole units
    EXPECT_EQ(refusal(odd, 1), 1);

    Bytes plain = directoryArchive({ { 5, pattern(10, 0) } });
    setU32(plain, 20 + 4, 11);
    EXPECT_EQ(refusal(plain, 0), 1) << "plain member whose sizes disagree";

    // A run whose count byte is cut off by the stored size.
    Bytes cut = directoryArchive({ { 0, Bytes(20, 9) } });
    setU32(cut, 20 + 8, 2);
    EXPECT_EQ(refusal(cut, 0), 1);
}

TEST(FileLinkReader, RefusesDamagedBlockArchives)
{
    Bytes good = blockArchive({ { { 0, rleEncode(pattern(90, 3), 1) }, { 2, pattern(40, 4) } } });
    const size_t start = 16, end = 20;
    EXPECT_EQ(refusal(good, 1), 1) << "the last offset has no end after it";
    EXPECT_EQ(refusal(good, 50), 1);

    auto damaged = [&](size_t at, uint32_t value) {
        Bytes bytes = good;
        setU32(bytes, at, value);
        return bytes;
    };
    EXPECT_EQ(refusal(damaged(end, 20), 0), 1) << "end before start";
    EXPECT_EQ(refusal(damaged(end, uint32_t(good.size() + 1)), 0), 1) << "end past the file";
    EXPECT_EQ(refusal(damaged(start, 0xFFFFFFFF), 0), 1) << "start past the file";
    EXPECT_EQ(refusal(damaged(end, uint32_t(good.size() - 1)), 0), 1) << "last block cut short";
    EXPECT_EQ(refusal(damaged(end, 24 + 2), 0), 1) << "block header cut short";

    Bytes lying = good;
    lying[24] = 0xFF; // first block claims more bytes than the chain holds
    lying[25] = 0xFF;
    EXPECT_EQ(refusal(lying, 0), 1);

    Bytes odd = blockArchive({ { { 1, Bytes { 1, 0, 2 } } } });
    EXPECT_EQ(refusal(odd, 0), 1) << "method 1 block of an odd byte count";
}
