// Edit controls through typed text, keys and the mouse: limits with double-byte text, filters,
// selection, the clipboard, notifications and the multi-line read-only view.
#include "controls_test_util.h"

#include <gtest/gtest.h>

using namespace ctltest;
namespace harness = platform::harness;

namespace {

struct Edits : ::testing::Test {
    HWND parent = nullptr;
    void SetUp() override { parent = createParent(); }
    void TearDown() override { destroyAll(); }
    HWND edit(const char* text, DWORD style, int width = 200, int height = 22)
    {
        HWND e = createControl(parent, WC_EDITA, text, style | WS_BORDER, 5, 10, 10, width, height);
        SetFocus(e);
        pump();
        return e;
    }
    std::pair<DWORD, DWORD> selection(HWND e)
    {
        DWORD a = 0, b = 0;
        SendMessageA(e, EM_GETSEL, WPARAM(&a), LPARAM(&b));
        return { a, b };
    }
    void chord(UINT modifier, UINT key)
    {
        harness::keyDown(modifier);
        harness::pressKey(key);
        harness::keyUp(modifier);
        pump();
    }
};

using EditLimit = Edits;
using EditInput = Edits;
using EditSelection = Edits;
using EditMultiLine = Edits;

TEST_F(EditLimit, CountsBytesAndNeverKeepsHalfACharacter)
{
    HWND e = edit("", ES_AUTOHSCROLL);
    SendMessageA(e, EM_LIMITTEXT, 5, 0);
    harness::typeText("あいう");
    pump();
    EXPECT_EQ(textOf(e), sjis("あい"));
    EXPECT_EQ(commandCodes(e).back(), EN_MAXTEXT);
    harness::typeText("ab");
    pump();
    EXPECT_EQ(textOf(e), sjis("あい") + "a");

    // Pasted text is cut at a character boundary too.
    SetWindowTextA(e, "");
    SendMessageA(e, EM_LIMITTEXT, 3, 0);
    std::string pasted = sjis("漢字");
    ASSERT_TRUE(putClipboardText(e, pasted));
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(e), sjis("漢"));
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 3);
}

TEST_F(EditLimit, WithoutAutoScrollTheTextStopsAtTheBoxWidth)
{
    HWND e = edit("", 0, 60);
    harness::typeText("WWWWWWWWWWWWWWWWWWWW");
    pump();
    std::string text = textOf(e);
    EXPECT_GT(text.size(), 1u);
    EXPECT_LT(text.size(), 20u);
    EXPECT_EQ(commandCodes(e).back(), EN_MAXTEXT);
}

TEST_F(EditInput, JoinsDoubleByteCharactersAndDeletesThemWhole)
{
    HWND e = edit("", ES_AUTOHSCROLL);
    std::string kanji = sjis("戦");
    SendMessageA(e, WM_CHAR, BYTE(kanji[0]), 1);
    EXPECT_EQ(textOf(e), "");
    SendMessageA(e, WM_CHAR, BYTE(kanji[1]), 1);
    SendMessageA(e, WM_CHAR, 'x', 1);
    EXPECT_EQ(textOf(e), kanji + "x");
    harness::pressKey(VK_LEFT);
    harness::pressKey(VK_BACK);
    pump();
    EXPECT_EQ(textOf(e), "x");
    EXPECT_EQ(selection(e), std::make_pair(DWORD(0), DWORD(0)));

    // A position inside a character is moved back to its start.
    SetWindowTextA(e, kanji.c_str());
    SendMessageA(e, EM_SETSEL, 1, 1);
    EXPECT_EQ(selection(e), std::make_pair(DWORD(0), DWORD(0)));
}

