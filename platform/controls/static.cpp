// The "Static" window procedure: text in the parent's colours, frames, rectangles, etched
// lines, bitmaps and the SS_NOTIFY clicks.
#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"

namespace platform::controls {

namespace {

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
};

UINT staticType(DWORD style) { return UINT(style & SS_TYPEMASK); }

UINT textFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (staticType(style)) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_SINGLELINE | DT_LEFT; break;
    case SS_LEFTNOWORDWRAP: break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (style & SS_ELLIPSISMASK)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE;
    switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: format |= DT_END_ELLIPSIS; break;
    case SS_PATHELLIPSIS: format |= DT_PATH_ELLIPSIS; break;
    case SS_WORDELLIPSIS: format |= DT_WORD_ELLIPSIS; break;
    default: break;
    }
    return format;
}

void drawText(HWND hwnd, HDC dc, const StaticState& s, DWORD style, RECT client)
{
    HBRUSH back = parentColors(hwnd, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, back);
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    Selected font(dc, fontOr(s.font));
    std::string text = windowText(hwnd);
    DrawTextA(dc, text.c_str(), int(text.size()), &client, textFormat(style));
}

void drawImage(HWND hwnd, HDC dc, const StaticState& s, DWORD style, const RECT& client)
{
    FillRect(dc, &client, parentColors(hwnd, dc, WM_CTLCOLORSTATIC));
    BITMAP info {};
    if (!s.image || !GetObjectA(s.image, sizeof(info), &info))
        return;
    int x = 0;
    int y = 0;
    if (style & SS_CENTERIMAGE) {
        x = (client.right - info.bmWidth) / 2;
        y = (client.bottom - info.bmHeight) / 2;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, s.image);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void drawStatic(HWND hwnd, HDC dc, const StaticState& s)
{
    DWORD style = controlStyle(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    int saved = SaveDC(dc);
    if (style & SS_SUNKEN) {
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    UINT type = staticType(style);
    bool outline = (type >= SS_BLACKFRAME && type <= SS_WHITEFRAME) || (type >= SS_ETCHEDHORZ && type <= SS_ETCHEDFRAME);
    if (outline)
        FillRect(dc, &client, parentColors(hwnd, dc, WM_CTLCOLORSTATIC));
    switch (type) {
    case SS_BLACKRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    case SS_GRAYRECT: FillRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW)); break;
    case SS_WHITERECT: FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW)); break;
    case SS_BLACKFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME)); break;
    case SS_GRAYFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOW)); break;
    case SS_ETCHEDHORZ: DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(dc, &client, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT); break;
    case SS_BITMAP: drawImage(hwnd, dc, s, style, client); break;
    case SS_OWNERDRAW: {
        DRAWITEMSTRUCT item {};
        item.CtlType = ODT_STATIC;
        item.CtlID = UINT(controlId(hwnd));
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
        item.hwndItem = hwnd;
        item.hDC = dc;
        item.rcItem = client;
        if (HWND parent = GetParent(hwnd))
            SendMessageA(parent, WM_DRAWITEM, WPARAM(item.CtlID), LPARAM(&item));
        break;
    }
    case SS_ICON:
    case SS_ENHMETAFILE: break;
    default: drawText(hwnd, dc, s, style, client); break;
    }
    RestoreDC(dc, saved);
}

void repaintStatic(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

LRESULT setImage(HWND hwnd, StaticState& s, WPARAM kind, HANDLE image)
{
    if (kind != IMAGE_BITMAP)
        return 0;
    HANDLE old = s.image;
    s.image = image;
    BITMAP info {};
    DWORD style = controlStyle(hwnd);
    if (image && staticType(style) == SS_BITMAP && !(style & SS_CENTERIMAGE) && GetObjectA(image, sizeof(info), &info))
        SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    repaintStatic(hwnd);
    return LRESULT(old);
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        attachState<StaticState>(hwnd);
    StaticState* s = stateOf<StaticState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY:
        detachState<StaticState>(hwnd);
        break;
    case WM_NCHITTEST:
        if (!(controlStyle(hwnd) & SS_NOTIFY))
            return HTTRANSPARENT;
        break;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        drawStatic(hwnd, paint.dc(), *s);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
        if (controlStyle(hwnd) & SS_NOTIFY)
            notifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (controlStyle(hwnd) & SS_NOTIFY)
            notifyParent(hwnd, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (controlStyle(hwnd) & SS_NOTIFY)
            notifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        repaintStatic(hwnd);
        return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        repaintStatic(hwnd);
        return result;
    }
    case WM_SETFONT:
        s->font = HFONT(wParam);
        if (LOWORD(lParam))
            repaintStatic(hwnd);
        return 0;
    case WM_GETFONT: return LRESULT(s->font);
    case STM_SETIMAGE: return setImage(hwnd, *s, wParam, HANDLE(lParam));
    case STM_GETIMAGE: return wParam == IMAGE_BITMAP ? LRESULT(s->image) : 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerStaticClass()
{
    registerControlClass(WC_STATICA, staticProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform::controls
