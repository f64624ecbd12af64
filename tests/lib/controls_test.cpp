// Library controls: binding, the Tab and arrow chains, Enter clicks and the notices posted
// to the parent, driven by keys and the mouse on the headless desktop.
#include "lib/control.h"
#include "lib/edit.h"
#include "lib/font.h"
#include "lib/list_view.h"
#include "lib/menu_helpers.h"
#include "lib/tooltip.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace testing_lib;
namespace harness = platform::harness;

namespace {

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A parent that records the control notices and button clicks it receives.
class RecordingParent : public TopWindow {
public:
    RecordingParent() : TopWindow("LibControlsParent") { }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message >= WM_CONTROL_ESCAPE && msg.message <= WM_CONTROL_KILLFOCUS)
            notices.push_back({ msg.message, msg.wParam, msg.lParam });
        return 0;
    }
    int OnCommand(MessageRecord&, UINT id, UINT code) override
    {
        if (code == BN_CLICKED)
            clicks.push_back(id);
        return 0;
    }
    std::vector<Notice> notices;
    std::vector<UINT> clicks;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        initApplication();
        ASSERT_TRUE(parent.Create());
        for (UINT i = 0; i < 3; ++i) {
            edits.push_back(std::make_unique<EditBox>(&parent, 100 + i, WS_BORDER));
            ASSERT_TRUE(edits.back()->controlCreate({ 10, 10 + 30 * int(i), 120, 22 }));
        }
        pump();
    }
    void TearDown() override
    {
        edits.clear();
        destroyAllWindows();
    }
    void focus(swCWindow& control)
    {
        SetFocus(control.handle());
        pump();
        parent.notices.clear();
    }
    void press(UINT key)
    {
        harness::pressKey(key);
        pump();
    }
    std::vector<UINT> noticeCodes() const
    {
        std::vector<UINT> codes;
        for (const Notice& n : parent.notices)
            codes.push_back(n.message);
        return codes;
    }

    RecordingParent parent;
    std::vector<std::unique_ptr<EditBox>> edits;
};

TEST_F(ControlsTest, TabArrowsAndShiftTabWalkTheChain)
{
    EditBox& a = *edits[0];
    EditBox& b = *edits[1];
    EditBox& c = *edits[2];
    a.setNext(&b);
    b.setChain(&a, &c);
    c.setPrevious(&b);
    focus(a);
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), b.handle());
    press(VK_DOWN);
    EXPECT_EQ(GetFocus(), c.handle());
    press(VK_UP);
    EXPECT_EQ(GetFocus(), b.handle());
    harness::keyDown(VK_SHIFT);
    press(VK_TAB);
    harness::keyUp(VK_SHIFT);
    pump();
    EXPECT_EQ(GetFocus(), a.handle());
}

TEST_F(ControlsTest, TabAtTheEndOfTheChainIsPassedOnAndPostedWithKeysToParent)
{
    EditBox& last = *edits[2];
    last.setPrevious(edits[1].get());
    last.setKeysToParent(true);
    focus(last);
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), last.handle());
    ASSERT_EQ(noticeCodes(), std::vector<UINT> { WM_CONTROL_KEY });
    EXPECT_EQ(parent.notices[0].wParam, WPARAM(VK_TAB));
}

TEST_F(ControlsTest, EscapeGoesToTheParentAsItsOwnNoticeUnlessEveryKeyDoes)
{
    EditBox& edit = *edits[0];
    edit.setEscapeToParent(true);
    focus(edit);
    press('A');
    press(VK_ESCAPE);
    EXPECT_EQ(noticeCodes(), std::vector<UINT> { WM_CONTROL_ESCAPE });

    edit.setKeysToParent(true);
    parent.notices.clear();
    press(VK_ESCAPE);
    press('A');
    EXPECT_EQ(noticeCodes(), (std::vector<UINT> { WM_CONTROL_KEY, WM_CONTROL_KEY }));
    EXPECT_EQ(parent.notices[0].wParam, WPARAM(VK_ESCAPE));
}

TEST_F(ControlsTest, FocusNoticesCarryTheControlObject)
{
    EditBox& a = *edits[0];
    a.setFocusNotices(true);
    focus(*edits[1]);
    focus(a);
    // focus() clears what came before; set the focus again by hand to see both notices.
    SetFocus(edits[1]->handle());
    pump();
    SetFocus(a.handle());
    pump();
    ASSERT_EQ(noticeCodes(), (std::vector<UINT> { WM_CONTROL_KILLFOCUS, WM_CONTROL_SETFOCUS }));
    for (const Notice& n : parent.notices)
        EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(HWND(parent.notices[1].wParam), edits[1]->handle());
}