TEST_F(EditInput, NumberStyleFiltersTypedAndPastedTextAndNotifiesInOrder)
{
    HWND e = edit("", ES_NUMBER | ES_AUTOHSCROLL);
    notices().clear();
    harness::typeText("1a2");
    pump();
    EXPECT_EQ(textOf(e), "12");
    EXPECT_EQ(commandCodes(e), (std::vector<WORD> { EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE }));
    ASSERT_TRUE(putClipboardText(e, "3x4"));
    chord(VK_CONTROL, 'V');
    EXPECT_EQ(textOf(e), "1234");
    // Control characters still work: Backspace is no refused character.
    harness::pressKey(VK_BACK);
    pump();
    EXPECT_EQ(textOf(e), "123");

    // Setting the text reports a change, so a caller can guard against its own updates.
    notices().clear();
    SetWindowTextA(e, "360");
    EXPECT_EQ(commandCodes(e), (std::vector<WORD> { EN_UPDATE, EN_CHANGE }));
}

TEST_F(EditSelection, ShiftArrowsCopyAndPasteWithinTheProgram)
{
    HWND e = edit("abcdef", ES_AUTOHSCROLL);
    harness::pressKey(VK_HOME);
    harness::keyDown(VK_SHIFT);
    for (int i = 0; i < 3; ++i)
        harness::pressKey(VK_RIGHT);
    harness::keyUp(VK_SHIFT);
    pump();
    EXPECT_EQ(selection(e), std::make_pair(DWORD(0), DWORD(3)));
    chord(VK_CONTROL, 'C');
    harness::pressKey(VK_END);
    pump();
    chord(VK_CONTROL, 'V');
    EXPECT_EQ(textOf(e), "abcdefabc");

    SendMessageA(e, EM_SETSEL, 0, 3);
    SendMessageA(e, WM_CUT, 0, 0);
    EXPECT_EQ(textOf(e), "defabc");
    SendMessageA(e, EM_SETSEL, 0, -1);
    SendMessageA(e, EM_REPLACESEL, FALSE, LPARAM("z"));
    EXPECT_EQ(textOf(e), "z");
    SendMessageA(e, EM_SETSEL, 0, 0);
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(e), "abcz");
}

