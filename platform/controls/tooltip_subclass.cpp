// Subclassing of tool windows (TTF_SUBCLASS): their mouse messages are handed to the tooltips
// that watch them before their own procedure runs.
#include "platform/controls/tooltip_state.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace platform::controls {

namespace {

struct Subclass {
    WNDPROC original = nullptr;
    std::vector<HWND> tooltips;
};

std::mutex& subclassMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<HWND, Subclass>& subclasses()
{
    static auto* map = new std::map<HWND, Subclass>();
    return *map;
}

bool isMouseMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN
        || message == WM_MBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONUP
        || message == WM_MBUTTONUP;
}

LRESULT CALLBACK toolProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = nullptr;
    std::vector<HWND> tooltips;
    {
        std::lock_guard lock(subclassMutex());
        auto it = subclasses().find(hwnd);
        if (it == subclasses().end())
            return DefWindowProcA(hwnd, message, wParam, lParam);
        original = it->second.original;
        tooltips = it->second.tooltips;
        if (message == WM_NCDESTROY)
            subclasses().erase(it);
    }
    if (isMouseMessage(message))
        for (HWND tooltip : tooltips)
            if (IsWindow(tooltip))
                SendMessageA(tooltip, kToolMouseMessage, message, LPARAM(hwnd));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, LONG_PTR(original));
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

} // namespace

void subclassToolWindow(HWND tool, HWND tooltip)
{
    if (!IsWindow(tool))
        return;
    std::lock_guard lock(subclassMutex());
    auto it = subclasses().find(tool);
    if (it == subclasses().end()) {
        Subclass entry;
        entry.original = WNDPROC(GetWindowLongPtrA(tool, GWLP_WNDPROC));
        entry.tooltips.push_back(tooltip);
        subclasses()[tool] = entry;
        SetWindowLongPtrA(tool, GWLP_WNDPROC, LONG_PTR(toolProc));
        return;
    }
    if (std::find(it->second.tooltips.begin(), it->second.tooltips.end(), tooltip) == it->second.tooltips.end())
        it->second.tooltips.push_back(tooltip);
}

void releaseToolWindow(HWND tool, HWND tooltip)
{
    std::lock_guard lock(subclassMutex());
    auto it = subclasses().find(tool);
    if (it == subclasses().end())
        return;
    auto& list = it->second.tooltips;
    list.erase(std::remove(list.begin(), list.end(), tooltip), list.end());
    // A procedure set over ours later keeps calling ours, which then only passes messages on.
    if (list.empty() && WNDPROC(GetWindowLongPtrA(tool, GWLP_WNDPROC)) == toolProc) {
        SetWindowLongPtrA(tool, GWLP_WNDPROC, LONG_PTR(it->second.original));
        subclasses().erase(it);
    }
}

} // namespace platform::controls
