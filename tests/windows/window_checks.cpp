// The checks of an open window, made through the controls' own messages and the font each uses.
#include "tests/windows/window_checks.h"

#include "platform/controls/commctrl.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace window_checks {
namespace {

// As the button and check box drawing lays them out.
constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;
constexpr int kPushMargin = 2;
constexpr int kGroupMargin = 16;
// The blank a list view leaves on each side of a cell's text.
constexpr int kCellMargin = 6;
// The dotted line of a list row's focus.
constexpr int kFocusLine = 1;
// A combo box's field: its sunken edge, the highlight's line inside it, and the text's indent.
constexpr int kComboEdge = 2;
constexpr int kComboIndent = 2;
// A glyph's advance ends in a blank column, which may touch the control's edge.
constexpr int kBlankColumn = 1;

std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DWORD styleOf(HWND window) { return DWORD(GetWindowLongA(window, GWL_STYLE)); }

// "Button 1001 "OK"": how a finding names a control, in UTF-8.
std::string nameOf(HWND control)
{
    std::string text = platform::cp932ToUtf8(textOf(control));
    return className(control) + " " + std::to_string(GetDlgCtrlID(control)) + (text.empty() ? "" : " \"" + text + "\"");
}

std::vector<HWND> shownChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            children.push_back(child);
    return children;
}

RECT rectOf(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    return r;
}

bool contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// A frame, group box or tab control holds other controls inside it.
bool holdsOthers(HWND control)
{
    const std::string name = className(control);
    if (name == "Static" || name == "SysTabControl32")
        return true;
    return name == "Button" && (styleOf(control) & BS_TYPEMASK) == BS_GROUPBOX;
}

void overlapsAmong(HWND parent, const PlacedOver& placedOver, std::vector<std::string>& found)
{
    const std::vector<HWND> children = shownChildren(parent);
    for (size_t i = 0; i < children.size(); ++i) {
        const RECT a = rectOf(children[i]);
        for (size_t j = i + 1; j < children.size(); ++j) {
            const RECT b = rectOf(children[j]);
            RECT both {};
            if (!IntersectRect(&both, &a, &b))
                continue;
            if ((contains(a, b) && holdsOthers(children[i])) || (contains(b, a) && holdsOthers(children[j])))
                continue;
            const int one = GetDlgCtrlID(children[i]);
            const int other = GetDlgCtrlID(children[j]);
            if (placedOver(one, other) || placedOver(other, one))
                continue;
            found.push_back(nameOf(children[i]) + " overlaps " + nameOf(children[j]));
        }
        overlapsAmong(children[i], placedOver, found);
    }
}

// The text's size as DrawText lays it out in the control's font, the width given.
SIZE measured(HWND control, const std::string& text, UINT format, int width)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r { 0, 0, width, 0 };
    DrawTextA(dc, text.c_str(), int(text.size()), &r, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return { r.right, r.bottom };
}

int fontHeight(HWND control)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

// The room a control gives its text, and how it lays it out; an empty room for controls that draw
// no text of their own.
struct TextRoom {
    int width = 0;
    int height = 0;
    UINT format = 0;
};

TextRoom roomOf(HWND control)
{
    RECT client {};
    GetClientRect(control, &client);
    const std::string name = className(control);
    const DWORD style = styleOf(control);
    if (name == "ComboBox") {
        if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))
            return {};
        // What the field leaves its text between the edge, the highlight and the arrow button.
        const int inside = 2 * (kComboEdge + kFocusLine);
        return { client.right - inside - GetSystemMetrics(SM_CXVSCROLL) - kComboIndent, client.bottom - inside, DT_SINGLELINE };
    }
    if (name == "Static") {
        const UINT type = style & SS_TYPEMASK;
        if (type > SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
            return {};
        UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        format |= wraps && !(style & (SS_CENTERIMAGE | SS_ELLIPSISMASK)) ? DT_WORDBREAK : DT_SINGLELINE;
        return { client.right, client.bottom, format };
    }
    if (name != "Button")
        return {};
    const UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return { client.right - 2 * kPushMargin, client.bottom - 2 * kPushMargin, format };
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        if (style & BS_PUSHLIKE)
            return { client.right - 2 * kPushMargin, client.bottom - 2 * kPushMargin, format };
        return { client.right - kBoxSize - kBoxGap, client.bottom, format };
    case BS_GROUPBOX:
        return { client.right - kGroupMargin, client.bottom, DT_SINGLELINE };
    default:
        return {};
    }
}

