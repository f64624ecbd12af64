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


bool inside(const RECT& area, int x, int y)
{
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

} // namespace

int swCWindow::windowFitWorkArea(int x, int y, int width, int height, BOOL repaint, int mode)
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int changed = 0;
    switch (mode) {
    case 1:
        if (x < area.left)
            x = area.left, changed = 1;
        if (y < area.top)
            y = area.top, changed = 1;
        if (x + width > area.right)
            x = std::max<int>(area.right - width, area.left), changed = 1;
        if (y + height > area.bottom)
            y = std::max<int>(area.bottom - height, area.top), changed = 1;
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
        int right = x + width - 1;
        int bottom = y + height - 1;
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

void swCWindow::windowRestorePlacement(const char* prefix, bool withSize, bool show)
{
    std::string p = prefix ? prefix : "";
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    int zoomed = readKey(p, "WindowZoomed");
    int iconic = readKey(p, "WindowIconic");
    if (zoomed == 1)
        placement.showCmd = SW_SHOWMAXIMIZED;
    if (iconic == 1)
        placement.showCmd = SW_SHOWMINIMIZED;
    RECT& normal = placement.rcNormalPosition;
    normal.left = readKey(p, "WindowPosLeft");
    normal.top = readKey(p, "WindowPosTop");
    bool missing = zoomed == kMissing || iconic == kMissing || normal.left == kMissing || normal.top == kMissing;
    if (withSize) {
        normal.right = readKey(p, "WindowPosRight");
        normal.bottom = readKey(p, "WindowPosBottom");
        missing = missing || normal.right == kMissing || normal.bottom == kMissing;
    } else {
        RECT current {};
        GetWindowRect(m_handle, &current);
        normal.right = normal.left + (current.right - current.left);
        normal.bottom = normal.top + (current.bottom - current.top);
    }
    if (missing) {
        ShowWindow(m_handle, show ? SW_SHOW : SW_HIDE);
        return;
    }
    if (!show)
        placement.showCmd = SW_HIDE;
    SetWindowPlacement(m_handle, &placement);
}