TEST_F(ControlsTest, EnterClicksTheButtonOnceAndHoverTakesTheFocus)
{
    PushButton button(&parent, 200, BS_PUSHBUTTON);
    ASSERT_TRUE(button.controlCreateTitled("OK", { 150, 10, 80, 24 }));
    button.setEnterClicks(true);
    button.setHoverFocus(true);
    pump();
    focus(*edits[0]);
    RECT r {};
    GetWindowRect(button.handle(), &r);
    harness::mouseMove(r.left + 5, r.top + 5);
    pump();
    EXPECT_EQ(GetFocus(), button.handle());
    press(VK_RETURN);
    EXPECT_EQ(parent.clicks, std::vector<UINT> { 200 });
}

TEST_F(ControlsTest, AControlBindsToTheParentsExistingItemAndCreatesNothing)
{
    HWND existing = CreateWindowExA(0, "Static", "x", WS_CHILD | WS_VISIBLE, 200, 100, 40, 20, parent.handle(),
        reinterpret_cast<HMENU>(UINT_PTR(300)), nullptr, nullptr);
    ASSERT_NE(existing, nullptr);
    StaticText label(&parent, 300, SS_LEFT);
    EXPECT_EQ(label.handle(), existing);
    const auto before = [&] {
        std::vector<HWND> children;
        parent.windowCollectChildren(children);
        return children.size();
    }();
    EXPECT_TRUE(label.controlCreate({ 0, 0, 10, 10 }));
    std::vector<HWND> after;
    parent.windowCollectChildren(after);
    EXPECT_EQ(after.size(), before);
    EXPECT_EQ(windowFromHandle(existing), &label);

    StaticText orphan(nullptr, 301, SS_LEFT);
    EXPECT_FALSE(orphan.controlAttachDlgItem());
}

TEST_F(ControlsTest, ListViewHelpersFillColumnsItemsAndTheHeaderFont)
{
    ChildControl list("SysListView32", &parent, 400, LVS_REPORT);
    ASSERT_TRUE(list.controlCreate({ 10, 100, 280, 100 }));
    EXPECT_EQ(listViewInsertColumn(list, 0, "name", 120), 0);
    EXPECT_EQ(listViewInsertColumn(list, 1, nullptr, 80), 1);
    EXPECT_EQ(listViewSetItem(list, 0, 0, "tank", 42), 0);
    listViewSetItem(list, 0, 1, "3", 0);
    EXPECT_EQ(listViewSetItem(list, 1, 0, "ship", -7), 1);
    EXPECT_EQ(listViewGetItemData(list, 0), 42);
    EXPECT_EQ(listViewGetItemData(list, 1), -7);
    char text[16] = {};
    LVITEMA sub {};
    sub.iSubItem = 1;
    sub.pszText = text;
    sub.cchTextMax = sizeof text;
    SendMessageA(list.handle(), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&sub));
    EXPECT_STREQ(text, "3");

    HWND header = listViewFindHeader(list);
    char className[32] = {};
    GetClassNameA(header, className, sizeof className);
    EXPECT_STREQ(className, "SysHeader32");
    swCFont font;
    ASSERT_TRUE(font.fontCreate(-14, FW_BOLD));
    listViewSetHeaderFont(list, font.handle());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)), font.handle());
    LOGFONTA log {};
    GetObjectA(font.handle(), sizeof log, &log);
    EXPECT_EQ(log.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(log.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_EQ(log.lfWeight, FW_BOLD);
}

TEST_F(ControlsTest, ListRowsHoldTheirValuesAndARefillReplacesThem)
{
    ChildControl list("ListBox", &parent, 401, LBS_OWNERDRAWFIXED | LBS_NOTIFY);
    ASSERT_TRUE(list.controlCreate({ 10, 100, 200, 80 }));
    setListRows(list.handle(), std::vector<int> { 5, 7, 9 });
    setListRows(list.handle(), std::vector<int> { 4, 2 });
    EXPECT_EQ(SendMessageA(list.handle(), LB_GETCOUNT, 0, 0), 2);
    for (auto [row, value] : { std::pair { 0, 4 }, { 1, 2 }, { 2, -1 }, { -1, -1 } })
        EXPECT_EQ(listRowValue(list.handle(), row), value) << row;
    EXPECT_EQ(listRowValue(nullptr, 0), -1);
    setListIndexRows(list.handle(), 3);
    EXPECT_EQ(listRowValue(list.handle(), 2), 2);
}

TEST_F(ControlsTest, MenuTextsAndTooltipTools)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 31, "old");
    EXPECT_TRUE(menuSetItemText(menu, 31, "new"));
    char text[16] = {};
    GetMenuStringA(menu, 31, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "new");
    DestroyMenu(menu);

    swCToolTip tips(&parent);
    ASSERT_TRUE(tips.Create());
    EXPECT_FALSE(GetWindowLongA(tips.handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(tips.toolTipAddTool(edits[0]->handle(), "tip"));
    EXPECT_EQ(SendMessageA(tips.handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
}

} // namespace
