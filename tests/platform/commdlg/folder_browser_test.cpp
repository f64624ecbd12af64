// The folder browser: the callback's sequence, selection set by the callback and by clicks,
// the status text, and the id list handed back.
#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace dialogtest;

namespace {

struct Seen {
    UINT message;
    std::string path;
};
std::vector<Seen> g_seen;
std::string g_start;

int CALLBACK browseCallback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data)
{
    char path[MAX_PATH] = {};
    if (message == BFFM_SELCHANGED)
        SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
    g_seen.push_back(Seen { message, path });
    if (message == BFFM_INITIALIZED) {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(g_start.c_str()));
        SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>("status line"));
        EXPECT_EQ(data, 77);
    }
    return 0;
}

} // namespace

TEST(FolderBrowser, CallbackSeesInitThenSelectionsAndTheChoiceComesBack)
{
    ScratchFolder folder;
    folder.folder("maps");
    folder.folder("maps/east");
    folder.folder("maps/west");
    g_seen.clear();
    g_start = folder.game("maps");

    char display[MAX_PATH] = {};
    std::string titleUtf;
    BROWSEINFOA info {};
    info.pszDisplayName = display;
    titleUtf = platform::utf8ToCp932("参照するフォルダーを選んでください。");
    info.lpszTitle = titleUtf.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = browseCallback;
    info.lParam = 77;
    char titleText[64] = {}, statusText[64] = {};
    LPITEMIDLIST chosen = drive(platform::utf8ToCp932("フォルダの参照").c_str(), [&] { return SHBrowseForFolderA(&info); },
        [&](HWND dialog) {
            RECT frame;
            GetWindowRect(dialog, &frame);
            const char* shots = std::getenv("DERAZODO_SHOTS");
            harness::writePng(harness::readRect(frame),
                std::string(shots ? shots : ::testing::TempDir().c_str()) + "/folder_browser.png");
            GetDlgItemTextA(dialog, 0x3742, titleText, sizeof(titleText));
            GetDlgItemTextA(dialog, 0x3743, statusText, sizeof(statusText));
            // The start folder is shown highlighted under its parent; entering it lists its children.
            HWND list = GetDlgItem(dialog, 0x3741);
            int row = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
            RECT r;
            SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
            POINT p = screenOf(list, 30, (r.top + r.bottom) / 2);
            harness::doubleClick(p.x, p.y);
            settle();
            SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
            p = screenOf(list, 30, (r.top + r.bottom) / 2);
            harness::click(p.x, p.y);
            settle();
            harness::pressKey(VK_RETURN);
            settle();
        });
    EXPECT_EQ(std::string(titleText), titleUtf);
    EXPECT_STREQ(statusText, "status line");
    ASSERT_GE(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[0].message, UINT(BFFM_INITIALIZED));
    EXPECT_EQ(g_seen[1].message, UINT(BFFM_SELCHANGED));
    EXPECT_EQ(g_seen[1].path, folder.game("maps"));
    EXPECT_EQ(g_seen.back().message, UINT(BFFM_SELCHANGED));
    EXPECT_EQ(g_seen.back().path, folder.game("maps\\west"));

    ASSERT_NE(chosen, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListA(chosen, path));
    EXPECT_EQ(std::string(path), folder.game("maps\\west"));
    EXPECT_STREQ(display, "west");
    ILFree(chosen);
}

TEST(FolderBrowser, CancelReturnsNoListAndForeignListsAreRefused)
{
    BROWSEINFOA info {};
    info.lpszTitle = "x";
    LPITEMIDLIST chosen = drive(platform::utf8ToCp932("フォルダの参照").c_str(), [&] { return SHBrowseForFolderA(&info); },
        [&](HWND) {
            harness::pressKey(VK_ESCAPE);
            settle();
        });
    EXPECT_EQ(chosen, nullptr);
    BYTE empty[2] = { 0, 0 };
    char path[MAX_PATH] = "unchanged";
    EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(empty), path));
    EXPECT_STREQ(path, "");
    BYTE unterminated[6] = { 6, 0, 'a', 'b', 'c', 'd' };
    EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(unterminated), path));
}
