// The controls together in a dialog template: keyboard navigation through the dialog manager
// (tab stops, radio groups, the default button) and a picture of the whole dialog.
#include "controls_test_util.h"
#include "platform/user/resource_table.h"

#include <gtest/gtest.h>


using namespace ctltest;
namespace harness = platform::harness;
using platform::resources::DialogItem;
using platform::resources::DialogTemplate;

namespace {

constexpr int kTemplate = 9100;
enum Id { Name = 101, Road = 102, Rail = 103, Air = 104, Supply = 105, Hue = 106, Log = 107, Bar = 108 };

DialogItem item(const char* cls, const char* utf8, int id, DWORD style, RECT rect, DWORD exStyle = 0)
{
    return DialogItem { cls, sjis(utf8), id, DWORD(WS_CHILD | WS_VISIBLE | style), exStyle, rect };
}

void addTemplate()
{
    DialogTemplate t;
    t.caption = sjis("操作部品の確認");
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
    t.position = POINT { 40, 40 };
    t.clientSize = SIZE { 440, 300 };
    t.fontFace = sjis("ＭＳ Ｐゴシック");
    t.fontPointSize = 9;
    std::string log;
    for (const char* line : { "第1ターン: 東部戦線で戦闘", "第2ターン: 補給線を確保", "第3ターン: 空挺部隊が降下",
             "第4ターン: 首都を包囲", "第5ターン: 停戦交渉", "第6ターン: 作戦終了" })
        log += sjis(line) + "\r\n";
    t.items = {
        item(WC_STATICA, "部隊名:", -1, SS_RIGHT, { 10, 12, 70, 30 }),
        item(WC_EDITA, "第一戦車中隊", Name, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, { 76, 10, 230, 32 }, WS_EX_CLIENTEDGE),
        item(WC_BUTTONA, "移動方法", -1, BS_GROUPBOX, { 10, 40, 230, 130 }),
        item(WC_BUTTONA, "道路(&R)", Road, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, { 20, 58, 120, 78 }),
        item(WC_BUTTONA, "鉄道(&T)", Rail, BS_AUTORADIOBUTTON, { 20, 80, 120, 100 }),
        item(WC_BUTTONA, "空輸(&A)", Air, BS_AUTORADIOBUTTON, { 20, 102, 120, 122 }),
        item(WC_BUTTONA, "自動補給", Supply, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, { 130, 58, 225, 78 }),
        item(TRACKBAR_CLASSA, "", Hue, TBS_AUTOTICKS | WS_TABSTOP | WS_GROUP, { 10, 140, 230, 172 }),
        item(WC_STATICA, "色相: 165", -1, SS_CENTER | SS_SUNKEN, { 10, 178, 110, 196 }),
        item(WC_STATICA, "無効な項目", -1, SS_LEFT | WS_DISABLED, { 120, 178, 230, 196 }),
        item(WC_STATICA, "", -1, SS_ETCHEDHORZ, { 10, 206, 430, 208 }),
        item(WC_STATICA, "C:\\ゲーム\\データ\\シナリオ\\とても長いシナリオの名前.dat", -1, SS_PATHELLIPSIS | SS_NOPREFIX,
            { 10, 214, 230, 232 }),
        item(WC_EDITA, "", Log, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP | WS_GROUP, { 240, 10, 430, 110 },
            WS_EX_CLIENTEDGE),
        item(WC_SCROLLBARA, "", Bar, SBS_HORZ, { 240, 120, 430, 137 }),
        item(WC_BUTTONA, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, { 250, 260, 330, 286 }),
        item(WC_BUTTONA, "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, { 340, 260, 420, 286 }),
    };
    t.items[12].text = log;
    platform::resources::addDialog(MAKEINTRESOURCEA(kTemplate), t);
}

std::vector<WPARAM> g_commands;

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CheckRadioButton(dialog, Road, Air, Road);
        SendDlgItemMessageA(dialog, Hue, TBM_SETRANGE, TRUE, MAKELPARAM(0, 360));
        SendDlgItemMessageA(dialog, Hue, TBM_SETTICFREQ, 15, 0);
        SendDlgItemMessageA(dialog, Hue, TBM_SETPOS, TRUE, 165);
        SCROLLINFO info { sizeof(info), SIF_ALL, 0, 99, 20, 40, 0 };
        SetScrollInfo(GetDlgItem(dialog, Bar), SB_CTL, &info, TRUE);
        return TRUE;
    }
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return FALSE;
}

