// swCWindow: binding to the handle, heap windows that delete themselves, the shared window
// procedure and the window lookup.
#include "lib/window.h"

#include "lib/application.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr const char* kWindowProperty = "w+";

// The object allocated last by swCWindow's operator new on this thread. Per thread, since the
// user-interface and the game thread construct windows at the same time.
thread_local void* t_lastHeapWindow = nullptr;

BOOL CALLBACK collectChild(HWND handle, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(handle);
    return TRUE;
}

struct ClassSearch {
    const char* name;
    HWND found = nullptr;
};

BOOL CALLBACK matchClass(HWND handle, LPARAM param)
{
    auto* search = reinterpret_cast<ClassSearch*>(param);
    char name[256] = {};
    GetClassNameA(handle, name, sizeof name);
    if (std::strcmp(name, search->name) != 0)
        return TRUE;
    search->found = handle;
    return FALSE;
}

} // namespace

void* swCWindow::operator new(std::size_t size)
{
    void* pointer = ::operator new(size);
    t_lastHeapWindow = pointer;
    return pointer;
}

void swCWindow::operator delete(void* pointer) noexcept
{
    // A constructor that threw leaves no mark for the next object at this address.
    if (t_lastHeapWindow == pointer)
        t_lastHeapWindow = nullptr;
    ::operator delete(pointer);
}

swCWindow::swCWindow(const char* className, swCWindow* parent, UINT controlId)
    : m_className(className ? className : "")
{
    windowSetDefaults(parent, controlId);
}

void swCWindow::windowSetDefaults(swCWindow* parent, UINT controlId)
{
    m_oldProc = nullptr;
    m_handle = nullptr;
    m_windowClass = WNDCLASSA {};
    m_windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_CLASSDC;
    m_windowClass.lpfnWndProc = DefWindowProcA;
    m_windowClass.hInstance = theApplication().instance();
    m_windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    m_windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m_windowClass.lpszClassName = m_className.c_str();
    m_title = nullptr;
    m_parent = parent;
    m_controlId = controlId;
    m_style = parent ? DWORD(WS_CHILD | WS_VISIBLE) : 0;
    m_exStyle = 0;
    m_x = m_y = m_width = m_height = CW_USEDEFAULT;
    m_createParam = 0;
    m_deleteOnDestroy = t_lastHeapWindow == this;
    t_lastHeapWindow = nullptr;
}

swCWindow::~swCWindow()
{
    windowDetach(false);
}

BOOL swCWindow::Destroy()
{
    return DestroyWindow(m_handle);
}

BOOL swCWindow::Create()
{
    const char* name = m_className.c_str();
    WNDCLASSA existing {};
    if (!GetClassInfoA(theApplication().instance(), name, &existing) && !GetClassInfoA(nullptr, name, &existing))
        RegisterClassA(&m_windowClass);
    HWND handle = CreateWindowExA(m_exStyle, name, m_title, m_style, m_x, m_y, m_width, m_height,
        m_parent ? m_parent->handle() : nullptr, reinterpret_cast<HMENU>(UINT_PTR(m_controlId)),
        m_windowClass.hInstance, &m_createParam);
    if (!handle)
        return FALSE;
    windowAttach(handle, false);
    return TRUE;
}

int swCWindow::OnMessage(MessageRecord&)
{
    return 0;
}

int swCWindow::OnCommand(MessageRecord&, UINT, UINT)
{
    return 0;
}

int swCWindow::OnNotify(MessageRecord&, UINT, NMHDR*)
{
    return 0;
}

void swCWindow::windowAttach(HWND handle, bool keepProcedure)
{
    m_handle = handle;
    SetPropA(handle, kWindowProperty, this);
    m_oldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC));
    m_subclassed = !keepProcedure;
    if (m_subclassed)
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(commonWindowProc));
}

