// Window classes: registration of application and system classes, class queries and fields.
#include "platform/kernel/winbase.h"
#include "platform/user/system_classes.h"
#include "platform/user/window_state.h"

#include <cstring>
#include <strings.h>

namespace platform::user {

namespace {

bool sameName(const WindowClass& cls, LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return cls.atom == ATOM(ULONG_PTR(name));
    return strcasecmp(cls.name.c_str(), name) == 0;
}

// Application classes of the instance first, then system classes (registered for every instance).
std::shared_ptr<WindowClass> lookup(LPCSTR name, HINSTANCE instance, bool systemToo)
{
    if (!name)
        return nullptr;
    auto& classes = windowSystem().classes;
    for (auto& cls : classes)
        if (!cls->system && sameName(*cls, name) && (!instance || cls->info.hInstance == instance))
            return cls;
    if (systemToo)
        for (auto& cls : classes)
            if (cls->system && sameName(*cls, name))
                return cls;
    return nullptr;
}

ATOM registerClass(const WNDCLASSEXA& info, bool system)
{
    if (!info.lpszClassName || IS_INTRESOURCE(info.lpszClassName) || !info.lpszClassName[0]
        || info.cbClsExtra < 0 || info.cbWndExtra < 0 || info.cbClsExtra > 4096 || info.cbWndExtra > 4096) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    TreeLock lock;
    auto& state = windowSystem();
    for (auto& cls : state.classes)
        if (cls->system == system && strcasecmp(cls->name.c_str(), info.lpszClassName) == 0
            && (system || cls->info.hInstance == info.hInstance)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    auto cls = std::make_shared<WindowClass>();
    cls->name = info.lpszClassName;
    cls->info = info;
    cls->info.cbSize = sizeof(WNDCLASSEXA);
    if (info.lpszMenuName && !IS_INTRESOURCE(info.lpszMenuName))
        cls->menuName = info.lpszMenuName;
    cls->extra.assign(size_t(info.cbClsExtra), 0);
    cls->system = system;
    cls->atom = state.nextAtom++;
    state.classes.push_back(cls);
    return cls->atom;
}

void fillInfo(const WindowClass& cls, WNDCLASSEXA& out)
{
    out = cls.info;
    out.cbSize = sizeof(WNDCLASSEXA);
    out.lpszClassName = cls.name.c_str();
    if (!cls.menuName.empty())
        out.lpszMenuName = cls.menuName.c_str();
}

} // namespace

std::shared_ptr<WindowClass> findClass(LPCSTR name, HINSTANCE instance)
{
    TreeLock lock;
    if (auto cls = lookup(name, instance, true))
        return cls;
    return lookup(name, nullptr, true);
}

ATOM registerSystemClass(const WNDCLASSA& wndClass)
{
    WNDCLASSEXA ex {};
    ex.cbSize = sizeof(ex);
    ex.style = wndClass.style | CS_GLOBALCLASS;
    ex.lpfnWndProc = wndClass.lpfnWndProc;
    ex.cbClsExtra = wndClass.cbClsExtra;
    ex.cbWndExtra = wndClass.cbWndExtra;
    ex.hInstance = wndClass.hInstance;
    ex.hIcon = wndClass.hIcon;
    ex.hCursor = wndClass.hCursor;
    ex.hbrBackground = wndClass.hbrBackground;
    ex.lpszMenuName = wndClass.lpszMenuName;
    ex.lpszClassName = wndClass.lpszClassName;
    return registerClass(ex, true);
}

void markPageStripClass(LPCSTR className)
{
    TreeLock lock;
    if (auto cls = lookup(className, nullptr, true))
        cls->pageStrip = true;
}

bool isPageStrip(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w && w->cls && w->cls->pageStrip;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

ATOM RegisterClassExA(const WNDCLASSEXA* wndClass)
{
    if (!wndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return registerClass(*wndClass, false);
}

ATOM RegisterClassA(const WNDCLASSA* wndClass)
{
    if (!wndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA ex {};
    ex.cbSize = sizeof(ex);
    ex.style = wndClass->style;
    ex.lpfnWndProc = wndClass->lpfnWndProc;
    ex.cbClsExtra = wndClass->cbClsExtra;
    ex.cbWndExtra = wndClass->cbWndExtra;
    ex.hInstance = wndClass->hInstance;
    ex.hIcon = wndClass->hIcon;
    ex.hCursor = wndClass->hCursor;
    ex.hbrBackground = wndClass->hbrBackground;
    ex.lpszMenuName = wndClass->lpszMenuName;
    ex.lpszClassName = wndClass->lpszClassName;
    return registerClass(ex, false);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance)
{
    TreeLock lock;
    auto& classes = windowSystem().classes;
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        WindowClass& cls = **it;
        if (cls.system || !sameName(cls, className) || (instance && cls.info.hInstance != instance))
            continue;
        if (cls.windowCount > 0) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        classes.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, LPWNDCLASSEXA wndClass)
{
    if (!wndClass)
        return FALSE;
    TreeLock lock;
    // A null instance asks for the system classes, as the class library's second try does.
    auto cls = instance ? lookup(className, instance, true) : lookup(className, nullptr, true);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    fillInfo(*cls, *wndClass);
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, LPWNDCLASSA wndClass)
{
    if (!wndClass)
        return FALSE;
    WNDCLASSEXA ex;
    if (!GetClassInfoExA(instance, className, &ex))
        return FALSE;
    *wndClass = WNDCLASSA { ex.style, ex.lpfnWndProc, ex.cbClsExtra, ex.cbWndExtra, ex.hInstance, ex.hIcon,
        ex.hCursor, ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName };
    return TRUE;
}

int GetClassNameA(HWND hwnd, LPSTR className, int maxCount)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !className || maxCount <= 0)
        return 0;
    size_t n = std::min(w->cls->name.size(), size_t(maxCount - 1));
    memcpy(className, w->cls->name.data(), n);
    className[n] = 0;
    return int(n);
}

static bool classField(WindowClass& cls, int index, ULONG_PTR*& field)
{
    switch (index) {
    case GCLP_HBRBACKGROUND: field = reinterpret_cast<ULONG_PTR*>(&cls.info.hbrBackground); return true;
    case GCLP_HCURSOR: field = reinterpret_cast<ULONG_PTR*>(&cls.info.hCursor); return true;
    case GCLP_HICON: field = reinterpret_cast<ULONG_PTR*>(&cls.info.hIcon); return true;
    case GCLP_HICONSM: field = reinterpret_cast<ULONG_PTR*>(&cls.info.hIconSm); return true;
    case GCLP_HMODULE: field = reinterpret_cast<ULONG_PTR*>(&cls.info.hInstance); return true;
    case GCLP_WNDPROC: field = reinterpret_cast<ULONG_PTR*>(&cls.info.lpfnWndProc); return true;
    default: field = nullptr; return index >= 0;
    }
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return 0;
    WindowClass& cls = *w->cls;
    switch (index) {
    case GCL_STYLE: return cls.info.style;
    case GCL_CBWNDEXTRA: return ULONG_PTR(cls.info.cbWndExtra);
    case GCL_CBCLSEXTRA: return ULONG_PTR(cls.info.cbClsExtra);
    case GCW_ATOM: return cls.atom;
    }
    ULONG_PTR* field;
    if (!classField(cls, index, field)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (field)
        return *field;
    if (size_t(index) + sizeof(ULONG_PTR) > cls.extra.size()) {
        // Four-byte reads of the last slot stay allowed through GetClassLongA.
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    ULONG_PTR value;
    memcpy(&value, cls.extra.data() + index, sizeof(value));
    return value;
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return 0;
    WindowClass& cls = *w->cls;
    ULONG_PTR old;
    if (index == GCL_STYLE) {
        old = cls.info.style;
        cls.info.style = UINT(value);
        return old;
    }
    ULONG_PTR* field;
    if (!classField(cls, index, field)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (field) {
        old = *field;
        *field = ULONG_PTR(value);
        return old;
    }
    if (size_t(index) + sizeof(ULONG_PTR) > cls.extra.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    memcpy(&old, cls.extra.data() + index, sizeof(old));
    memcpy(cls.extra.data() + index, &value, sizeof(value));
    return old;
}

DWORD GetClassLongA(HWND hwnd, int index)
{
    if (index >= 0) {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        if (size_t(index) + 4 > w->cls->extra.size()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        DWORD value;
        memcpy(&value, w->cls->extra.data() + index, 4);
        return value;
    }
    return DWORD(GetClassLongPtrA(hwnd, index));
}

DWORD SetClassLongA(HWND hwnd, int index, LONG value)
{
    if (index >= 0) {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        if (size_t(index) + 4 > w->cls->extra.size()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        DWORD old;
        memcpy(&old, w->cls->extra.data() + index, 4);
        memcpy(w->cls->extra.data() + index, &value, 4);
        return old;
    }
    return DWORD(SetClassLongPtrA(hwnd, index, value));
}
