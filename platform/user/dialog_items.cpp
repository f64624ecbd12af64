// Dialog item helpers: finding items by id, their text, numbers and check states, and dialog
// units.
#include "platform/user/dialog_button_ids.h"
#include "platform/user/dialog_internal.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <vector>

HWND GetDlgItem(HWND dialog, int id)
{
    if (!IsWindow(dialog))
        return nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    return int(GetWindowLongPtrA(hwnd, GWLP_ID));
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextA(item, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (text && maxCount > 0)
            text[0] = '\0';
        return 0;
    }
    return UINT(GetWindowTextA(item, text, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char buffer[16];
    if (isSigned)
        std::snprintf(buffer, sizeof buffer, "%d", int(value));
    else
        std::snprintf(buffer, sizeof buffer, "%u", value);
    return SetDlgItemTextA(dialog, id, buffer);
}

// Leading and trailing blanks are allowed; anything else that is not a digit, or a value out
// of range, is not a number.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    if (translated)
        *translated = FALSE;
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return 0;
    int length = GetWindowTextLengthA(item);
    std::vector<char> text(size_t(length) + 1, '\0');
    GetWindowTextA(item, text.data(), length + 1);
    const char* p = text.data();
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (isSigned && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return 0;
    unsigned long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        value = value * 10 + unsigned(*p - '0');
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p)
        return 0;
    if (isSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return 0;
    if (translated)
        *translated = TRUE;
    return negative ? UINT(-int64_t(value)) : UINT(value);
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return FALSE;
    SendMessageA(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? UINT(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    if (firstId > lastId)
        return FALSE;
    for (int id = firstId; id <= lastId && id >= firstId; ++id) {
        if (HWND item = GetDlgItem(dialog, id))
            SendMessageA(item, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        if (id == INT_MAX)
            break;
    }
    return TRUE;
}

LONG GetDialogBaseUnits()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics {};
    bool ok = GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int x = ok && metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 6;
    int y = ok && metrics.tmHeight > 0 ? metrics.tmHeight : 12;
    return MAKELONG(x, y);
}

// Dialog units: a quarter of the average character width across, an eighth of the character
// height down, measured in the dialog's font.
BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    if (!rect || !IsWindow(dialog))
        return FALSE;
    LONG base = GetDialogBaseUnits();
    int x = LOWORD(base), y = HIWORD(base);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0))) {
        HDC dc = GetDC(dialog);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics {};
        if (GetTextMetricsA(dc, &metrics) && metrics.tmAveCharWidth > 0 && metrics.tmHeight > 0) {
            x = metrics.tmAveCharWidth;
            y = metrics.tmHeight;
        }
        SelectObject(dc, old);
        ReleaseDC(dialog, dc);
    }
    rect->left = MulDiv(rect->left, x, 4);
    rect->right = MulDiv(rect->right, x, 4);
    rect->top = MulDiv(rect->top, y, 8);
    rect->bottom = MulDiv(rect->bottom, y, 8);
    return TRUE;
}
