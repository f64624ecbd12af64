// A picture of the list controls with Japanese text, written as a PNG for a person to look at
// (into $DERAZODO_SHOTS, else the test temporary folder), with a few pixels checked here.
#include "listbox_test_util.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace listtest;
namespace harness = platform::harness;

namespace {

std::string sj(const char* utf8)
{
    return platform::utf8ToCp932(utf8);
}

std::string shotPath(const char* name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    return std::string(folder ? folder : ::testing::TempDir().c_str()) + "/" + name;
}

uint32_t screenColor(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

bool hasInk(const harness::Image& shot, const RECT& r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((shot.at(x, y) & 0xFFFFFF) == 0)
                return true;
    return false;
}

} // namespace

TEST(ListControlsPicture, JapaneseTextInEveryControl)
{
    Parent parent(40, 40, 620, 420);
    HWND list = parent.child("ListBox", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 1, 10, 10, 200, 150);
    int stops[] = { 60 };
    SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops));
    for (const char* s : { "第1歩兵連隊\t12", "第2戦車大隊\t8", "補給部隊\t4", "偵察小隊\t2" })
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sj(s).c_str()));
    SendMessageA(list, LB_SETCURSEL, 1, 0);

    HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 2, 220, 10, 180, 150);
    for (const char* s : { "初級", "中級", "上級" })
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sj(s).c_str()));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);

    HWND tabs = parent.child(WC_TABCONTROLA, 0, 3, 220, 50, 380, 110);
    for (const char* s : { "ゲーム", "ルール", "環境設定" }) {
        std::string text = sj(s);
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(tabs, TCM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);

    HWND view = parent.child(WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER, 4, 10, 180, 590, 220);
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const char* titles[] = { "部隊名", "兵器名", "機数", "燃料" };
    int widths[] = { 150, 200, 60, 60 };
    for (int c = 0; c < 4; ++c) {
        std::string text = sj(titles[c]);
        LVCOLUMNA col {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = c >= 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        col.cx = widths[c];
        col.pszText = text.data();
        SendMessageA(view, LVM_INSERTCOLUMNA, WPARAM(c), reinterpret_cast<LPARAM>(&col));
    }
    const char* rows[][4] = { { "第1歩兵連隊", "歩兵", "12", "100" }, { "第2戦車大隊", "主力戦車", "8", "75" },
        { "補給部隊", "輸送トラック", "4", "50" } };
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            std::string text = sj(rows[r][c]);
            LVITEMA item {};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.iSubItem = c;
            item.pszText = text.data();
            SendMessageA(view, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    LVITEMA state {};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessageA(view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    pump();

    RECT frame;
    GetWindowRect(parent.hwnd, &frame);
    harness::Image shot = harness::readRect(frame);
    EXPECT_TRUE(harness::writePng(shot, shotPath("list_controls.png")));

    // The selected list-box row is in the highlight colour, and each header and tab has text.
    RECT row;
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    POINT inRow = screenPoint(list, row.right - 4, (row.top + row.bottom) / 2);
    EXPECT_EQ(shot.at(inRow.x - frame.left, inRow.y - frame.top) & 0xFFFFFF, screenColor(GetSysColor(COLOR_HIGHLIGHT)));
    RECT tab;
    SendMessageA(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
    POINT tl = screenPoint(tabs, tab.left, tab.top), br = screenPoint(tabs, tab.right, tab.bottom);
    EXPECT_TRUE(hasInk(shot, RECT { tl.x - frame.left, tl.y - frame.top, br.x - frame.left, br.y - frame.top }));
    HWND header = reinterpret_cast<HWND>(SendMessageA(view, LVM_GETHEADER, 0, 0));
    RECT h;
    GetWindowRect(header, &h);
    EXPECT_TRUE(hasInk(shot, RECT { h.left - frame.left, h.top - frame.top, h.left - frame.left + 150, h.bottom - frame.top }));
}
