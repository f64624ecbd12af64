// Line and field splitting of Shift-JIS text, and the list sort.
#include "state/list_sort.h"
#include "state/memory_read_stream.h"
#include "state/text_file_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& data, int capacity = kLineCapacity)
{
    TextFileReader reader(data.data(), data.size());
    std::vector<std::string> out;
    std::vector<char> buffer(capacity);
    while (!reader.atEnd()) {
        int n = reader.readLine(buffer.data(), capacity);
        EXPECT_EQ(size_t(n), std::strlen(buffer.data()) + 1);
        out.emplace_back(buffer.data());
    }
    return out;
}

std::vector<std::string> fields(std::string text)
{
    std::vector<char*> list;
    int n = parseCommaList(text.data(), list);
    EXPECT_EQ(size_t(n), list.size());
    return { list.begin(), list.end() };
}

} // namespace

TEST(TextFileReader, LineEndsAllGiveTheSameText)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(lines("ab\r\ncd\nef"), (V{ "ab", "cd", "ef" }));
    EXPECT_EQ(lines("ab\r\n\r\ncd\n"), (V{ "ab", "", "cd" }));
    EXPECT_EQ(lines("a\rb\r"), (V{ "a\rb\r" }));
    EXPECT_EQ(lines(std::string("x\0y", 3)), (V{ "x", "y" }));
    EXPECT_TRUE(lines("").empty());
}

TEST(TextFileReader, DoubleByteCharacterIsNeverALineEnd)
{
    // 0x83 0x0A is not a valid pair but the lead byte still takes its follower.
    std::string data = "\x83\x0A" "a\n\x82";
    auto got = lines(data);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "\x83\x0A" "a");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(got[1], "\x82");
}

TEST(TextFileReader, OverlongLineIsCutAtACharacterAndTheRestSkipped)
{
    std::string data = std::string(6, 'a') + "\x82\xA0" + "zz\nnext";
    auto got = lines(data, 8);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "aaaaaa");
    EXPECT_EQ(got[1], "next");
}

TEST(ParseCommaList, KeepsEmptyFieldsAndDoubleByteCommas)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(fields("a,,b"), (V{ "a", "", "b" }));
    EXPECT_EQ(fields(""), (V{ "" }));
    EXPECT_EQ(fields("a,"), (V{ "a", "" }));
    // 0x81 0x2C is one character, not a comma.
    EXPECT_EQ(fields("\x81,x,y"), (V{ "\x81,x", "y" }));
    EXPECT_EQ(fields(" a , b"), (V{ " a ", " b" }));
}

TEST(SelectionSortList, AscendingWithLastEqualFirst)
{
    ListEntry list[] = { { 1, 5 }, { 2, 3 }, { 3, 3 }, { 4, 9 } };
    EXPECT_EQ(selectionSortList(list, 4, compareListValue), 3u);
    EXPECT_EQ(list[0].key, 3);
    EXPECT_EQ(list[1].key, 2);
    EXPECT_EQ(list[2].key, 1);
    EXPECT_EQ(list[3].key, 4);
    EXPECT_EQ(selectionSortList(list, 1, compareListValue), 0u);
}

TEST(MemoryReadStream, RefusesReadsPastTheEnd)
{
    const uint8_t data[4] = { 1, 2, 3, 4 };
    MemoryReadStream stream(data, sizeof data);
    uint8_t out[4] = {};
    EXPECT_EQ(stream.fileRead(out, 3), 3u);
    EXPECT_EQ(stream.fileRead(out, 2), 0u);
    EXPECT_EQ(stream.position(), 3u);
    EXPECT_EQ(stream.fileSeek(-3, 1), DWORD(-3));
    EXPECT_EQ(stream.position(), 0u);
    stream.fileSeek(100, 0);
    EXPECT_EQ(stream.fileRead(out, 1), 0u);
    stream.fileSeek(1, 7);
    EXPECT_EQ(stream.position(), 100u);
    EXPECT_EQ(stream.fileWrite(data, 4), 0u);
}
