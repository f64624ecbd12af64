// The window tree: parents, owners, children and siblings, enumeration and search.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"
#include "platform/user/input_sink.h"
#include "platform/user/paint_internal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace platform::user {

namespace {

std::vector<HWND> handlesOf(const std::vector<Window*>& windows)
{
    std::vector<HWND> result;
    result.reserve(windows.size());
    for (Window* w : windows)
        result.push_back(w->handle);
    return result;
}

void collectDescendants(const Window& w, std::vector<HWND>& out)
{
    for (Window* c : w.children) {
        out.push_back(c->handle);
        collectDescendants(*c, out);
    }
}

// Titles compare without regard to case, but the second byte of a double-byte character is
// compared as it is, since it may fall in the range of ASCII letters.
bool sameTitle(const std::string& title, LPCSTR wanted)
{
    size_t n = strlen(wanted);
    if (title.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(title[i]), b = static_cast<unsigned char>(wanted[i]);
        if (platform::isCp932LeadByte(a) && i + 1 < n) {
            if (a != b || title[i + 1] != wanted[i + 1])
                return false;
            ++i;
            continue;
        }
        if (tolower(a) != tolower(b))
            return false;
    }
    return true;
}

bool matches(const Window& w, LPCSTR className, LPCSTR windowName)
{
    if (className) {
        if (IS_INTRESOURCE(className) ? w.cls->atom != ATOM(ULONG_PTR(className))
                                      : strcasecmp(w.cls->name.c_str(), className) != 0)
            return false;
    }
    return !windowName || sameTitle(w.text, windowName);
}

} // namespace

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HWND GetParent(HWND hwnd)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    if (w->isChild())
        return w->parent->handle;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent)
{
    HWND old;
    {
        TreeLock lock;
        Window* w = findWindow(child);
        if (!w)
            return nullptr;
        Window* p = newParent ? findWindow(newParent) : nullptr;
        if (newParent && (!p || p == w || isDescendant(*w, *p)))
            return nullptr;
        if (!w->parent || !p) {
            // Turning a top-level window into a child or back would move its backing store.
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        old = w->parent->handle;
        Window* root = rootOf(*w);
        invalidateRootArea(*root, Region(windowRectInRoot(*w)));
        auto& siblings = w->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
        clearPaintStateTree(*w);
        w->parent = p;
        p->children.insert(p->children.begin(), w);
        invalidateWhole(*w);
    }
    return old;
}

HWND GetWindow(HWND hwnd, UINT command)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    if (command == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (command == GW_OWNER)
        return w->parent ? nullptr : w->owner;
    if (command == GW_ENABLEDPOPUP) {
        for (Window* top : windowSystem().topLevels)
            if (top->owner == hwnd && (top->style & WS_VISIBLE) && !(top->style & WS_DISABLED))
                return top->handle;
        return nullptr;
    }
    auto& siblings = siblingsOf(*w);
    auto it = std::find(siblings.begin(), siblings.end(), w);
    switch (command) {
    case GW_HWNDFIRST: return siblings.front()->handle;
    case GW_HWNDLAST: return siblings.back()->handle;
    case GW_HWNDNEXT: return it + 1 != siblings.end() ? (*(it + 1))->handle : nullptr;
    case GW_HWNDPREV: return it != siblings.begin() ? (*(it - 1))->handle : nullptr;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT: return rootOf(*w)->handle;
    case GA_ROOTOWNER: {
        Window* r = rootOf(*w);
        while (Window* o = peekWindow(r->owner))
            r = o;
        return r->handle;
    }
    }
    return nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    TreeLock lock;
    Window* p = peekWindow(parent);
    Window* w = peekWindow(hwnd);
    if (!p || !w)
        return FALSE;
    for (Window* c = w; c->isChild(); c = c->parent)
        if (c->parent == p)
            return TRUE;
    return FALSE;
}

HWND GetTopWindow(HWND hwnd)
{
    TreeLock lock;
    if (!hwnd)
        return windowSystem().topLevels.empty() ? nullptr : windowSystem().topLevels.front()->handle;
    Window* w = findWindow(hwnd);
    if (!w || w->children.empty())
        return nullptr;
    return w->children.front()->handle;
}

// The desktop window: the screen's rectangle, parent of nothing in the tree, owned by no thread.
HWND GetDesktopWindow()
{
    static HWND desktop = [] {
        auto w = std::make_shared<Window>();
        auto cls = std::make_shared<WindowClass>();
        cls->name = "#32769";
        cls->system = true;
        w->cls = cls;
        SIZE size = theDesktop().screenSize();
        w->rect = { 0, 0, size.cx, size.cy };
        w->client = w->rect;
        w->style = WS_POPUP | WS_CLIPCHILDREN;
        w->handle = makeHandle<HWND>(windowSystem().windows.add(w));
        return w->handle;
    }();
    return desktop;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam)
{
    std::vector<HWND> tops;
    {
        TreeLock lock;
        tops = handlesOf(windowSystem().topLevels);
    }
    for (HWND top : tops)
        if (IsWindow(top) && !proc(top, lParam))
            return FALSE;
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam)
{
    if (!parent)
        return EnumWindows(proc, lParam);
    std::vector<HWND> all;
    {
        TreeLock lock;
        Window* w = findWindow(parent);
        if (!w)
            return FALSE;
        collectDescendants(*w, all);
    }
    for (HWND child : all)
        if (IsWindow(child) && !proc(child, lParam))
            return FALSE;
    return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam)
{
    std::vector<HWND> tops;
    {
        TreeLock lock;
        for (Window* w : windowSystem().topLevels)
            if (w->threadId == threadId)
                tops.push_back(w->handle);
    }
    for (HWND top : tops)
        if (IsWindow(top) && !proc(top, lParam))
            return FALSE;
    return TRUE;
}

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName)
{
    TreeLock lock;
    std::vector<Window*>* list = &windowSystem().topLevels;
    if (parent) {
        Window* p = findWindow(parent);
        if (!p)
            return nullptr;
        list = &p->children;
    }
    auto it = list->begin();
    if (childAfter) {
        Window* after = peekWindow(childAfter);
        it = std::find(list->begin(), list->end(), after);
        if (it == list->end())
            return nullptr;
        ++it;
    }
    for (; it != list->end(); ++it)
        if (matches(**it, className, windowName))
            return (*it)->handle;
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) { return FindWindowExA(nullptr, nullptr, className, windowName); }

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = DWORD(getpid());
    return w->threadId;
}
