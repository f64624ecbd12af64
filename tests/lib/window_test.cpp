// Window objects: binding, self-deleting heap windows, the shared procedure and the lookup.
#include "lib/frame_window.h"
#include "lib/handle_window.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace testing_lib;

namespace {

std::vector<std::string> g_log;

class Probe : public TopWindow {
public:
    explicit Probe(const char* className = "LibTestTop", std::string name = "probe")
        : TopWindow(className)
        , m_name(std::move(name))
    {
    }
    ~Probe() override { g_log.push_back("delete " + m_name); }

    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message == WM_DESTROY)
            g_log.push_back("destroy " + m_name);
        if (msg.message == WM_USER + 1) {
            msg.result = 77;
            return 2;
        }
        return 0;
    }

private:
    std::string m_name;
};

LRESULT CALLBACK recorderProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 5)
        return 55;
    return DefWindowProcA(handle, message, wParam, lParam);
}

const char* recorderClass()
{
    static const char* name = [] {
        WNDCLASSA info {};
        info.lpfnWndProc = recorderProc;
        info.hInstance = theApplication().instance();
        info.lpszClassName = "LibTestRecorder";
        RegisterClassA(&info);
        return "LibTestRecorder";
    }();
    return name;
}

struct WindowFixture : ::testing::Test {
    void SetUp() override
    {
        initApplication();
        g_log.clear();
    }
    void TearDown() override { destroyAllWindows(); }
};

using WindowLifetime = WindowFixture;
using WindowProcedure = WindowFixture;
using WindowLookup = WindowFixture;

} // namespace

TEST_F(WindowLifetime, HeapWindowIsDeletedOnceAfterItsDestroyHandling)
{
    auto* window = new Probe();
    ASSERT_TRUE(window->Create());
    EXPECT_TRUE(window->deleteOnDestroy());
    HWND handle = window->handle();
    DestroyWindow(handle);
    EXPECT_EQ(g_log, (std::vector<std::string> { "destroy probe", "delete probe" }));
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(windowFromHandle(handle), nullptr);
}

TEST_F(WindowLifetime, StackWindowSurvivesItsHandleAndCanBeDestroyedLater)
{
    {
        Probe window;
        EXPECT_FALSE(window.deleteOnDestroy());
        ASSERT_TRUE(window.Create());
        HWND handle = window.handle();
        DestroyWindow(handle);
        EXPECT_EQ(window.handle(), nullptr);
        EXPECT_EQ(g_log, (std::vector<std::string> { "destroy probe" }));
        // Nothing to destroy any more: the call fails without touching a window.
        EXPECT_FALSE(window.Destroy());
    }
    EXPECT_EQ(g_log.back(), "delete probe");
}

TEST_F(WindowLifetime, ObjectMadeAfterAHeapAllocationIsNotMarked)
{
    void* raw = swCWindow::operator new(sizeof(Probe));
    Probe onStack;
    EXPECT_FALSE(onStack.deleteOnDestroy());
    // The stack object's constructor cleared the mark: an object built later in that block
    // must not take it either.
    Probe* late = ::new (raw) Probe();
    EXPECT_FALSE(late->deleteOnDestroy());
    delete late;

    auto* heap = new Probe();
    Probe second;
    EXPECT_TRUE(heap->deleteOnDestroy());
    EXPECT_FALSE(second.deleteOnDestroy());
    delete heap;
}

TEST_F(WindowLifetime, HeapMarkIsKeptPerThread)
{
    // A window built on another thread between this thread's allocation and construction
    // must not take the mark away.
    void* raw = swCWindow::operator new(sizeof(Probe));
    bool otherMarked = true;
    std::thread other([&] {
        Probe elsewhere("LibTestTop", "elsewhere");
        otherMarked = elsewhere.deleteOnDestroy();
    });
    other.join();
    Probe* mine = ::new (raw) Probe();
    EXPECT_FALSE(otherMarked);
    EXPECT_TRUE(mine->deleteOnDestroy());
    delete mine;
}