TEST_F(EditSelection, MouseDragSelectsAndFocusIsReported)
{
    HWND other = createControl(parent, WC_EDITA, "", ES_AUTOHSCROLL, 6, 10, 60, 100, 22);
    HWND e = createControl(parent, WC_EDITA, "abcdef", ES_AUTOHSCROLL, 5, 10, 10, 200, 22);
    SetFocus(other);
    pump();
    notices().clear();
    POINT from = screenPoint(e, 1, 10);
    POINT to = screenPoint(e, 190, 10);
    harness::mouseDown(from.x, from.y);
    harness::mouseMove(to.x, to.y);
    harness::mouseUp(to.x, to.y);
    pump();
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(selection(e), std::make_pair(DWORD(0), DWORD(6)));
    EXPECT_EQ(commandCodes(other), std::vector<WORD> { EN_KILLFOCUS });
    EXPECT_EQ(commandCodes(e), std::vector<WORD> { EN_SETFOCUS });
    EXPECT_EQ(SendMessageA(e, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);

    // A double click takes the word under the mouse.
    SetWindowTextA(e, "one two three");
    POINT word = screenPoint(e, 12, 4);   // away from the drag, so no double click with it
    SendMessageA(e, EM_SETSEL, 5, 5);
    harness::doubleClick(word.x, word.y);
    pump();
    EXPECT_EQ(selection(e), std::make_pair(DWORD(0), DWORD(3)));
}

TEST_F(EditMultiLine, ReadOnlyViewWrapsScrollsAndRefusesTyping)
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    text += sjis("とても長い行はこの狭い箱の中で何度も折り返されるはずです");
    HWND e = edit(text.c_str(), ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 150, 80);
    int lines = int(SendMessageA(e, EM_GETLINECOUNT, 0, 0));
    EXPECT_GT(lines, 22);
    EXPECT_EQ(SendMessageA(e, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);

    harness::typeText("x");
    pump();
    EXPECT_EQ(textOf(e), text);
    SendMessageA(e, EM_SETREADONLY, FALSE, 0);
    SendMessageA(e, EM_SETSEL, 0, 0);
    harness::typeText("x");
    pump();
    EXPECT_EQ(textOf(e), "x" + text);
    EXPECT_FALSE(GetWindowLongA(e, GWL_STYLE) & ES_READONLY);
    SendMessageA(e, EM_SETREADONLY, TRUE, 0);
    SetWindowTextA(e, text.c_str());

    SendMessageA(e, EM_LINESCROLL, 0, 5);
    EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
    SCROLLINFO info { sizeof(info), SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0 };
    GetScrollInfo(e, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 5);
    EXPECT_EQ(info.nMax, lines - 1);
    // The caret brought into view at the end scrolls to the last lines.
    SendMessageA(e, EM_SETSEL, text.size(), text.size());
    SendMessageA(e, EM_SCROLLCARET, 0, 0);
    EXPECT_GT(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 15);
    // A character's position leads back to it, on every visible line.
    int first = int(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0));
    for (int line = first; line < std::min(first + 4, lines); ++line) {
        LRESULT index = SendMessageA(e, EM_LINEINDEX, line, 0);
        LRESULT at = SendMessageA(e, EM_POSFROMCHAR, index, 0);
        LRESULT back = SendMessageA(e, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2));
        EXPECT_EQ(LOWORD(back), index) << "line " << line;
        EXPECT_EQ(HIWORD(back), line);
    }
    char buffer[64] {};
    *reinterpret_cast<WORD*>(buffer) = WORD(sizeof(buffer));
    LRESULT copied = SendMessageA(e, EM_GETLINE, 3, LPARAM(buffer));
    EXPECT_EQ(std::string(buffer, size_t(copied)), "line 3");
    // A wrapped line never splits a double-byte character.
    for (int line = 21; line < lines; ++line) {
        LRESULT start = SendMessageA(e, EM_LINEINDEX, line, 0);
        size_t boundary = 0;
        while (boundary < size_t(start))
            boundary += (BYTE(text[boundary]) >= 0x81 && BYTE(text[boundary]) <= 0x9F)
                    || (BYTE(text[boundary]) >= 0xE0 && BYTE(text[boundary]) <= 0xFC) ? 2 : 1;
        EXPECT_EQ(boundary, size_t(start)) << "line " << line;
    }
    // Closing punctuation never opens a wrapped line, however narrow: the character before goes along.
    std::string row;
    for (int i = 0; i < 40; ++i)
        row += sjis("字");
    SetWindowTextA(e, row.c_str());
    const LRESULT full = SendMessageA(e, EM_LINEINDEX, 1, 0);
    SetWindowTextA(e, (row.substr(0, size_t(full)) + sjis("。」』）")).c_str());
    EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), full - 2);
}

} // namespace

namespace {

TEST_F(EditMultiLine, ArrowAndPageKeysMoveTheCaretByLinesAndEnterBreaksTheLine)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line " + std::to_string(i) + (i < 29 ? "\r\n" : "");
    HWND e = edit(text.c_str(), ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 150, 80);
    auto caretLine = [&] { return SendMessageA(e, EM_LINEFROMCHAR, WPARAM(-1), 0); };
    SendMessageA(e, EM_SETSEL, 0, 0);
    harness::pressKey(VK_DOWN);
    harness::pressKey(VK_DOWN);
    pump();
    EXPECT_EQ(caretLine(), 2);
    harness::pressKey(VK_NEXT);
    pump();
    int page = int(caretLine()) - 2;
    EXPECT_GE(page, 3);
    EXPECT_GT(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);   // scrolled to keep the caret in view
    harness::pressKey(VK_PRIOR);
    harness::pressKey(VK_PRIOR);
    harness::pressKey(VK_UP);
    pump();
    EXPECT_EQ(caretLine(), 0);
    EXPECT_EQ(SendMessageA(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

    harness::pressKey(VK_END);
    harness::pressKey(VK_RETURN);
    harness::typeText("x");
    pump();
    EXPECT_EQ(textOf(e).substr(0, 11), "line 0\r\nx\r\n");
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 31);
}

} // namespace
