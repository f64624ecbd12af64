// Helpers shared by the list-like controls.
#include "platform/controls/listbox_support.h"

#include "platform/user/system_classes.h"

#include <cctype>

namespace platform::controls {

void notifyCommand(HWND target, HWND control, int code)
{
    if (!target)
        return;
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(controlId(control), code), reinterpret_cast<LPARAM>(control));
}

LRESULT notifyParent(HWND control, NMHDR& header, UINT code)
{
    header.hwndFrom = control;
    header.idFrom = UINT_PTR(controlId(control));
    header.code = code;
    HWND parent = GetParent(control);
    if (!parent)
        return 0;
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

HFONT controlFont(HFONT font)
{
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT dcDefaultFont()
{
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

namespace {

TEXTMETRICA metricsOf(HFONT font)
{
    TEXTMETRICA tm {};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, controlFont(font));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

int fold(unsigned char c)
{
    return (c < 0x80) ? std::tolower(c) : c;
}

} // namespace

int fontLineHeight(HFONT font)
{
    int h = metricsOf(font).tmHeight;
    return h > 0 ? h : 12;
}

int fontAverageWidth(HFONT font)
{
    int w = metricsOf(font).tmAveCharWidth;
    return w > 0 ? w : 6;
}

HBRUSH controlBrush(HWND control, HDC dc, UINT ctlColorMessage, int fallbackColor)
{
    HWND parent = GetParent(control);
    if (parent) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlColorMessage,
            reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        if (brush)
            return brush;
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(fallbackColor));
    return GetSysColorBrush(fallbackColor);
}

int compareNoCase(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = fold(static_cast<unsigned char>(a[i]));
        int cb = fold(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool shiftDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

bool ctrlDown()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

} // namespace platform::controls