TEST_F(WindowLifetime, DestroyingAFrameWindowPostsQuitZero)
{
    auto* frame = new swCFrameWindow("LibTestFrame");
    ASSERT_TRUE(frame->Create());
    EXPECT_EQ(DWORD(GetWindowLongPtrA(frame->handle(), GWL_STYLE)) & WS_OVERLAPPEDWINDOW, DWORD(WS_OVERLAPPEDWINDOW));
    MSG msg;
    DestroyWindow(frame->handle());
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(WindowProcedure, AnyNonzeroHandlerResultCountsAsHandled)
{
    Probe window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(SendMessageA(window.handle(), WM_USER + 1, 0, 0), 77);
}

TEST_F(WindowProcedure, UnhandledMessagesReachTheClassProcedureAndDetachRestoresIt)
{
    HWND handle = nullptr;
    {
        Probe window(recorderClass());
        ASSERT_TRUE(window.Create());
        handle = window.handle();
        EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(commonWindowProc));
        EXPECT_EQ(SendMessageA(handle, WM_USER + 5, 0, 0), 55);
    }
    ASSERT_TRUE(IsWindow(handle));
    EXPECT_EQ(windowFromHandle(handle), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(recorderProc));
    EXPECT_EQ(SendMessageA(handle, WM_USER + 5, 0, 0), 55);
}

TEST_F(WindowProcedure, ChildControlDrawsItselfForItsParent)
{
    struct Drawn : swCOwnerDrawWindow {
        using swCOwnerDrawWindow::swCOwnerDrawWindow;
        void DrawItem(DRAWITEMSTRUCT* item) override { drawnId = int(item->CtlID); }
        int drawnId = 0;
    };
    // The parent is not a library window of its own class: what counts is the child's object.
    Probe parent(recorderClass());
    ASSERT_TRUE(parent.Create());
    Drawn child("LibTestChild", &parent, 31);
    child.setFrame(0, 0, 20, 20);
    ASSERT_TRUE(child.Create());
    DRAWITEMSTRUCT item {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 31;
    item.hwndItem = child.handle();
    EXPECT_EQ(SendMessageA(parent.handle(), WM_DRAWITEM, 31, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(child.drawnId, 31);
}

TEST_F(WindowLookup, FindsTheObjectFromAnyThread)
{
    Probe window;
    ASSERT_TRUE(window.Create());
    swCWindow* seen = nullptr;
    std::thread other([&] { seen = windowFromHandle(window.handle()); });
    other.join();
    EXPECT_EQ(seen, &window);
    EXPECT_EQ(windowFromHandle(nullptr), nullptr);
}

TEST_F(WindowLookup, HandleWindowBindsWithoutSubclassing)
{
    HWND handle = CreateWindowExA(0, recorderClass(), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
        theApplication().instance(), nullptr);
    ASSERT_TRUE(handle);
    {
        swCHandleWindow bound(handle);
        EXPECT_EQ(windowFromHandle(handle), &bound);
        EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(recorderProc));
    }
    EXPECT_EQ(windowFromHandle(handle), nullptr);
    DestroyWindow(handle);
}

TEST_F(WindowLookup, ChildrenAreCollectedAndFoundByExactClassName)
{
    Probe parent;
    ASSERT_TRUE(parent.Create());
    swCWindow first("LibTestChildA", &parent, 1);
    swCWindow second("LibTestChildB", &parent, 2);
    ASSERT_TRUE(first.Create());
    ASSERT_TRUE(second.Create());
    swCWindow nested("LibTestChildC", &second, 3);
    ASSERT_TRUE(nested.Create());

    std::vector<HWND> children;
    parent.windowCollectChildren(children);
    EXPECT_EQ(children.size(), 3u);
    EXPECT_EQ(parent.windowFindChildByClass("LibTestChildC"), nested.handle());
    EXPECT_EQ(parent.windowFindChildByClass("LibTestChildB"), second.handle());
    EXPECT_EQ(parent.windowFindChildByClass("libtestchildb"), nullptr);
}

TEST_F(WindowProcedure, ApplicationCursorAnswersSetCursorAndActivationIsTracked)
{
    Probe window;
    ASSERT_TRUE(window.Create());
    swCApplication& app = theApplication();
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    app.appSetCursor(wait);
    EXPECT_EQ(SendMessageA(window.handle(), WM_SETCURSOR, WPARAM(window.handle()), HTCLIENT), TRUE);
    EXPECT_EQ(GetCursor(), wait);
    app.appSetCursor(nullptr);

    SendMessageA(window.handle(), WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(app.active());
    SendMessageA(window.handle(), WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(app.active());
}
