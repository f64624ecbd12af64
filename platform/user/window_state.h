// The window system's shared state: classes, windows, the window tree and the one lock that
// guards them. Window procedures are never called while that lock is held.
#pragma once

#include "platform/gdi/region.h"
#include "platform/kernel/handle_table.h"
#include "platform/user/queue.h"
#include "platform/user/winuser.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Surface;
}

namespace platform::user {

struct WindowClass {
    std::string name;
    WNDCLASSEXA info {};
    std::string menuName;     // when the menu name is a string
    std::vector<uint8_t> extra;
    ATOM atom = 0;
    bool system = false;
    bool pageStrip = false;   // see markPageStripClass
    int windowCount = 0;
};

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool shown = false;
    UINT disabledArrows = 0;
};

enum class ShowState { Normal, Minimized, Maximized };

struct Window {
    HWND handle = nullptr;
    DWORD threadId = 0;
    std::shared_ptr<ThreadQueue> queue;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::vector<uint8_t> extra;
    std::vector<std::pair<std::string, HANDLE>> props;
    HMENU menu = nullptr;     // menu bar of a top-level window

    Window* parent = nullptr;           // null for top-level windows
    HWND owner = nullptr;
    std::vector<Window*> children;      // z-order, topmost first

    RECT rect {};     // window rectangle in the parent's client coordinates (screen for top-level)
    RECT client {};   // client rectangle in window coordinates

    // Painting: the client update region (client coordinates) and pending parts.
    Region update;
    bool erasePending = false;
    bool framePending = false;
    bool internalPaint = false;
    bool paintCounted = false;

    // Top-level windows only: the backing store and its desktop layer.
    std::shared_ptr<Surface> surface;
    uint32_t layer = 0;
    std::optional<Region> shape;  // window coordinates
    // While minimised: the caption it leaves on the desktop, and when it was minimised.
    uint32_t iconLayer = 0;
    RECT iconRect {};
    uint64_t minimizedOrder = 0;

    ShowState showState = ShowState::Normal;
    RECT normalRect {};
    POINT minPosition { -1, -1 };
    POINT maxPosition { -1, -1 };
    ScrollBarState hscroll;
    ScrollBarState vscroll;

    bool destroying = false;
    bool destroyed = false;
    bool hiddenWithOwner = false;   // hidden when its owner was minimised; shown on restore

    bool isChild() const { return (style & WS_CHILD) != 0 && parent; }
};

// The recursive tree lock; counts its depth per thread so that calls into window procedures
// can check that it is not held.
class TreeLock {
public:
    TreeLock();
    ~TreeLock();
    TreeLock(const TreeLock&) = delete;
    TreeLock& operator=(const TreeLock&) = delete;
    static bool heldByThisThread();
};

struct WindowSystem {
    HandleTable<Window> windows { HandleKind::Window };
    std::vector<Window*> topLevels;   // z-order, topmost first
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;
};

WindowSystem& windowSystem();

std::shared_ptr<WindowClass> findClass(LPCSTR name, HINSTANCE instance);  // class.cpp

// Lookup under the tree lock; sets ERROR_INVALID_WINDOW_HANDLE and returns null for a stale handle.
Window* findWindow(HWND hwnd);
// The same without touching the last error.
Window* peekWindow(HWND hwnd);
std::shared_ptr<Window> windowRef(HWND hwnd);

// Geometry (tree lock held).
POINT windowOrigin(const Window& w);         // window's top-left in screen coordinates
POINT clientOrigin(const Window& w);         // client's top-left in screen coordinates
RECT screenRect(const Window& w);
Window* rootOf(Window& w);
bool isReallyVisible(const Window& w);
bool isDescendant(const Window& ancestor, const Window& w);
std::vector<Window*>& siblingsOf(Window& w);

// Window procedure calls (tree lock not held).
LRESULT callProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void setInvalidWindowHandle();

// Entry points between the parts of the window system.
bool processInput(ThreadQueue& queue, const RawInput& input, MSG& msg, bool remove);  // input.cpp
HWND findWindowToPaint(DWORD threadId, HWND filter);                                   // paint.cpp
void destroyThreadWindows(DWORD threadId);                                             // window.cpp
void completeSent(SentMessage* sent, LRESULT result);                                  // queue.cpp

// Painting state (paint.cpp; tree lock held). Client regions are in client coordinates, root
// areas in the top-level window's coordinates.
void invalidateClient(Window& w, const Region* clientArea, bool erase);
void invalidateFrame(Window& w);
void invalidateRootArea(Window& root, const Region& rootArea);
void invalidateWhole(Window& w);           // frame, client and every descendant
void invalidateChildrenIn(Window& w, const Region& rootArea);   // the descendants only
void clearPaintState(Window& w);
void updatePaintCount(Window& w);
RECT windowRectInRoot(const Window& w);
RECT clientRectInRoot(const Window& w);

// Desktop layers of top-level windows (layer.cpp; tree lock held).
void attachLayer(Window& top);
void detachLayer(Window& top);
void refreshLayer(Window& top);            // position, size, visibility, shape
void syncLayerOrder();
void presentRootArea(Window& root, const RECT& rootRect);

// The captions minimised top-level windows leave on the desktop (minimized_icon.cpp). The sync
// gives the window its caption or takes it away as its state asks (tree lock not held); the drop
// takes it away (tree lock held).
void syncMinimizedIcon(HWND hwnd);
void dropMinimizedIcon(Window& w);
HWND minimizedIconAt(POINT screen);
// The windows that show their captions, in the order they were minimised.
std::vector<HWND> minimizedWindows();
// True when every top-level window is hidden or minimised: the program shows nothing.
bool nothingShownButIcons();

// Activation and focus bookkeeping (focus.cpp; tree lock not held).
void activateWindow(HWND hwnd, int how);   // WA_ACTIVE or WA_CLICKACTIVE
void activateAnotherWindow(HWND leaving);
void forgetWindow(Window& w);               // focus/active/capture references, tree lock held
// EnableWindow's two steps, for a caller that changes the state under a lock of its own and lets
// go of it before the window is told (the news may be sent to another thread). changeEnabled
// returns whether the window was enabled before (nothing for no window); tellEnabled sends what
// EnableWindow sends for a change to `enable`, the focus and capture going as they stand then.
std::optional<bool> changeEnabled(HWND hwnd, bool enable);
void tellEnabled(HWND hwnd, bool enable);

// Owned top-level windows (owned.cpp). keepOwnedOrder runs with the tree lock held after `w`
// moved among the top-level windows: `w` goes directly above its owner if it went at or below
// it, and all it owns, directly or not, directly above it in their order; true when the order
// changed. The other two run without the lock: hiding the visible windows `owner` owns with
// WM_SHOWWINDOW(FALSE, SW_PARENTCLOSING) (true when the active window was one of them), and
// showing exactly those again with WM_SHOWWINDOW(TRUE, SW_PARENTOPENING).
bool keepOwnedOrder(Window& w);
bool hideOwnedWindows(HWND owner);
void showOwnedWindows(HWND owner);

// Window positions (position.cpp; tree lock not held).
BOOL setWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
MINMAXINFO minMaxInfo(HWND hwnd);
RECT nonClientInsets(const Window& w);     // frame, caption and menu widths (nonclient.cpp)
LRESULT nonClientCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam);


} // namespace platform::user
