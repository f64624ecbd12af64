// The non-client area: its layout, WM_NCCALCSIZE, WM_NCHITTEST and WM_NCPAINT.
#include "platform/user/nonclient.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/host.h"
#include "platform/user/menubar_hooks.h"
#include "platform/user/paint_internal.h"

namespace platform::user {

namespace {

bool hasCaption(const Window& w) { return (w.style & WS_CAPTION) == WS_CAPTION; }

int frameWidth(const Window& w)
{
    if (w.style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (w.style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int edgeWidth(const Window& w)
{
    if (w.exStyle & WS_EX_CLIENTEDGE)
        return GetSystemMetrics(SM_CXEDGE);
    if (w.exStyle & WS_EX_STATICEDGE)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

HFONT captionFont()
{
    static HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
        platform::utf8ToCp932("ＭＳ Ｐゴシック").c_str());
    return font;
}

} // namespace

RECT nonClientInsets(const Window& w)
{
    int frame = frameWidth(w) + edgeWidth(w);
    int caption = hasCaption(w) ? GetSystemMetrics((w.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) : 0;
    return { frame, frame + caption, frame, frame };
}

NonClientLayout layoutNonClient(const Window& w, int width, int height)
{
    NonClientLayout l;
    l.window = { 0, 0, width, height };
    l.frame = frameWidth(w);
    RECT c { l.frame, l.frame, width - l.frame, height - l.frame };
    if (hasCaption(w)) {
        bool tool = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
        int h = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
        l.caption = { c.left, c.top, c.right, c.top + h };
        c.top += h;
        int box = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
        int top = l.caption.top + (h - box) / 2;
        int right = l.caption.right - 2;
        if (w.style & WS_SYSMENU) {
            l.closeBox = { right - box, top, right, top + box };
            right -= box + 2;
            if (!tool && (w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) && !w.isChild()) {
                l.maxBox = { right - box, top, right, top + box };
                l.minBox = { right - 2 * box, top, right - box, top + box };
            }
        }
    }
    if (!w.isChild() && w.menu)
        if (auto hook = menuBarHooks().height) {
            int h = hook(w.handle, w.menu, c.right - c.left);
            if (h > 0) {
                l.menuBar = { c.left, c.top, c.right, c.top + h };
                c.top += h;
            }
        }
    int edge = edgeWidth(w);
    c = { c.left + edge, c.top + edge, c.right - edge, c.bottom - edge };
    if (w.vscroll.shown && (w.style & WS_VSCROLL)) {
        int sw = GetSystemMetrics(SM_CXVSCROLL);
        if (c.right - c.left >= sw) {
            l.vscroll = { c.right - sw, c.top, c.right, c.bottom };
            c.right -= sw;
        }
    }
    if (w.hscroll.shown && (w.style & WS_HSCROLL)) {
        int sh = GetSystemMetrics(SM_CYHSCROLL);
        if (c.bottom - c.top >= sh) {
            l.hscroll = { c.left, c.bottom - sh, c.right, c.bottom };
            c.bottom -= sh;
            if (l.vscroll.right > l.vscroll.left) {
                l.vscroll.bottom -= sh;
                l.sizeBox = { l.vscroll.left, c.bottom, l.vscroll.right, c.bottom + sh };
            }
        }
    }
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    l.client = c;
    return l;
}

LRESULT nonClientCalcSize(HWND hwnd, WPARAM, LPARAM lParam)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (!rect)
        return 0;
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    if (!w)
        return 0;
    NonClientLayout l = layoutNonClient(*w, rect->right - rect->left, rect->bottom - rect->top);
    LONG x = rect->left, y = rect->top;
    *rect = { x + l.client.left, y + l.client.top, x + l.client.right, y + l.client.bottom };
    return 0;
}

int hitTestNonClient(HWND hwnd, POINT screen)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    if (!w)
        return HTNOWHERE;
    POINT o = windowOrigin(*w);
    POINT p { screen.x - o.x, screen.y - o.y };
    int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    NonClientLayout l = layoutNonClient(*w, width, height);
    if (!inside(l.window, p) || (w->shape && !w->shape->contains(p.x, p.y)))
        return HTNOWHERE;
    RECT client = w->client;
    if (inside(client, p))
        return HTCLIENT;
    if (w->showState != ShowState::Maximized && (w->style & WS_THICKFRAME)) {
        int f = l.frame, corner = GetSystemMetrics(SM_CYCAPTION);
        bool left = p.x < f, right = p.x >= width - f, top = p.y < f, bottom = p.y >= height - f;
        bool nearLeft = p.x < corner, nearRight = p.x >= width - corner;
        bool nearTop = p.y < corner, nearBottom = p.y >= height - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (inside(l.closeBox, p))
        return HTCLOSE;
    if (inside(l.maxBox, p))
        return HTMAXBUTTON;
    if (inside(l.minBox, p))
        return HTMINBUTTON;
    if (inside(l.caption, p))
        return HTCAPTION;
    if (inside(l.menuBar, p))
        return HTMENU;
    if (inside(l.vscroll, p))
        return HTVSCROLL;
    if (inside(l.hscroll, p))
        return HTHSCROLL;
    if (inside(l.sizeBox, p))
        return (w->style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTNOWHERE;
    return HTBORDER;
}

void paintNonClient(HWND hwnd)
{
    NonClientLayout l;
    Window copy;
    bool active;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w || !isReallyVisible(*w))
            return;
        l = layoutNonClient(*w, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
        copy.style = w->style;
        copy.exStyle = w->exStyle;
        copy.text = w->text;
        copy.menu = w->isChild() ? nullptr : w->menu;
        copy.hscroll = w->hscroll;
        copy.vscroll = w->vscroll;
        Window* root = rootOf(*w);
        active = windowSystem().active == root->handle;
    }
    bool closeDisabled = l.closeBox.right > l.closeBox.left && systemCloseDisabled(hwnd);
    HDC dc = GetWindowDC(hwnd);
    if (!dc)
        return;
    RECT r = l.window;
    if (l.frame > 0) {
        if (l.frame == 1) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        } else {
            RECT inner = r;
            for (int i = 0; i < l.frame; ++i) {
                FrameRect(dc, &inner, GetSysColorBrush(COLOR_3DFACE));
                InflateRect(&inner, -1, -1);
            }
            RECT edge = r;
            DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
        }
    }
    if (l.caption.right > l.caption.left) {
        FillRect(dc, &l.caption, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        RECT text = l.caption;
        text.left += 4;
        text.right = (l.minBox.right > l.minBox.left ? l.minBox.left : l.closeBox.left > 0 ? l.closeBox.left : text.right) - 2;
        HGDIOBJ oldFont = SelectObject(dc, captionFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawTextA(dc, copy.text.c_str(), int(copy.text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        if (l.closeBox.right > l.closeBox.left)
            DrawFrameControl(dc, &l.closeBox, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closeDisabled ? DFCS_INACTIVE : 0));
        if (l.maxBox.right > l.maxBox.left)
            DrawFrameControl(dc, &l.maxBox, DFC_CAPTION,
                ((copy.style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX)
                    | ((copy.style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
        if (l.minBox.right > l.minBox.left)
            DrawFrameControl(dc, &l.minBox, DFC_CAPTION,
                DFCS_CAPTIONMIN | ((copy.style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
    }
    if (l.menuBar.bottom > l.menuBar.top)
        if (auto hook = menuBarHooks().paint)
            hook(hwnd, copy.menu, dc, l.menuBar);
    if (copy.exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) {
        int e = (copy.exStyle & WS_EX_CLIENTEDGE) ? 2 : 1;
        RECT edge { l.client.left - e, l.client.top - e, l.client.right + e, l.client.bottom + e };
        if (l.vscroll.right > l.vscroll.left)
            edge.right = l.vscroll.right + e;
        if (l.hscroll.bottom > l.hscroll.top)
            edge.bottom = l.hscroll.bottom + e;
        DrawEdge(dc, &edge, (copy.exStyle & WS_EX_CLIENTEDGE) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    }
    bool enabled = !(copy.style & WS_DISABLED);
    if (l.vscroll.bottom > l.vscroll.top)
        drawScrollBar(dc, l.vscroll, copy.vscroll, true, enabled);
    if (l.hscroll.right > l.hscroll.left)
        drawScrollBar(dc, l.hscroll, copy.hscroll, false, enabled);
    if (l.sizeBox.right > l.sizeBox.left)
        FillRect(dc, &l.sizeBox, GetSysColorBrush(COLOR_3DFACE));
    ReleaseDC(hwnd, dc);
}

void paintMinimizedCaption(HDC dc, const RECT& area, const std::string& title)
{
    RECT r = area;
    FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    InflateRect(&r, -GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME));
    FillRect(dc, &r, GetSysColorBrush(COLOR_INACTIVECAPTION));
    int box = GetSystemMetrics(SM_CXSIZE) - 2;
    int top = r.top + (r.bottom - r.top - box) / 2;
    RECT restore { r.right - 2 - box, top, r.right - 2, top + box };
    DrawFrameControl(dc, &restore, DFC_CAPTION, DFCS_CAPTIONRESTORE);
    RECT text { r.left + 4, r.top, restore.left - 2, r.bottom };
    HGDIOBJ oldFont = SelectObject(dc, captionFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    DrawTextA(dc, title.c_str(), int(title.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
}

} // namespace platform::user
