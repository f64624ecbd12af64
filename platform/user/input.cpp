// Input from the desktop: routing each event to the queue of the window's thread, and turning
// queued input into mouse and key messages when that thread retrieves it.
#include "platform/kernel/test_clock.h"
#include "platform/kernel/winbase.h"
#include "platform/user/hook_internal.h"
#include "platform/user/input_sink.h"
#include "platform/user/modal_loop.h"
#include "platform/user/nonclient.h"
#include "platform/user/pointer.h"
#include "platform/user/program_close.h"
#include "platform/user/window_state.h"

#include <atomic>
#include <cstdlib>

namespace platform::user {

namespace {

std::atomic<int64_t> g_cursorPos { 0 };

struct LastClick {
    HWND hwnd = nullptr;
    UINT message = 0;
    DWORD time = 0;
    POINT screen {};
};
thread_local LastClick t_lastClick;

UINT buttonMessage(desktop::InputEvent::Button button, bool down)
{
    switch (button) {
    case desktop::InputEvent::Button::Right: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case desktop::InputEvent::Button::Middle: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    }
}

UINT buttonKey(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return VK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return VK_RBUTTON;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return VK_MBUTTON;
    }
    return 0;
}

bool isButtonDown(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

HWND focusOrActive()
{
    TreeLock lock;
    auto& system = windowSystem();
    if (peekWindow(system.focus))
        return system.focus;
    return peekWindow(system.active) ? system.active : nullptr;
}

WPARAM mouseKeys(const ThreadQueue& queue)
{
    WPARAM keys = 0;
    auto down = [&](int vk) { return (queue.m_keyState[vk] & 0x80) != 0; };
    if (down(VK_LBUTTON))
        keys |= MK_LBUTTON;
    if (down(VK_RBUTTON))
        keys |= MK_RBUTTON;
    if (down(VK_MBUTTON))
        keys |= MK_MBUTTON;
    if (down(VK_SHIFT))
        keys |= MK_SHIFT;
    if (down(VK_CONTROL))
        keys |= MK_CONTROL;
    return keys;
}

void setKey(ThreadQueue& queue, UINT vk, bool down)
{
    BYTE& state = queue.m_keyState[vk & 0xFF];
    if (down && !(state & 0x80))
        state ^= 0x01;   // toggled on each press
    state = BYTE(down ? (state | 0x80) : (state & ~0x80));
    UINT generic = (vk == VK_LSHIFT || vk == VK_RSHIFT) ? VK_SHIFT
        : (vk == VK_LCONTROL || vk == VK_RCONTROL)     ? VK_CONTROL
        : (vk == VK_LMENU || vk == VK_RMENU)           ? VK_MENU
                                                       : 0;
    if (generic)
        setKey(queue, generic, down);
}

bool isExtendedKey(UINT vk)
{
    switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
    case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK: case VK_RCONTROL:
    case VK_RMENU:
        return true;
    }
    return false;
}

// The top-level window that takes the activation instead of a disabled one: its enabled popup.
HWND enabledPopupOf(HWND top)
{
    TreeLock lock;
    for (Window* w : windowSystem().topLevels)
        if (w->owner == top && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED))
            return w->handle;
    return nullptr;
}

// A button pressed over a child window is announced to its parents (WM_PARENTNOTIFY), each
// with the cursor in its own client coordinates, up to a window that does not want it.
void notifyParentsOfClick(HWND hwnd, UINT message, POINT screen)
{
    std::vector<std::pair<HWND, LPARAM>> targets;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        for (Window* c = w; c && c->isChild() && !(c->exStyle & WS_EX_NOPARENTNOTIFY); c = c->parent) {
            POINT o = clientOrigin(*c->parent);
            targets.emplace_back(c->parent->handle, MAKELPARAM(screen.x - o.x, screen.y - o.y));
        }
    }
    for (auto& [parent, lParam] : targets)
        sendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(message, 0), lParam);
}

