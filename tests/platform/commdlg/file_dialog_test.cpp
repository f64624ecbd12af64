// The open and save dialogs driven by input: typing a name, double-clicking, moving between
// folders, refusing a missing file, the overwrite prompt, and a hook with a template area.
#include "dialog_driver.h"

#include "platform/user/resource_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace dialogtest;

namespace {

struct FileDialogTest : ::testing::Test {
    ScratchFolder folder;
    char file[260] = {};
    OPENFILENAMEA ofn {};

    void SetUp() override
    {
        folder.file("alpha.sav");
        folder.file("beta.sav");
        folder.file("notes.txt");
        folder.folder("older");
        folder.file("older/gamma.sav");
        harness::clearMessageBoxes();
        ofn.lStructSize = sizeof(ofn);
        ofn.lpstrFilter = "Saved games\0*.sav\0All files\0*.*\0";
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof(file);
        ofn.lpstrTitle = "FileTest";
        ofn.lpstrDefExt = "sav";
        ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        initialDir = folder.game();
        ofn.lpstrInitialDir = initialDir.c_str();
    }
    std::string initialDir;
};

std::vector<std::string> listed(HWND dialog)
{
    HWND list = GetDlgItem(dialog, lst1);
    std::vector<std::string> rows;
    int n = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[260] = {};
        SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

void doubleClickRow(HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, lst1);
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
    POINT p = screenOf(list, 20, (r.top + r.bottom) / 2);
    harness::doubleClick(p.x, p.y);
    settle();
}

void clickRow(HWND dialog, int row)
{
    HWND list = GetDlgItem(dialog, lst1);
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
    POINT p = screenOf(list, 20, (r.top + r.bottom) / 2);
    harness::click(p.x, p.y);
    settle();
}

void typeAndEnter(const char* text)
{
    harness::typeText(text);
    settle();
    harness::pressKey(VK_RETURN);
    settle();
}

} // namespace

TEST_F(FileDialogTest, TypedNameGetsTheDefaultExtension)
{
    std::vector<std::string> rows;
    BOOL ok = drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        rows = listed(dialog);
        typeAndEnter("beta");
    });
    EXPECT_EQ(rows, (std::vector<std::string> { "[older]", "alpha.sav", "beta.sav" })) << "folders first, then the filter's files";
    ASSERT_TRUE(ok);
    std::string expected = folder.game("beta.sav");
    EXPECT_STREQ(file, expected.c_str());
    EXPECT_STREQ(file + ofn.nFileOffset, "beta.sav");
    EXPECT_STREQ(file + ofn.nFileExtension, "sav");
    EXPECT_EQ(ofn.nFilterIndex, 1u);
}

TEST_F(FileDialogTest, APathInTheBufferChoosesTheStartFolderAndName)
{
    std::string preset = folder.game("older\\gamma.sav");
    strcpy(file, preset.c_str());
    ofn.nFilterIndex = 2;
    std::vector<std::string> rows;
    BOOL ok = drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        rows = listed(dialog);
        harness::pressKey(VK_RETURN);
        settle();
    });
    EXPECT_EQ(rows, (std::vector<std::string> { "gamma.sav" }));
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(file), preset);
    EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, DoubleClicksEnterFoldersAndChooseFiles)
{
    std::vector<std::string> inner, back;
    BOOL ok = drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        doubleClickRow(dialog, 0);
        inner = listed(dialog);
        POINT up = screenOf(GetDlgItem(dialog, 0x04A0), 5, 5);
        harness::click(up.x, up.y);
        settle();
        back = listed(dialog);
        doubleClickRow(dialog, 1);
    });
    EXPECT_EQ(inner, (std::vector<std::string> { "gamma.sav" }));
    EXPECT_EQ(back.size(), 3u);
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(file), folder.game("alpha.sav"));
}

TEST_F(FileDialogTest, MissingFileIsRefusedAndTheDialogStays)
{
    bool stillOpen = false;
    std::vector<std::string> all;
    BOOL ok = drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        typeAndEnter("missing");
        stillOpen = IsWindowVisible(dialog);
        // The type combo chosen by keys lists every file.
        HWND types = GetDlgItem(dialog, cmb1);
        POINT p = screenOf(types, 10, 5);
        harness::click(p.x, p.y);
        settle();
        harness::pressKey(VK_DOWN);
        harness::pressKey(VK_RETURN);
        settle();
        all = listed(dialog);
        harness::pressKey(VK_ESCAPE);
        settle();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(ok);
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "a cancel is not an error";
    auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("missing.sav"), std::string::npos);
    EXPECT_EQ(all.size(), 4u);
}

