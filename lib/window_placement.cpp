// Window placement: fitting into the work area and the placement kept in the ini file.
#include "lib/window.h"

#include "lib/profile.h"

#include <algorithm>
#include <string>

namespace {

constexpr const char* kSection = "WindowInfo";
constexpr int kMissing = -1;

int readKey(const std::string& prefix, const char* name)
{
    std::string key = prefix + name;
    return swCProfileKey(kSection, key.c_str()).profileReadInt(kMissing);
}

// 64-bit, so that no place or size the ini holds can overflow a sum.
bool inside(const RECT& area, long long x, long long y)
{
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

// Where a span of `length` that would start at `start` starts to lie within [low, high): moved as
// little as it can be, and at low when it is longer than that.
LONG startWithin(long long start, long long length, LONG low, LONG high)
{
    return LONG(std::max<long long>(low, std::min<long long>(start, high - length)));
}

RECT workArea()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The smallest size the window lets itself be dragged to.
SIZE smallestSize(HWND window)
{
    MINMAXINFO limits {};
    limits.ptMinTrackSize = { GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK) };
    limits.ptMaxTrackSize = { GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK) };
    SendMessageA(window, WM_GETMINMAXINFO, 0, LPARAM(&limits));
    return { std::max<LONG>(limits.ptMinTrackSize.x, 0), std::max<LONG>(limits.ptMinTrackSize.y, 0) };
}

// A window of `size` at (left, top) moved the least that puts it wholly on the work area; one
// larger than the work area starts at its left or top edge.
RECT rectOntoWorkArea(long long left, long long top, SIZE size)
{
    const RECT area = workArea();
    const LONG x = startWithin(left, size.cx, area.left, area.right);
    const LONG y = startWithin(top, size.cy, area.top, area.bottom);
    return { x, y, x + size.cx, y + size.cy };
}

} // namespace

int swCWindow::windowFitWorkArea(int x, int y, int width, int height, BOOL repaint, int mode)
{
    const RECT area = workArea();
    int changed = 0;
    switch (mode) {
    case 1:
        if (x < area.left)
            x = area.left, changed = 1;
        if (y < area.top)
            y = area.top, changed = 1;
        if (x + (long long)width > area.right)
            x = startWithin(x, width, area.left, area.right), changed = 1;
        if (y + (long long)height > area.bottom)
            y = startWithin(y, height, area.top, area.bottom), changed = 1;
        break;
    case 2:
        if (x < area.left)
            x = area.left, changed = 1;
        else if (x >= area.right)
            x = area.right - 1, changed = 1;
        if (y < area.top)
            y = area.top, changed = 1;
        else if (y >= area.bottom)
            y = area.bottom - 1, changed = 1;
        break;
    case 3: {
        const long long right = x + (long long)width - 1;
        const long long bottom = y + (long long)height - 1;
        if (!inside(area, x, y) && !inside(area, right, y) && !inside(area, x, bottom) && !inside(area, right, bottom)) {
            x = area.left;
            y = area.top;
            changed = 1;
        }
        break;
    }
    default:
        break;
    }
    MoveWindow(m_handle, x, y, width, height, repaint);
    return changed;
}

void swCWindow::windowSavePlacement(const char* prefix) const
{
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(m_handle, &placement))
        return;
    std::string p = prefix ? prefix : "";
    // One rewrite of the file for the whole placement.
    const std::pair<const char*, int> keys[] = { { "WindowZoomed", placement.showCmd == SW_SHOWMAXIMIZED ? 1 : 0 },
        { "WindowIconic", placement.showCmd == SW_SHOWMINIMIZED ? 1 : 0 }, { "WindowPosLeft", placement.rcNormalPosition.left },
        { "WindowPosTop", placement.rcNormalPosition.top }, { "WindowPosRight", placement.rcNormalPosition.right },
        { "WindowPosBottom", placement.rcNormalPosition.bottom } };
    std::vector<std::pair<std::string, std::string>> values;
    for (const auto& [name, value] : keys)
        values.emplace_back(p + name, std::to_string(value));
    profileWriteValues(kSection, values);
}

int swCWindow::windowRestorePlacement(const char* prefix, bool withSize, bool show)
{
    std::string p = prefix ? prefix : "";
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    const int zoomed = readKey(p, "WindowZoomed");
    const int iconic = readKey(p, "WindowIconic");
    if (zoomed == 1)
        placement.showCmd = SW_SHOWMAXIMIZED;
    if (iconic == 1)
        placement.showCmd = SW_SHOWMINIMIZED;
    const int left = readKey(p, "WindowPosLeft");
    const int top = readKey(p, "WindowPosTop");
    const int right = withSize ? readKey(p, "WindowPosRight") : 0;
    const int bottom = withSize ? readKey(p, "WindowPosBottom") : 0;
    if (zoomed == kMissing || iconic == kMissing || left == kMissing || top == kMissing || right == kMissing
        || bottom == kMissing) {
        ShowWindow(m_handle, show ? SW_SHOW : SW_HIDE);
        return 0;
    }
    // The ini may hold a place from a larger desktop, or any number at all: the window comes back
    // as one restored onto a smaller screen, sized between its smallest and the work area and
    // wholly on the work area.
    SIZE size {};
    if (withSize) {
        const RECT area = workArea();
        const SIZE smallest = smallestSize(m_handle);
        const long long width = std::min<long long>((long long)right - left, area.right - area.left);
        const long long height = std::min<long long>((long long)bottom - top, area.bottom - area.top);
        size = { LONG(std::max<long long>(width, smallest.cx)), LONG(std::max<long long>(height, smallest.cy)) };
    } else {
        RECT current {};
        GetWindowRect(m_handle, &current);
        size = { current.right - current.left, current.bottom - current.top };
    }
    placement.rcNormalPosition = rectOntoWorkArea(left, top, size);
    const int kept = int(placement.showCmd);
    if (!show)
        placement.showCmd = SW_HIDE;
    SetWindowPlacement(m_handle, &placement);
    return kept;
}