bool processMouse(ThreadQueue& queue, const RawInput& input, MSG& msg, bool remove)
{
    HWND hwnd = input.hwnd;
    UINT message = input.message;
    int hit = HTCLIENT;
    HWND capture = GetCapture();
    auto captureWindow = windowRef(capture);
    if (message != WM_MOUSEWHEEL && captureWindow && captureWindow->threadId != queue.threadId()) {
        // The capture was taken after the input was routed: it belongs to the capturing thread.
        if (remove && captureWindow->queue) {
            RawInput forwarded = input;
            forwarded.hwnd = capture;
            captureWindow->queue->postInput(std::move(forwarded));
        }
        return false;
    }
    if (message != WM_MOUSEWHEEL && !captureWindow && hwnd && !IsWindow(hwnd)) {
        // Its window is gone: nobody else gets it, but the button is up or down all the same.
        if (remove)
            if (UINT vk = buttonKey(message))
                setKey(queue, vk, isButtonDown(message));
        return false;
    }
    if (message != WM_MOUSEWHEEL && !captureWindow && !hwnd) {
        // Routed while over the bare desktop: look again now.
        hwnd = windowFromPointExcluding(input.screen, {});
        auto w = windowRef(hwnd);
        if (!w)
            return false;
        if (w->threadId != queue.threadId()) {
            if (remove && w->queue) {
                RawInput forwarded = input;
                forwarded.hwnd = hwnd;
                w->queue->postInput(std::move(forwarded));
            }
            return false;
        }
    }
    if (message == WM_MOUSEWHEEL) {
        // The wheel goes to the focus window.
    } else if (captureWindow) {
        hwnd = capture;
    } else {
        std::vector<HWND> skipped;
        for (int guard = 0; guard < 64; ++guard) {
            hit = int(sendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(input.screen.x, input.screen.y)));
            if (hit != HTTRANSPARENT)
                break;
            skipped.push_back(hwnd);
            HWND below = windowFromPointExcluding(input.screen, skipped);
            if (!below)
                return false;
            auto w = windowRef(below);
            if (!w)
                return false;
            if (w->threadId != queue.threadId()) {
                if (remove) {
                    RawInput forwarded = input;
                    forwarded.hwnd = below;
                    w->queue->postInput(std::move(forwarded));
                }
                return false;
            }
            hwnd = below;
        }
    }
    if (!IsWindow(hwnd))
        return false;
    if (remove)
        if (UINT vk = buttonKey(message))
            setKey(queue, vk, isButtonDown(message));

    if (message != WM_MOUSEWHEEL && hit != HTCLIENT)
        message -= WM_MOUSEMOVE - WM_NCMOUSEMOVE;
    if (isButtonDown(input.message)) {
        LastClick& last = t_lastClick;
        bool clientDouble = hit == HTCLIENT && (GetClassLongPtrA(hwnd, GCL_STYLE) & CS_DBLCLKS);
        bool near = std::abs(input.screen.x - last.screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK)
            && std::abs(input.screen.y - last.screen.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
        bool isDouble = (clientDouble || hit != HTCLIENT) && last.hwnd == hwnd && last.message == message
            && input.time - last.time <= GetDoubleClickTime() && near;
        if (remove)
            last = isDouble ? LastClick {} : LastClick { hwnd, message, input.time, input.screen };
        if (isDouble)
            message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    }

    if (remove && isButtonDown(input.message) && message != WM_MOUSEWHEEL) {
        HWND top = GetAncestor(hwnd, GA_ROOT);
        if (!IsWindowEnabled(top)) {
            // The thread's mouse hook still hears of it: a popup menu closes at any click of its
            // thread, on the windows its modal loop has disabled too.
            MOUSEHOOKSTRUCT disabled { input.screen, hwnd, UINT(HTERROR), 0 };
            callMouseHooks(queue, remove, message, disabled);
            // A window disabled by a modal dialog: the click brings the dialog forward instead.
            if (HWND popup = enabledPopupOf(top))
                activateWindow(popup, WA_CLICKACTIVE);
            return false;
        }
        if (top != GetActiveWindow()) {
            LRESULT r = sendMessage(hwnd, WM_MOUSEACTIVATE, WPARAM(top), MAKELPARAM(hit, message));
            if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT)
                activateWindow(top, WA_CLICKACTIVE);
            if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                return false;
        }
    }
    if (remove && message != WM_MOUSEWHEEL && !capture && IsWindow(hwnd))
        sendMessage(hwnd, WM_SETCURSOR, WPARAM(hwnd), MAKELPARAM(hit, input.message));
    if (remove && isButtonDown(input.message) && hit == HTCLIENT)
        notifyParentsOfClick(hwnd, input.message, input.screen);

    MOUSEHOOKSTRUCT info { input.screen, hwnd, UINT(hit), 0 };
    if (callMouseHooks(queue, remove, message, info) && remove)
        return false;

    msg = MSG {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.time = input.time;
    msg.pt = input.screen;
    if (message == WM_MOUSEWHEEL) {
        msg.wParam = MAKEWPARAM(mouseKeys(queue), WORD(short(input.wheelDelta)));
        msg.lParam = MAKELPARAM(input.screen.x, input.screen.y);
    } else if (message >= WM_MOUSEFIRST) {
        POINT p = input.screen;
        ScreenToClient(hwnd, &p);
        msg.wParam = mouseKeys(queue);
        msg.lParam = MAKELPARAM(p.x, p.y);
    } else {
        msg.wParam = WPARAM(hit);
        msg.lParam = MAKELPARAM(input.screen.x, input.screen.y);
    }
    return true;
}

