// Drawing of "Button" windows: push buttons, check boxes, radio buttons, group boxes, bitmaps
// and the owner-draw request to the parent.
#include "platform/controls/button_state.h"
#include "platform/controls/commctrl.h"

namespace platform::controls {

namespace {

constexpr int kBoxSize = 13;
constexpr int kBoxGap = 4;

bool isPushLike(DWORD style)
{
    UINT type = buttonType(style);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX
        || ((style & BS_PUSHLIKE) && type != BS_GROUPBOX && type != BS_OWNERDRAW);
}

UINT textFormat(DWORD style, bool pushLike)
{
    UINT format = 0;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= pushLike ? DT_CENTER : DT_LEFT; break;
    }
    if (style & BS_MULTILINE)
        format |= DT_WORDBREAK;
    else
        format |= DT_SINGLELINE;
    return format;
}

// Places the text in the rectangle by the vertical alignment styles; returns the text's bounds.
RECT layoutText(HDC dc, const std::string& text, RECT area, DWORD style, UINT format)
{
    RECT measure = area;
    DrawTextA(dc, text.c_str(), int(text.size()), &measure, format | DT_CALCRECT);
    int height = measure.bottom - measure.top;
    int width = measure.right - measure.left;
    RECT r = area;
    switch (style & BS_VCENTER) {
    case BS_TOP: r.bottom = r.top + height; break;
    case BS_BOTTOM: r.top = r.bottom - height; break;
    default: r.top = area.top + (area.bottom - area.top - height) / 2; r.bottom = r.top + height; break;
    }
    if (format & DT_CENTER)
        r.left = area.left + (area.right - area.left - width) / 2;
    else if (format & DT_RIGHT)
        r.left = area.right - width;
    r.right = r.left + width;
    return r;
}

void drawLabel(HDC dc, const std::string& text, const RECT& r, UINT format, bool enabled)
{
    SetBkMode(dc, TRANSPARENT);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT place = r;
    DrawTextA(dc, text.c_str(), int(text.size()), &place, format & ~DT_CALCRECT);
}

bool drawImage(HDC dc, HANDLE image, const RECT& area, int shift)
{
    BITMAP info {};
    if (!image || !GetObjectA(image, sizeof(info), &info))
        return false;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, image);
    int x = area.left + (area.right - area.left - info.bmWidth) / 2 + shift;
    int y = area.top + (area.bottom - area.top - info.bmHeight) / 2 + shift;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return true;
}

void drawPush(HWND hwnd, HDC dc, const ButtonState& s, DWORD style, const RECT& client)
{
    bool enabled = IsWindowEnabled(hwnd);
    bool down = s.pushed || ((style & BS_PUSHLIKE) && s.check == BST_CHECKED);
    // The parent hears of the button as on the original system; the face keeps the plain look.
    parentColors(hwnd, dc, WM_CTLCOLORBTN);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT r = client;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (buttonType(style) == BS_DEFPUSHBUTTON) {
        FrameRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    if (down) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    RECT inner = r;
    InflateRect(&inner, -4, -3);
    int shift = down ? 1 : 0;
    if (!((style & BS_BITMAP) && drawImage(dc, s.image, inner, shift))) {
        std::string text = windowText(hwnd);
        Selected font(dc, fontOr(s.font));
        UINT format = textFormat(style, true);
        RECT place = layoutText(dc, text, inner, style, format);
        OffsetRect(&place, shift, shift);
        drawLabel(dc, text, place, format, enabled);
    }
    if (s.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void drawCheck(HWND hwnd, HDC dc, const ButtonState& s, DWORD style, const RECT& client)
{
    bool enabled = IsWindowEnabled(hwnd);
    UINT type = buttonType(style);
    HBRUSH back = parentColors(hwnd, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, back);
    bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    RECT box = client;
    box.top = client.top + (client.bottom - client.top - kBoxSize) / 2;
    box.bottom = box.top + kBoxSize;
    RECT textArea = client;
    if (style & BS_LEFTTEXT) {
        box.left = client.right - kBoxSize;
        textArea.right = box.left - kBoxGap;
    } else {
        box.left = client.left;
        textArea.left = client.left + kBoxSize + kBoxGap;
    }
    box.right = box.left + kBoxSize;
    UINT state = radio ? DFCS_BUTTONRADIO : (s.check == BST_INDETERMINATE ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
    if (s.check != BST_UNCHECKED)
        state |= DFCS_CHECKED;
    if (s.pushed)
        state |= DFCS_PUSHED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    std::string text = windowText(hwnd);
    Selected font(dc, fontOr(s.font));
    UINT format = textFormat(style, false);
    RECT place = layoutText(dc, text, textArea, style, format);
    drawLabel(dc, text, place, format, enabled);
    if (s.focused) {
        // A box whose words stand beside it in a label of their own rings the label's place.
        if (text.empty())
            place = textArea;
        InflateRect(&place, 1, 1);
        IntersectRect(&place, &place, &client);
        DrawFocusRect(dc, &place);
    }
}

void drawGroup(HWND hwnd, HDC dc, const ButtonState& s, const RECT& client)
{
    HBRUSH back = parentColors(hwnd, dc, WM_CTLCOLORSTATIC);
    Selected font(dc, fontOr(s.font));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    std::string text = windowText(hwnd);
    if (text.empty())
        return;
    RECT place { client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight };
    DrawTextA(dc, text.c_str(), int(text.size()), &place, DT_SINGLELINE | DT_CALCRECT);
    place.left -= 2;
    place.right += 2;
    FillRect(dc, &place, back);
    place.left += 2;
    drawLabel(dc, text, place, DT_SINGLELINE | DT_LEFT, IsWindowEnabled(hwnd));
}

void askOwner(HWND hwnd, HDC dc, const ButtonState& s, const RECT& client, UINT action)
{
    DRAWITEMSTRUCT item {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = UINT(controlId(hwnd));
    item.itemAction = action;
    item.itemState = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0)
        | (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc;
    item.rcItem = client;
    // The parent sets the DC's colours; the owner paints every pixel itself, so a skipped
    // drawing keeps the face it drew before.
    parentColors(hwnd, dc, WM_CTLCOLORBTN);
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_DRAWITEM, WPARAM(item.CtlID), LPARAM(&item));
}

} // namespace

UINT buttonType(DWORD style) { return UINT(style & BS_TYPEMASK); }

void drawButton(HWND hwnd, HDC dc, const ButtonState& state, UINT ownerDrawAction)
{
    DWORD style = controlStyle(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    int saved = SaveDC(dc);
    switch (buttonType(style)) {
    case BS_OWNERDRAW: askOwner(hwnd, dc, state, client, ownerDrawAction); break;
    case BS_GROUPBOX: drawGroup(hwnd, dc, state, client); break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        if (isPushLike(style))
            drawPush(hwnd, dc, state, style, client);
        else
            drawCheck(hwnd, dc, state, style, client);
        break;
    default: drawPush(hwnd, dc, state, style, client); break;
    }
    RestoreDC(dc, saved);
}

} // namespace platform::controls
