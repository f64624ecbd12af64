// Dialogs: OK and Cancel, the dialog procedure's idea of "handled", the modeless list, modal
// dialogs on a second thread and errors thrown out of a handler.
#include "lib/dialog_base.h"
#include "platform/user/resource_table.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

using namespace testing_lib;

namespace {

constexpr UINT kPlainDialog = 911;
constexpr UINT kPostOk = WM_USER + 10;
constexpr UINT kPostCancel = WM_USER + 11;
constexpr UINT kThrow = WM_USER + 12;
constexpr UINT kAnswerTwo = WM_USER + 13;
constexpr UINT kAnswerOne = WM_USER + 14;

void registerDialog()
{
    static bool done = [] {
        // Any class will do for the item: the dialog needs only its id.
        WNDCLASSA item {};
        item.lpfnWndProc = DefWindowProcA;
        item.lpszClassName = "LibTestItem";
        RegisterClassA(&item);
        platform::resources::DialogTemplate dialog;
        dialog.caption = "plain";
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        dialog.position = POINT { 30, 30 };
        dialog.clientSize = SIZE { 160, 80 };
        dialog.items.push_back(platform::resources::DialogItem { "LibTestItem", "OK", IDOK,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, RECT { 10, 40, 70, 64 } });
        platform::resources::addDialog(MAKEINTRESOURCEA(kPlainDialog), dialog);
        return true;
    }();
    (void)done;
}

// Posts itself the message named at construction once it is open, and logs what happens.
class ScriptedDialog : public DialogBase {
public:
    ScriptedDialog(swCWindow* parent, bool modeless, UINT firstMessage = 0)
        : DialogBase(kPlainDialog, parent, modeless)
        , m_firstMessage(firstMessage)
    {
    }

    int OnInitDialog() override
    {
        if (m_firstMessage)
            PostMessageA(handle(), m_firstMessage, 0, 0);
        return 0;
    }
    int DataExchange(int save) override
    {
        log += save ? "save " : "load ";
        return DialogBase::DataExchange(save);
    }
    int OnMessage(MessageRecord& msg) override
    {
        switch (msg.message) {
        case kPostOk:
            // The modal loop runs now: the owner must be disabled.
            if (m_parent)
                ownerEnabledWhileOpen = IsWindowEnabled(m_parent->handle()) != FALSE;
            PostMessageA(handle(), WM_COMMAND, IDOK, 0);
            return 1;
        case kPostCancel:
            PostMessageA(handle(), WM_COMMAND, IDCANCEL, 0);
            return 1;
        case kThrow:
            throw std::runtime_error("handler failed");
        case kAnswerTwo:
            msg.result = 99;
            return 2;
        case kAnswerOne:
            msg.result = 99;
            return 1;
        case WM_DESTROY:
            log += "destroy ";
            return 0;
        default:
            return 0;
        }
    }

    std::string log;
    bool ownerEnabledWhileOpen = true;

private:
    UINT m_firstMessage;
};

struct DialogFixture : ::testing::Test {
    void SetUp() override
    {
        initApplication();
        registerDialog();
    }
    void TearDown() override { destroyAllWindows(); }
};

using DialogResult = DialogFixture;
using DialogProcedure = DialogFixture;
using DialogThreads = DialogFixture;

} // namespace

TEST_F(DialogResult, OkSavesBeforeTheDialogEndsAndCancelNeverSaves)
{
    ScriptedDialog ok(nullptr, false, kPostOk);
    EXPECT_TRUE(ok.run());
    EXPECT_EQ(ok.result(), 1);
    EXPECT_TRUE(ok.dataSaved());
    EXPECT_EQ(ok.log, "load save destroy ");
    EXPECT_EQ(ok.handle(), nullptr);

    ScriptedDialog cancel(nullptr, false, kPostCancel);
    EXPECT_TRUE(cancel.run());
    EXPECT_EQ(cancel.result(), 0);
    EXPECT_FALSE(cancel.dataSaved());
    EXPECT_EQ(cancel.log, "load destroy ");
}

TEST_F(DialogResult, MissingTemplateFailsWithoutThrowing)
{
    struct Missing : DialogBase {
        explicit Missing(bool modeless)
            : DialogBase(65000, nullptr, modeless)
        {
        }
    };
    Missing modal(false);
    EXPECT_FALSE(modal.run());
    EXPECT_EQ(modal.result(), -1);
    Missing modeless(true);
    EXPECT_FALSE(modeless.run());
}

TEST_F(DialogProcedure, OnlyResultOneCountsAsHandled)
{
    ScriptedDialog dialog(nullptr, true);
    ASSERT_TRUE(dialog.run());
    // Not handled: the dialog manager's default answer, not the record's result.
    EXPECT_EQ(SendMessageA(dialog.handle(), kAnswerTwo, 0, 0), 0);
    EXPECT_EQ(SendMessageA(dialog.handle(), kAnswerOne, 0, 0), 99);
    dialog.close();
}

TEST_F(DialogProcedure, ModelessDialogIsListedFromConstructionToDestruction)
{
    swCApplication& app = theApplication();
    {
        ScriptedDialog dialog(nullptr, true);
        EXPECT_EQ(app.modelessWindows(), (std::vector<swCWindow*> { &dialog }));
        ASSERT_TRUE(dialog.run());
        dialog.close();
        EXPECT_EQ(dialog.handle(), nullptr);
        EXPECT_EQ(app.modelessWindows(), (std::vector<swCWindow*> { &dialog }));
        ScriptedDialog modal(nullptr, false);
        EXPECT_EQ(app.modelessWindows().size(), 1u);
    }
    EXPECT_TRUE(app.modelessWindows().empty());
}

TEST_F(DialogProcedure, HeapDialogDeletesItselfWhenClosed)
{
    static int deletions = 0;
    struct Counted : ScriptedDialog {
        Counted()
            : ScriptedDialog(nullptr, true)
        {
        }
        ~Counted() override { ++deletions; }
    };
    deletions = 0;
    auto* dialog = new Counted();
    ASSERT_TRUE(dialog->run());
    HWND handle = dialog->handle();
    SendMessageA(handle, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(deletions, 1);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(theApplication().modelessWindows().empty());
}

TEST_F(DialogThreads, ModalDialogOnASecondThreadDisablesTheOwnerOfTheFirst)
{
    TopWindow owner;
    ASSERT_TRUE(owner.Create());
    std::atomic<bool> finished = false;
    BOOL ran = FALSE;
    INT_PTR result = -5;
    bool enabledWhileOpen = true;
    std::thread game([&] {
        ScriptedDialog dialog(&owner, false, kPostOk);
        ran = dialog.run();
        result = dialog.result();
        enabledWhileOpen = dialog.ownerEnabledWhileOpen;
        finished = true;
    });
    // The owner's thread keeps handling its messages while the dialog runs.
    while (!finished) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(1);
    }
    game.join();
    EXPECT_TRUE(ran);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

TEST_F(DialogThreads, ErrorThrownInAHandlerLeavesTheOwnerEnabled)
{
    TopWindow owner;
    ASSERT_TRUE(owner.Create());
    HWND dialogHandle = nullptr;
    bool caught = false;
    try {
        ScriptedDialog dialog(&owner, false, kThrow);
        dialog.run();
        dialogHandle = dialog.handle();
    } catch (const std::runtime_error&) {
        caught = true;
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(dialogHandle, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
    std::vector<HWND> tops;
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&tops));
    EXPECT_EQ(tops, (std::vector<HWND> { owner.handle() }));
}
