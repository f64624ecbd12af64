// CP932 conversions, wide characters and CP932-aware string helpers.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

TEST(CodePage, RoundTripsKanaKanjiHalfWidthAndAscii)
{
    struct Case {
        const char* utf8;
        std::string cp932;
    };
    const Case cases[] = {
        { "ABC xyz 123", "ABC xyz 123" },
        { "あいう", "\x82\xA0\x82\xA2\x82\xA4" },
        { "カタカナ", "\x83\x4A\x83\x5E\x83\x4A\x83\x69" },
        { "戦車", "\x90\xED\x8E\xD4" },
        { "ｷｬﾝﾍﾟｰﾝ", "\xB7\xAC\xDD\xCD\xDF\xB0\xDD" },
        { "①", "\x87\x40" },
        { "～", "\x81\x60" },
        { "ＭＳ ゴシック", "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(platform::cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
        EXPECT_EQ(platform::utf32ToCp932(platform::cp932ToUtf32(c.cp932)), c.cp932) << c.utf8;
    }
    EXPECT_EQ(platform::cp932ToUtf32("\x90\xED"), U"戦");
}

TEST(CodePage, InvalidInputBecomesQuestionMarks)
{
    // A lead byte at the end, a lead byte before a byte that cannot trail, and a lone 0xFD.
    EXPECT_EQ(platform::cp932ToUtf8("A\x82"), "A?");
    EXPECT_EQ(platform::cp932ToUtf8("\x82\x20Z"), "? Z");
    EXPECT_EQ(platform::cp932ToUtf8("\xFD"), "?");
    // Characters CP932 cannot spell, and broken UTF-8.
    EXPECT_EQ(platform::utf8ToCp932("😀x"), "?x");
    EXPECT_EQ(platform::utf8ToCp932("\xE3\x81"), "??");
    EXPECT_EQ(platform::utf8ToCp932("\xC0\xAF"), "??"); // overlong '/'
    EXPECT_TRUE(platform::isCp932LeadByte(0x81));
    EXPECT_TRUE(platform::isCp932LeadByte(0xFC));
    EXPECT_FALSE(platform::isCp932LeadByte(0xA1)); // half-width kana are single bytes
    EXPECT_FALSE(platform::isCp932LeadByte(0x80));
}

TEST(WideChar, SizesCountTheTerminatorOnlyWhenAskedTo)
{
    const char* text = "\x90\xED\x8E\xD4" "A"; // 戦車A
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 4);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, 5, nullptr, 0), 3);
    WCHAR wide[8];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8), 4);
    EXPECT_EQ(std::u16string(wide), u"戦車A");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "a\x82", 2, wide, 8), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
    // UTF-8 beyond the BMP takes a surrogate pair.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "😀", -1, nullptr, 0), 3);

    char narrow[8];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"戦車A", -1, nullptr, 0, nullptr, nullptr), 6);
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"戦車A", -1, narrow, 8, nullptr, nullptr), 6);
    EXPECT_STREQ(narrow, text);
    BOOL usedDefault = FALSE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a€", 2, narrow, 8, "#", &usedDefault), 2);
    EXPECT_EQ(std::string(narrow, 2), "a#");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"😀", 2, narrow, 8, nullptr, nullptr), 4);
}

TEST(Strings, StepThroughDoubleByteCharacters)
{
    const char* text = "a\x83\x5C" "b"; // a, ソ (trail byte '\'), b
    EXPECT_EQ(CharNextA(text), text + 1);
    EXPECT_EQ(CharNextA(text + 1), text + 3);
    EXPECT_EQ(CharNextA(text + 4), text + 4); // stays on the terminator
    EXPECT_EQ(CharPrevA(text, text + 3), text + 1);
    EXPECT_EQ(CharPrevA(text, text + 1), text);
    EXPECT_EQ(CharPrevA(text, text), text);
    EXPECT_TRUE(IsDBCSLeadByte(0x83));
    EXPECT_FALSE(IsDBCSLeadByte('\\'));
}

TEST(Strings, CopyAndCompare)
{
    char buffer[8];
    EXPECT_EQ(lstrlenA(nullptr), 0);
    lstrcpynA(buffer, "abcdefghij", 5);
    EXPECT_STREQ(buffer, "abcd");
    // Never half a character: the lead byte that would lose its trail is left out.
    lstrcpynA(buffer, "abc\x90\xED", 5);
    EXPECT_STREQ(buffer, "abc");
    lstrcpyA(buffer, "ab");
    lstrcatA(buffer, "cd");
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(lstrcmpA("abc", "abc"), 0);
    EXPECT_EQ(lstrcmpA(nullptr, ""), 0);
    EXPECT_LT(lstrcmpA("abc", "abd"), 0);
    EXPECT_GT(lstrcmpA("abcd", "abc"), 0);
    EXPECT_NE(lstrcmpA("ABC", "abc"), 0);
    EXPECT_EQ(lstrcmpiA("ABC", "abc"), 0);
    EXPECT_NE(lstrcmpiA("\x83\x41", "\x83\x61"), 0); // different kana, not a case pair
    EXPECT_GT(lstrcmpA("x\x83\x61", "x\x83\x41"), 0); // one lead byte shared: still two kana
}

TEST(Strings, SortOrderIsTheLocaleStyleOne)
{
    // Symbols, digits, letters without case (lower case first on a tie), half-width kana, then
    // double-byte characters in code order; '-' weighs only when all else is equal.
    std::vector<std::string> sorted = { "_map", "10", "9", "a", "A", "ab", "a-b", "Ab", "b", "co-op", "coop", "Coop",
        "\xB1", "\x82\xA0", "\x90\xED" };
    std::sort(sorted.begin(), sorted.end(), [](auto& x, auto& y) { return lstrcmpA(x.c_str(), y.c_str()) < 0; });
    EXPECT_EQ(sorted,
        (std::vector<std::string> { "_map", "10", "9", "a", "A", "ab", "a-b", "Ab", "b", "coop", "co-op", "Coop",
            "\xB1", "\x82\xA0", "\x90\xED" }));
    for (size_t i = 0; i + 1 < sorted.size(); ++i) {
        EXPECT_LT(lstrcmpA(sorted[i].c_str(), sorted[i + 1].c_str()), 0) << sorted[i];
        EXPECT_GT(lstrcmpA(sorted[i + 1].c_str(), sorted[i].c_str()), 0) << sorted[i];
    }
    EXPECT_EQ(lstrcmpiA("Coop", "cOOP"), 0);
    EXPECT_LT(lstrcmpiA("coop", "CO-OP"), 0);
}

TEST(MulDiv, RoundsAndRefusesOverflow)
{
    EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds up
    EXPECT_EQ(MulDiv(-10, 3, 4), -8); // and away from zero
    EXPECT_EQ(MulDiv(10, 3, -4), -8);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 2, 1), -1);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}