void swCWindow::windowDetach(bool keepProcedure)
{
    if (!m_handle)
        return;
    if (!keepProcedure && m_subclassed && m_oldProc)
        SetWindowLongPtrA(m_handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    RemovePropA(m_handle, kWindowProperty);
    m_handle = nullptr;
    m_subclassed = false;
}

int swCWindow::windowDispatch(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_NOTIFY:
        return OnNotify(msg, UINT(msg.wParam), reinterpret_cast<NMHDR*>(msg.lParam));
    case WM_COMMAND:
        return OnCommand(msg, LOWORD(msg.wParam), HIWORD(msg.wParam));
    default:
        return OnMessage(msg);
    }
}

LRESULT swCWindow::windowCallOldProc(MessageRecord& msg)
{
    // The handle is read first: a handler may delete the object.
    HWND handle = m_handle;
    WNDPROC old = m_oldProc;
    if (windowDispatch(msg))
        return msg.result;
    if (!old)
        return DefWindowProcA(handle, msg.message, msg.wParam, msg.lParam);
    return CallWindowProcA(old, handle, msg.message, msg.wParam, msg.lParam);
}

void swCWindow::windowCollectChildren(std::vector<HWND>& children) const
{
    EnumChildWindows(m_handle, collectChild, reinterpret_cast<LPARAM>(&children));
}

HWND swCWindow::windowFindChildByClass(const char* className) const
{
    ClassSearch search { className };
    EnumChildWindows(m_handle, matchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void swCOwnerDrawWindow::DrawItem(DRAWITEMSTRUCT*)
{
}

swCWindow* windowFromHandle(HWND handle)
{
    if (!handle)
        return nullptr;
    HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kLookupMutexName);
    if (mutex)
        WaitForSingleObject(mutex, INFINITE);
    auto* window = static_cast<swCWindow*>(GetPropA(handle, kWindowProperty));
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return window;
}

bool windowDrawChildItem(HWND parent, DRAWITEMSTRUCT* item)
{
    if (!item)
        return false;
    auto* control = dynamic_cast<swCOwnerDrawWindow*>(windowFromHandle(GetDlgItem(parent, int(item->CtlID))));
    if (!control)
        return false;
    control->DrawItem(item);
    // Whatever a list draws for its rows, the row the keys act on is framed while the list has the
    // focus, selected or not, and so is the first row's place in an empty list.
    if ((item->CtlType == ODT_LISTBOX || item->CtlType == ODT_LISTVIEW) && (item->itemState & ODS_FOCUS))
        DrawFocusRect(item->hDC, &item->rcItem);
    return true;
}

bool windowApplyApplicationState(UINT message, WPARAM wParam)
{
    swCApplication& app = theApplication();
    switch (message) {
    case WM_MOUSEMOVE:
        if (app.cursor())
            SetCursor(app.cursor());
        return false;
    case WM_SETCURSOR:
        if (!app.cursor())
            return false;
        SetCursor(app.cursor());
        return true;
    case WM_ACTIVATEAPP:
        app.setActive(wParam == 1);
        return false;
    default:
        return false;
    }
}

void windowReleaseAfterDestroy(HWND handle, swCWindow* window, bool keepProcedure)
{
    // A handler may already have detached the object (or deleted a stack object's owner).
    if (windowFromHandle(handle) != window)
        return;
    if (window->deleteOnDestroy())
        delete window;
    else
        window->windowDetach(keepProcedure);
}

LRESULT CALLBACK commonWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    swCWindow* window = windowFromHandle(handle);
    if (!window)
        return DefWindowProcA(handle, message, wParam, lParam);
    MessageRecord msg { message, wParam, lParam, 0 };
    if (message == WM_DESTROY) {
        LRESULT result = window->windowCallOldProc(msg);
        windowReleaseAfterDestroy(handle, window, false);
        return result;
    }
    if (message == WM_DRAWITEM && windowDrawChildItem(handle, reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    if (windowApplyApplicationState(message, wParam))
        return TRUE;
    return window->windowCallOldProc(msg);
}