// The text a control shows: a combo box's is its chosen row.
std::string shownText(HWND control)
{
    if (className(control) != "ComboBox")
        return textOf(control);
    const LRESULT chosen = SendMessageA(control, CB_GETCURSEL, 0, 0);
    const LRESULT length = chosen < 0 ? CB_ERR : SendMessageA(control, CB_GETLBTEXTLEN, WPARAM(chosen), 0);
    if (length == CB_ERR)
        return {};
    std::string text(size_t(length) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, WPARAM(chosen), LPARAM(text.data()));
    text.resize(size_t(length));
    return text;
}

void cutLabel(HWND control, std::vector<std::string>& found)
{
    const std::string text = shownText(control);
    const TextRoom room = roomOf(control);
    if (text.empty() || room.width <= 0)
        return;
    const SIZE size = measured(control, text, room.format, room.width);
    if (size.cx - kBlankColumn > room.width || size.cy > room.height)
        found.push_back(nameOf(control) + " needs " + std::to_string(size.cx) + "x" + std::to_string(size.cy) + ", has "
            + std::to_string(room.width) + "x" + std::to_string(room.height));
}

void lowRows(HWND control, std::vector<std::string>& found)
{
    const std::string name = className(control);
    const int font = fontHeight(control);
    auto check = [&](const char* part, LRESULT height) {
        if (height >= 0 && height < font)
            found.push_back(nameOf(control) + " " + part + " " + std::to_string(height) + " high for a font of " + std::to_string(font));
    };
    // A selected row's focus rectangle lies on its outer pixels, which the glyphs must leave free.
    if (name == "ListBox" && !(styleOf(control) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        check("row", SendMessageA(control, LB_GETITEMHEIGHT, 0, 0) - 2 * kFocusLine);
    if (name != "ComboBox")
        return;
    check("field", SendMessageA(control, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    if (styleOf(control) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE))
        return;
    check("row", SendMessageA(control, CB_GETITEMHEIGHT, 0, 0));
}

void narrowCells(HWND control, std::vector<std::string>& found)
{
    if (className(control) != "SysListView32" || (styleOf(control) & LVS_OWNERDRAWFIXED))
        return;
    HWND header = HWND(SendMessageA(control, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    const int rows = int(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        const int width = int(SendMessageA(control, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
        for (int row = 0; row < rows; ++row) {
            char text[256] = {};
            LVITEMA item {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(control, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(&item));
            const SIZE size = measured(control, text, DT_SINGLELINE | DT_NOPREFIX, 0);
            if (size.cx + 2 * kCellMargin > width) {
                found.push_back(nameOf(control) + " column " + std::to_string(column) + " is " + std::to_string(width)
                    + " wide for \"" + platform::cp932ToUtf8(text) + "\"");
                break;
            }
        }
    }
}

void cutAmong(HWND parent, std::vector<std::string>& found)
{
    for (HWND child : shownChildren(parent)) {
        cutLabel(child, found);
        lowRows(child, found);
        narrowCells(child, found);
        cutAmong(child, found);
    }
}

using Picture = platform::harness::Image;

Picture pictureOf(HWND window) { return platform::harness::readRect(rectOf(window)); }

int brightness(uint32_t xrgb) { return int((299 * (xrgb >> 16 & 0xFF) + 587 * (xrgb >> 8 & 0xFF) + 114 * (xrgb & 0xFF)) / 1000); }

// Where two pictures of the window differ, counting the pixels inside the area or those outside it:
// the bounds in screen coordinates (empty when they agree there) and the largest change of
// brightness, 0 to 255.
struct Difference {
    RECT bounds {};
    int contrast = 0;
};

Difference differing(HWND window, const Picture& a, const Picture& b, const RECT& area, bool inside)
{
    const RECT frame = rectOf(window);
    Difference found;
    for (int y = 0; y < std::min(a.height, b.height); ++y)
        for (int x = 0; x < std::min(a.width, b.width); ++x) {
            const POINT at { frame.left + x, frame.top + y };
            if (a.at(x, y) == b.at(x, y) || (PtInRect(&area, at) != FALSE) != inside)
                continue;
            const RECT pixel { at.x, at.y, at.x + 1, at.y + 1 };
            UnionRect(&found.bounds, &found.bounds, &pixel);
            found.contrast = std::max(found.contrast, std::abs(brightness(a.at(x, y)) - brightness(b.at(x, y))));
        }
    return found;
}

// "at (x,y)-(x,y) over Static 1300": where in the window, and the control there.
std::string placeOf(HWND window, const RECT& area)
{
    const RECT frame = rectOf(window);
    HWND under = WindowFromPoint(POINT { (area.left + area.right) / 2, (area.top + area.bottom) / 2 });
    return "at (" + std::to_string(area.left - frame.left) + "," + std::to_string(area.top - frame.top) + ")-("
        + std::to_string(area.right - frame.left) + "," + std::to_string(area.bottom - frame.top) + ")"
        + (under && under != window ? " over " + nameOf(under) : "");
}

} // namespace

std::vector<std::string> unseenFocus(HWND window)
{
    HWND focus = GetFocus();
    if (!focus || !IsChild(window, focus))
        return {};
    // A combo box's field is the combo box's.
    HWND control = focus;
    if (HWND parent = GetParent(focus); parent && className(parent) == "ComboBox")
        control = parent;
    std::vector<std::string> found;
    const Picture shown = pictureOf(window);
    // Every part of the window painted again from what the program holds.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    platform::harness::waitIdle();
    const Picture fresh = pictureOf(window);
    if (const Difference stale = differing(window, shown, fresh, rectOf(window), true); !IsRectEmpty(&stale.bounds))
        found.push_back("with the focus on " + nameOf(control) + ", a fresh paint differs " + placeOf(window, stale.bounds));
    // Without the focus the control draws itself again; a mark it leaves is then no mark at all.
    SetFocus(nullptr);
    platform::harness::waitIdle();
    const Picture unfocused = pictureOf(window);
    SetFocus(focus);
    const RECT own = rectOf(control);
    // A mark in a colour near the face's is as good as none.
    constexpr int kStandsOut = 48;
    if (differing(window, fresh, unfocused, own, true).contrast < kStandsOut)
        found.push_back(nameOf(control) + " shows no focus that stands out");
    if (const Difference other = differing(window, fresh, unfocused, own, false); !IsRectEmpty(&other.bounds))
        found.push_back("the focus on " + nameOf(control) + " also shows " + placeOf(window, other.bounds));
    return found;
}

std::string lines(const std::vector<std::string>& found)
{
    std::string all;
    for (const std::string& line : found)
        all += "\n  " + line;
    return all;
}

std::vector<std::string> offScreen(const std::vector<HWND>& windows)
{
    const RECT screen { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    std::vector<std::string> found;
    for (HWND window : windows) {
        const RECT r = rectOf(window);
        if (!contains(screen, r))
            found.push_back("\"" + platform::cp932ToUtf8(textOf(window)) + "\" spans (" + std::to_string(r.left) + ","
                + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")");
    }
    return found;
}

std::vector<std::string> overlaps(HWND window, const PlacedOver& placedOver)
{
    std::vector<std::string> found;
    overlapsAmong(window, placedOver, found);
    return found;
}

std::vector<std::string> cutTexts(HWND window)
{
    std::vector<std::string> found;
    cutAmong(window, found);
    return found;
}

} // namespace window_checks