bool processKey(ThreadQueue& queue, const RawInput& input, MSG& msg, bool remove)
{
    bool down = input.message == WM_KEYDOWN;
    if (input.hwnd && !IsWindow(input.hwnd)) {
        // Its window is gone (a dialog that closed on the key's press): the release is nobody
        // else's, though the key is up all the same.
        if (remove && input.kind == RawInput::Kind::Key)
            setKey(queue, input.virtualKey & 0xFF, down);
        return false;
    }
    HWND hwnd = input.hwnd ? input.hwnd : focusOrActive();
    if (!hwnd)
        return false;
    if (input.kind == RawInput::Kind::Text) {
        // With Alt held (without Ctrl) a letter is a mnemonic, which the key itself brings as
        // WM_SYSCHAR: the text the desktop reports for it as well was not typed.
        if ((queue.m_keyState[VK_MENU] & 0x80) && !(queue.m_keyState[VK_CONTROL] & 0x80))
            return false;
        uint32_t id = 0;
        if (remove) {
            std::lock_guard lock(queue.m_mutex);
            id = queue.m_nextTextId++;
            if (queue.m_nextTextId == 0)
                queue.m_nextTextId = 1;
            queue.m_texts[id] = input.text;
            // Text that TranslateMessage never picked up does not pile up.
            while (queue.m_texts.size() > 64)
                queue.m_texts.erase(queue.m_texts.begin());
        }
        msg = MSG { hwnd, WM_KEYDOWN, VK_PROCESSKEY, LPARAM((uint64_t(id) << 32) | 1), input.time, lastCursorPos() };
        return true;
    }
    UINT vk = input.virtualKey & 0xFF;
    bool wasDown = (queue.m_keyState[vk] & 0x80) != 0;
    if (remove)
        setKey(queue, vk, down);
    bool alt = (queue.m_keyState[VK_MENU] & 0x80) != 0 || vk == VK_MENU;
    bool control = (queue.m_keyState[VK_CONTROL] & 0x80) != 0;
    bool system = (alt && !control) || vk == VK_F10;
    DWORD data = 1 | (DWORD(vk & 0xFF) << 16);
    if (isExtendedKey(vk))
        data |= 1u << 24;
    if (alt && !control)
        data |= 1u << 29;
    if (!down || wasDown || input.repeat)
        data |= 1u << 30;
    if (!down)
        data |= 1u << 31;
    if (callKeyboardHooks(queue, remove, vk, LPARAM(data)) && remove)
        return false;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    msg = MSG { hwnd, message, vk, LPARAM(data), input.time, lastCursorPos() };
    return true;
}

// The desktop's own answers to input, taken before any window hears of it: a press on the caption
// a minimised window left, and Alt+Tab, bring that window back. True when the event was one.
bool restoresMinimized(const desktop::InputEvent& event)
{
    using Kind = desktop::InputEvent::Kind;
    static std::atomic<desktop::InputEvent::Button> s_pressedOnIcon { desktop::InputEvent::Button::None };
    HWND restored = nullptr;
    switch (event.kind) {
    case Kind::MouseDown:
        if (GetCapture() || windowFromPointExcluding(event.screen, {}))
            return false;
        restored = minimizedIconAt(event.screen);
        if (restored)
            s_pressedOnIcon = event.button;
        break;
    case Kind::MouseUp:
        // The release of that press belongs to no window.
        return event.button != desktop::InputEvent::Button::None
            && s_pressedOnIcon.exchange(desktop::InputEvent::Button::None) == event.button;
    case Kind::KeyDown:
        if (event.virtualKey == VK_TAB && theDesktop().isKeyDown(VK_MENU) && !theDesktop().isKeyDown(VK_CONTROL))
            if (std::vector<HWND> minimized = minimizedWindows(); !minimized.empty())
                restored = minimized.back();
        break;
    case Kind::HostRestored:
        for (HWND hwnd : minimizedWindows())
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        return true;
    default:
        break;
    }
    if (restored)
        PostMessageA(restored, WM_SYSCOMMAND, SC_RESTORE, 0);
    return restored != nullptr;
}

class Sink final : public desktop::InputSink {
public:
    void deliver(const desktop::InputEvent& event) override { routeInput(event); }
    bool isIdle() override { return windowSystemIdle(); }
    uint64_t nextTimerDue() override
    {
        uint64_t due = UINT64_MAX;
        for (auto& queue : ThreadQueue::all())
            due = std::min(due, queue->earliestTimer());
        return due;
    }
    // Only a queue with a timer now due has anything new to look at.
    void clockMoved() override
    {
        const uint64_t now = clockMilliseconds();
        for (auto& queue : ThreadQueue::all())
            if (queue->earliestTimer() <= now)
                queue->wake();
    }
};

} // namespace