struct ControlsDialog : ::testing::Test {
    HWND dialog = nullptr;
    void SetUp() override
    {
        addTemplate();
        g_commands.clear();
        dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(kTemplate), nullptr, dialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        dialogPump();
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        destroyAll();
    }
    void dialogPump()
    {
        for (int round = 0; round < 3; ++round) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (IsDialogMessageA(dialog, &msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            harness::waitIdle(std::chrono::milliseconds(2000));
        }
    }
    void press(UINT key)
    {
        harness::pressKey(key);
        dialogPump();
    }
    int focusId() { return GetDlgCtrlID(GetFocus()); }
};

TEST_F(ControlsDialog, KeyboardWalksTabStopsAndRadioGroupsAndEnterIsOk)
{
    EXPECT_EQ(focusId(), Name);
    press(VK_TAB);
    EXPECT_EQ(focusId(), Road);
    press(VK_DOWN);
    EXPECT_EQ(focusId(), Rail);
    EXPECT_EQ(IsDlgButtonChecked(dialog, Rail), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, Road), BST_UNCHECKED);
    press(VK_TAB);
    EXPECT_EQ(focusId(), Supply);
    press(VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, Supply), BST_CHECKED);
    press(VK_TAB);
    EXPECT_EQ(focusId(), Hue);
    press(VK_RIGHT);
    EXPECT_EQ(SendDlgItemMessageA(dialog, Hue, TBM_GETPOS, 0, 0), 166);
    press(VK_TAB);
    EXPECT_EQ(focusId(), Log);
    press(VK_TAB);
    EXPECT_EQ(focusId(), IDOK);
    g_commands.clear();
    press(VK_RETURN);
    EXPECT_NE(std::find(g_commands.begin(), g_commands.end(), WPARAM(IDOK)), g_commands.end());
    // The default look goes with the focus to the push button Enter would press, and back to OK
    // when the focus leaves the push buttons; OK stays the dialog's default throughout.
    auto looksDefault = [&](int id) { return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    press(VK_TAB);
    EXPECT_EQ(focusId(), IDCANCEL);
    EXPECT_TRUE(looksDefault(IDCANCEL));
    EXPECT_FALSE(looksDefault(IDOK));
    press(VK_TAB);
    EXPECT_EQ(focusId(), Name);
    EXPECT_TRUE(looksDefault(IDOK));
    EXPECT_FALSE(looksDefault(IDCANCEL));
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
}

TEST_F(ControlsDialog, DrawsEveryControlInThePlainLook)
{
    SetFocus(GetDlgItem(dialog, Name));
    SendDlgItemMessageA(dialog, Name, EM_SETSEL, 0, 4);
    dialogPump();
    RECT r;
    GetWindowRect(dialog, &r);
    harness::Image image = harness::readRect(r);
    harness::keepShot(image, "controls_dialog.png");

    auto xrgb = [](COLORREF c) { return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c); };
    auto at = [&](HWND control, int x, int y) {
        POINT p = screenPoint(control, x, y);
        return image.at(p.x - r.left, p.y - r.top) & 0xFFFFFF;
    };
    // The default button's black frame, a face inside it, the edit's selection highlight.
    HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(at(ok, 0, 10), 0u);
    EXPECT_EQ(at(ok, 40, 3), xrgb(GetSysColor(COLOR_BTNFACE)));
    bool highlighted = false;
    HWND name = GetDlgItem(dialog, Name);
    for (int x = 0; x < 40; ++x)
        highlighted = highlighted || at(name, x, 10) == xrgb(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(highlighted);
    // Radio buttons inside the group box show through it.
    HWND road = GetDlgItem(dialog, Road);
    bool drawn = false;
    for (int x = 0; x < 60; ++x)
        for (int y = 2; y < 18; ++y)
            drawn = drawn || at(road, x, y) == 0u;
    EXPECT_TRUE(drawn);
    // The trackbar's channel is sunken white and its thumb stands at 165 of 360.
    RECT thumb {};
    SendDlgItemMessageA(dialog, Hue, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    RECT channel {};
    SendDlgItemMessageA(dialog, Hue, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
    int expected = channel.left + 2 + (channel.right - channel.left - 4) * 165 / 360;
    EXPECT_NEAR((thumb.left + thumb.right) / 2, expected, 2);
}

} // namespace
