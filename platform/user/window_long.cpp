// Window fields (GetWindowLongPtr and friends), window text and properties.
#include "platform/kernel/winbase.h"
#include "platform/user/paint_internal.h"

#include <cstring>
#include <strings.h>

namespace platform::user {

namespace {

bool extraSlot(Window& w, int index, size_t size)
{
    if (index < 0 || size_t(index) + size > w.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

// Style changes are announced with WM_STYLECHANGING/CHANGED, as controls watch for them.
LONG_PTR setStyle(HWND hwnd, int index, DWORD value)
{
    DWORD old;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        old = index == GWL_STYLE ? w->style : w->exStyle;
    }
    STYLESTRUCT ss { old, value };
    sendMessage(hwnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        if (index == GWL_STYLE) {
            // Visibility changes only through ShowWindow/SetWindowPos.
            w->style = (ss.styleNew & ~DWORD(WS_VISIBLE)) | (w->style & WS_VISIBLE);
            w->vscroll.shown = (w->style & WS_VSCROLL) != 0;
            w->hscroll.shown = (w->style & WS_HSCROLL) != 0;
        } else {
            w->exStyle = ss.styleNew;
        }
    }
    sendMessage(hwnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
    return LONG_PTR(old);
}

} // namespace

} // namespace platform::user

using namespace platform;
using namespace platform::user;

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC: return LONG_PTR(w->proc);
    case GWLP_HINSTANCE: return LONG_PTR(w->instance);
    case GWLP_HWNDPARENT: return LONG_PTR(w->parent ? w->parent->handle : w->owner);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->exStyle);
    }
    if (!extraSlot(*w, index, sizeof(LONG_PTR)))
        return 0;
    LONG_PTR value;
    memcpy(&value, w->extra.data() + index, sizeof(value));
    return value;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return setStyle(hwnd, index, DWORD(value));
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return 0;
    LONG_PTR old;
    switch (index) {
    case GWLP_WNDPROC:
        old = LONG_PTR(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = LONG_PTR(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWLP_HWNDPARENT:
        old = LONG_PTR(w->owner);
        if (!w->parent)
            w->owner = reinterpret_cast<HWND>(value);
        return old;
    }
    if (!extraSlot(*w, index, sizeof(LONG_PTR)))
        return 0;
    memcpy(&old, w->extra.data() + index, sizeof(old));
    memcpy(w->extra.data() + index, &value, sizeof(value));
    SetLastError(0);
    return old;
}

// Pointer-sized fields do not fit the 32-bit forms; a cut pointer would be called later.
static bool pointerField(int index)
{
    return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT || index == GWLP_USERDATA;
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    if (pointerField(index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (index < 0)
        return LONG(GetWindowLongPtrA(hwnd, index));
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !extraSlot(*w, index, sizeof(LONG)))
        return 0;
    LONG value;
    memcpy(&value, w->extra.data() + index, sizeof(value));
    return value;
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    if (pointerField(index)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (index < 0)
        return LONG(SetWindowLongPtrA(hwnd, index, value));
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !extraSlot(*w, index, sizeof(LONG)))
        return 0;
    LONG old;
    memcpy(&old, w->extra.data() + index, sizeof(old));
    // A dialog result stored through the 32-bit form fills its whole pointer-sized slot, so a
    // later pointer-sized read does not pick up an older value's upper half.
    if (index == DWLP_MSGRESULT && w->cls->name == "#32770" && w->extra.size() >= sizeof(LRESULT)) {
        LRESULT wide = value;
        memcpy(w->extra.data(), &wide, sizeof(wide));
        return old;
    }
    memcpy(w->extra.data() + index, &value, sizeof(value));
    return old;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!IsWindow(hwnd)) {
        setInvalidWindowHandle();
        return FALSE;
    }
    return sendMessage(hwnd, WM_SETTEXT, 0, LPARAM(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR text, int maxCount)
{
    if (!text || maxCount <= 0)
        return 0;
    text[0] = 0;
    if (!IsWindow(hwnd)) {
        setInvalidWindowHandle();
        return 0;
    }
    return int(sendMessage(hwnd, WM_GETTEXT, WPARAM(maxCount), LPARAM(text)));
}

int GetWindowTextLengthA(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        setInvalidWindowHandle();
        return 0;
    }
    return int(sendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetPropA(HWND hwnd, LPCSTR name, HANDLE data)
{
    if (!name)
        return FALSE;
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return FALSE;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(ULONG_PTR(name)) : std::string(name);
    for (auto& [k, v] : w->props)
        if (strcasecmp(k.c_str(), key.c_str()) == 0) {
            v = data;
            return TRUE;
        }
    w->props.emplace_back(std::move(key), data);
    return TRUE;
}

static std::vector<std::pair<std::string, HANDLE>>::iterator findProp(Window& w, LPCSTR name)
{
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(ULONG_PTR(name)) : std::string(name);
    for (auto it = w.props.begin(); it != w.props.end(); ++it)
        if (strcasecmp(it->first.c_str(), key.c_str()) == 0)
            return it;
    return w.props.end();
}

HANDLE GetPropA(HWND hwnd, LPCSTR name)
{
    if (!name)
        return nullptr;
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    auto it = findProp(*w, name);
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hwnd, LPCSTR name)
{
    if (!name)
        return nullptr;
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    auto it = findProp(*w, name);
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}