POINT lastCursorPos()
{
    int64_t packed = g_cursorPos.load(std::memory_order_relaxed);
    return { LONG(int32_t(packed >> 32)), LONG(int32_t(packed & 0xFFFFFFFF)) };
}

void routeInput(const desktop::InputEvent& event)
{
    using Kind = desktop::InputEvent::Kind;
    if (restoresMinimized(event))
        return;
    RawInput input;
    input.time = messageClock();
    input.screen = event.screen;
    HWND target = nullptr;
    switch (event.kind) {
    case Kind::MouseMove:
    case Kind::MouseDown:
    case Kind::MouseUp:
    case Kind::MouseWheel:
        g_cursorPos.store((int64_t(event.screen.x) << 32) | uint32_t(event.screen.y), std::memory_order_relaxed);
        input.kind = RawInput::Kind::Mouse;
        input.message = event.kind == Kind::MouseMove ? WM_MOUSEMOVE
            : event.kind == Kind::MouseWheel          ? WM_MOUSEWHEEL
                                                      : buttonMessage(event.button, event.kind == Kind::MouseDown);
        input.wheelDelta = event.wheelDelta;
        if (event.kind == Kind::MouseWheel)
            target = focusOrActive();
        if (!target)
            target = GetCapture();
        if (!target)
            target = windowFromPointExcluding(event.screen, {});
        if (!target) {
            // Over the bare desktop: the active window's thread decides when it takes the input,
            // since a capture may be on its way (a drag that left the window).
            HWND active = GetActiveWindow();
            if (auto w = windowRef(active); w && w->queue) {
                input.hwnd = nullptr;
                w->queue->postInput(std::move(input));
            }
            return;
        }
        break;
    case Kind::KeyDown:
    case Kind::KeyUp:
        input.kind = RawInput::Kind::Key;
        input.message = event.kind == Kind::KeyDown ? WM_KEYDOWN : WM_KEYUP;
        input.virtualKey = event.virtualKey;
        input.repeat = event.repeat;
        target = focusOrActive();
        break;
    case Kind::Text:
        if (event.textCp932.empty())
            return;
        input.kind = RawInput::Kind::Text;
        input.message = WM_KEYDOWN;
        input.text = event.textCp932;
        target = focusOrActive();
        break;
    case Kind::CloseRequest:
    case Kind::DisplayLost:
        requestProgramClose(event.kind == Kind::DisplayLost ? CloseRequest::Unattended : CloseRequest::Person);
        return;
    case Kind::HostRestored:
        return;
    }
    auto w = windowRef(target);
    if (!w || !w->queue)
        return;
    input.hwnd = target;
    w->queue->postInput(std::move(input));
}

bool processInput(ThreadQueue& queue, const RawInput& input, MSG& msg, bool remove)
{
    if (input.kind == RawInput::Kind::Mouse)
        return processMouse(queue, input, msg, remove);
    return processKey(queue, input, msg, remove);
}

void connectInputSink(desktop::Desktop& desktop)
{
    // Never destroyed: the desktop may still deliver while the process exits.
    static Sink* sink = new Sink();
    static std::once_flag once;
    std::call_once(once, [&] { desktop.setInputSink(sink); });
}

void postDesktopInput(const desktop::InputEvent& event) { theDesktop().postInput(event); }

bool windowSystemIdle()
{
    ThreadQueue* own = ThreadQueue::currentIfAny();
    if (own) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && !endsNestedLoop(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        own->m_busy = false;
    }
    for (auto& queue : ThreadQueue::all())
        if (!queue->isIdle())
            return false;
    return true;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

SHORT GetKeyState(int virtualKey)
{
    BYTE state = ThreadQueue::current()->m_keyState[virtualKey & 0xFF];
    return SHORT(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey)
{
    auto& desktop = theDesktop();
    UINT vk = UINT(virtualKey & 0xFF);
    bool pressed = desktop.wasKeyPressedSinceLastQuery(vk);
    return SHORT((desktop.isKeyDown(vk) ? 0x8000 : 0) | (pressed ? 0x0001 : 0));
}

BOOL GetKeyboardState(BYTE* keyState)
{
    if (!keyState)
        return FALSE;
    auto queue = ThreadQueue::current();
    for (int i = 0; i < 256; ++i)
        keyState[i] = queue->m_keyState[i];
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    *point = theDesktop().cursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    platform::desktop::InputEvent event;
    event.kind = platform::desktop::InputEvent::Kind::MouseMove;
    event.screen = { x, y };
    postDesktopInput(event);
    return TRUE;
}

UINT GetDoubleClickTime() { return 500; }
