// The edit control's allowed and refused characters: typed single- and double-byte text,
// control characters and pasted text.
#include "lib/edit.h"
#include "platform/kernel/host.h"
#include "platform/user/clipboard.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testing_lib;
namespace harness = platform::harness;

namespace {

std::string sjis(const char* utf8)
{
    return platform::utf8ToCp932(utf8);
}

TEST(EditCharacterFilter, JudgesWholeDoubleByteCharacters)
{
    EditCharacterFilter filter;
    // "ソ" is 0x83 0x5C: its trail byte is a backslash, which must not count on its own.
    filter.setRefused("\\");
    EXPECT_TRUE(filter.accepts(sjis("ソ")));
    EXPECT_EQ(filter.filter(sjis("aソ\\b")), sjis("aソb"));

    filter.setRefused(nullptr);
    filter.setAllowed(sjis("０１２３").c_str());
    EXPECT_EQ(filter.filter(sjis("０x１漢２\t")), sjis("０１２\t"));
    EXPECT_FALSE(filter.accepts("0"));
    EXPECT_TRUE(filter.accepts("\x08"));

    // The pieces are views into the text, which must outlive them.
    const std::string text = "a\x83\x5C\x83";
    const auto split = EditCharacterFilter::characters(text);
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[1], "\x83\x5C");
    EXPECT_EQ(split[2], "\x83");
}

class EditFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        initApplication();
        ASSERT_TRUE(parent.Create());
        ASSERT_TRUE(edit.controlCreate({ 10, 10, 200, 24 }));
        SetFocus(edit.handle());
        pump();
    }
    void TearDown() override { destroyAllWindows(); }
    std::string text() const
    {
        char buffer[256] = {};
        GetWindowTextA(edit.handle(), buffer, sizeof buffer);
        return buffer;
    }
    void type(const char* utf8)
    {
        harness::typeText(utf8);
        pump();
    }
    static void putOnClipboard(const std::string& cp932)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, cp932.size() + 1);
        std::memcpy(GlobalLock(data), cp932.c_str(), cp932.size() + 1);
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
        CloseClipboard();
    }

    TopWindow parent { "LibEditFilterParent" };
    EditBox edit { &parent, 10, WS_BORDER | ES_AUTOHSCROLL };
};

TEST_F(EditFilterTest, DigitsOnlySwallowLettersButLetBackspaceThrough)
{
    edit.editSetAllowedChars("0123456789");
    type("a1b2c3");
    EXPECT_EQ(text(), "123");
    harness::pressKey(VK_BACK);
    pump();
    EXPECT_EQ(text(), "12");
}

TEST_F(EditFilterTest, TypedDoubleByteCharactersAreKeptOrRefusedWhole)
{
    edit.editSetRefusedChars(sjis("漢\\").c_str());
    type("漢字ソa\\");
    EXPECT_EQ(text(), sjis("字ソa"));
}

TEST_F(EditFilterTest, PastedTextIsFilteredByKeysAndByMessage)
{
    edit.editSetAllowedChars(sjis("0123456789０１").c_str());
    putOnClipboard(sjis("1a２０b2"));
    harness::keyDown(VK_CONTROL);
    harness::pressKey('V');
    harness::keyUp(VK_CONTROL);
    pump();
    EXPECT_EQ(text(), sjis("1０2"));
    SendMessageA(edit.handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(text(), sjis("1０21０2"));
}

TEST_F(EditFilterTest, WithoutSetsEverythingPasses)
{
    type("ab漢");
    putOnClipboard("x!");
    SendMessageA(edit.handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(text(), sjis("ab漢x!"));
}

} // namespace