TEST_F(FileDialogTest, SaveAsksBeforeOverwritingAndReportsAShortBuffer)
{
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    harness::queueMessageBoxAnswer(IDNO);
    harness::queueMessageBoxAnswer(IDYES);
    bool stayedAfterNo = false;
    BOOL ok = drive("FileTest", [&] { return GetSaveFileNameA(&ofn); }, [&](HWND dialog) {
        typeAndEnter("alpha");
        stayedAfterNo = IsWindowVisible(dialog);
        harness::pressKey(VK_RETURN);
        settle();
    });
    EXPECT_TRUE(stayedAfterNo);
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(file), folder.game("alpha.sav"));
    EXPECT_EQ(harness::messageBoxes().size(), 2u);

    // A default extension written as a pattern still appends only the extension.
    ofn.lpstrDefExt = "*.txt";
    ok = drive("FileTest", [&] { return GetSaveFileNameA(&ofn); }, [&](HWND) { typeAndEnter("report"); });
    ASSERT_TRUE(ok);
    EXPECT_EQ(std::string(file), folder.game("report.txt"));

    char tiny[8] = {};
    ofn.lpstrFile = tiny;
    ofn.nMaxFile = sizeof(tiny);
    ok = drive("FileTest", [&] { return GetSaveFileNameA(&ofn); }, [&](HWND) { typeAndEnter("new"); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(CommDlgExtendedError(), DWORD(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    memcpy(&needed, tiny, sizeof(needed));
    EXPECT_EQ(needed, folder.game("new.txt").size() + 1);
}

namespace {

struct HookLog {
    std::vector<UINT> notices;
    LPARAM initParam = 0;
    int fileOkSeen = 0;
    std::string pathAtFileOk;
    HWND hook = nullptr;
};
HookLog g_hook;

UINT_PTR CALLBACK hookProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        g_hook.initParam = lParam;
        g_hook.hook = hwnd;
        return TRUE;
    }
    if (message != WM_NOTIFY)
        return FALSE;
    auto* nm = reinterpret_cast<OFNOTIFYA*>(lParam);
    g_hook.notices.push_back(nm->hdr.code);
    if (nm->hdr.code == CDN_FILEOK) {
        char path[260] = {};
        SendMessageA(GetParent(hwnd), CDM_GETFILEPATH, sizeof(path), reinterpret_cast<LPARAM>(path));
        g_hook.pathAtFileOk = path;
        // The first name offered is refused.
        if (g_hook.fileOkSeen++ == 0) {
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 1);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

TEST_F(FileDialogTest, HookRefusesTheFirstNameAndGetsItsTemplateArea)
{
    platform::resources::DialogTemplate area;
    area.style = WS_CHILD | DS_CONTROL;
    area.clientSize = SIZE { 480, 40 };
    platform::resources::DialogItem label;
    label.className = "Static";
    label.text = platform::utf8ToCp932("追加の設定");
    label.id = 2001;
    label.rect = RECT { 8, 8, 200, 24 };
    area.items.push_back(label);
    platform::resources::addDialog("TEST_OFN_AREA", area);

    g_hook = HookLog {};
    ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    ofn.lpfnHook = hookProc;
    ofn.lpTemplateName = "TEST_OFN_AREA";
    RECT client {}, areaRect {}, listRect {};
    bool openAfterRefusal = false;
    BOOL ok = drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        GetClientRect(dialog, &client);
        GetWindowRect(g_hook.hook, &areaRect);
        GetWindowRect(GetDlgItem(dialog, lst1), &listRect);
        clickRow(dialog, 2);
        harness::pressKey(VK_RETURN);
        settle();
        openAfterRefusal = IsWindowVisible(dialog);
        harness::pressKey(VK_RETURN);
        settle();
    });
    ASSERT_TRUE(ok);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(g_hook.initParam, reinterpret_cast<LPARAM>(&ofn));
    EXPECT_EQ(client.bottom, 292 + 40) << "the template area is added below the standard controls";
    EXPECT_GE(areaRect.top, listRect.bottom);
    ASSERT_GE(g_hook.notices.size(), 4u);
    EXPECT_EQ(g_hook.notices[0], UINT(CDN_INITDONE));
    EXPECT_EQ(g_hook.notices[1], UINT(CDN_FOLDERCHANGE));
    EXPECT_EQ(g_hook.notices[2], UINT(CDN_SELCHANGE));
    EXPECT_EQ(std::count(g_hook.notices.begin(), g_hook.notices.end(), UINT(CDN_FILEOK)), 2);
    EXPECT_EQ(g_hook.pathAtFileOk, folder.game("beta.sav"));
    EXPECT_EQ(std::string(file), folder.game("beta.sav"));
}

TEST(FileDialogErrors, BadStructuresAndMissingPartsFailWithTheirCodes)
{
    OPENFILENAMEA ofn {};
    ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_STRUCTSIZE));
    char file[64] = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_NOHOOK));
    ofn.Flags = OFN_EXPLORER | OFN_ENABLETEMPLATE;
    ofn.lpTemplateName = "NO_SUCH_TEMPLATE";
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(CDERR_FINDRESFAILURE));
}

TEST_F(FileDialogTest, PictureOfTheOpenDialog)
{
    std::string filter = platform::utf8ToCp932("セーブファイル (*.sav)") + std::string("\0*.sav\0", 7)
        + platform::utf8ToCp932("すべてのファイル (*.*)") + std::string("\0*.*\0\0", 6);
    ofn.lpstrFilter = filter.c_str();
    harness::Image shot;
    RECT frame {};
    drive("FileTest", [&] { return GetOpenFileNameA(&ofn); }, [&](HWND dialog) {
        clickRow(dialog, 1);
        GetWindowRect(dialog, &frame);
        shot = harness::readRect(frame);
    });
    const char* folderName = std::getenv("DERAZODO_SHOTS");
    std::string path = std::string(folderName ? folderName : ::testing::TempDir().c_str()) + "/open_dialog.png";
    EXPECT_TRUE(harness::writePng(shot, path));
    EXPECT_EQ(std::string(file), "") << "cancelled: the buffer is left alone";
    // The chosen row is highlighted in the list.
    ASSERT_GT(shot.width, 0);
    COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
    uint32_t wanted = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    bool highlighted = false;
    for (uint32_t pixel : shot.pixels)
        highlighted = highlighted || (pixel & 0xFFFFFF) == wanted;
    EXPECT_TRUE(highlighted);
}
