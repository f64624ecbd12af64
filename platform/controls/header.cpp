// Header control: column buttons whose dividers are dragged to resize columns, with the
// HDN_ tracking, change and click notices its parent (usually a list view) follows.
#include "platform/controls/commctrl.h"

#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"
#include "platform/controls/listbox_support.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::controls {

namespace {

constexpr int kDividerSlop = 4;

class Header {
public:
    Header(HWND hwnd, const CREATESTRUCTA& create)
        : m_hwnd(hwnd)
        , m_style(DWORD(create.style))
    {
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::string text;
        int width = 50;
        int fmt = HDF_LEFT | HDF_STRING;
        LPARAM param = 0;
    };

    int count() const { return int(m_items.size()); }
    int height() const { return fontLineHeight(m_font) + 6; }
    RECT itemRect(int index) const;
    int hitTest(POINT point, UINT* flags) const;
    LRESULT notify(UINT code, int index, HDITEMA* item, int button = 0);
    bool changeWidth(int index, int width);
    int insert(int index, const HDITEMA* item);
    BOOL setItem(int index, const HDITEMA* item);
    BOOL getItem(int index, HDITEMA* item) const;
    void paint(HDC dc);
    void onButtonDown(POINT point, bool doubleClick);
    void onMouseMove(POINT point);
    void onButtonUp(POINT point);

    HWND m_hwnd;
    DWORD m_style;
    HFONT m_font = nullptr;
    std::vector<Item> m_items;
    int m_trackItem = -1;
    int m_trackStartX = 0;
    int m_trackStartWidth = 0;
    int m_pressed = -1;
};

LRESULT CALLBACK headerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatchState<Header>(hwnd, message, wParam, lParam);
}

RECT Header::itemRect(int index) const
{
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += m_items[size_t(i)].width;
    RECT client;
    GetClientRect(m_hwnd, &client);
    return RECT { x, 0, x + m_items[size_t(index)].width, client.bottom };
}

int Header::hitTest(POINT point, UINT* flags) const
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    *flags = HHT_NOWHERE;
    if (point.y < 0 || point.y >= client.bottom)
        return -1;
    // Dividers first, from the right, so a zero-width column can still be widened.
    int x = 0;
    std::vector<int> rights;
    for (const Item& item : m_items)
        rights.push_back(x += item.width);
    for (int i = count() - 1; i >= 0; --i) {
        if (std::abs(point.x - rights[size_t(i)]) <= kDividerSlop) {
            *flags = m_items[size_t(i)].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
            return i;
        }
    }
    for (int i = 0; i < count(); ++i) {
        RECT r = itemRect(i);
        if (PtInRect(&r, point)) {
            *flags = HHT_ONHEADER;
            return i;
        }
    }
    return -1;
}

LRESULT Header::notify(UINT code, int index, HDITEMA* item, int button)
{
    NMHEADERA nm {};
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return notifyParent(m_hwnd, nm.hdr, code);
}

bool Header::changeWidth(int index, int width)
{
    HDITEMA item {};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    if (notify(HDN_ITEMCHANGINGA, index, &item))
        return false;
    m_items[size_t(index)].width = item.cxy;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    notify(HDN_ITEMCHANGEDA, index, &item);
    return true;
}

int Header::insert(int index, const HDITEMA* source)
{
    if (!source || index < 0)
        return -1;
    index = std::min(index, count());
    Item item;
    if ((source->mask & HDI_TEXT) && source->pszText)
        item.text = source->pszText;
    if (source->mask & HDI_WIDTH)
        item.width = std::max(0, source->cxy);
    if (source->mask & HDI_FORMAT)
        item.fmt = source->fmt;
    if (source->mask & HDI_LPARAM)
        item.param = source->lParam;
    m_items.insert(m_items.begin() + index, item);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

BOOL Header::setItem(int index, const HDITEMA* source)
{
    if (!source || index < 0 || index >= count())
        return FALSE;
    HDITEMA change = *source;
    if (notify(HDN_ITEMCHANGINGA, index, &change))
        return FALSE;
    Item& item = m_items[size_t(index)];
    if (source->mask & HDI_TEXT)
        item.text = source->pszText ? source->pszText : "";
    if (source->mask & HDI_WIDTH)
        item.width = std::max(0, source->cxy);
    if (source->mask & HDI_FORMAT)
        item.fmt = source->fmt;
    if (source->mask & HDI_LPARAM)
        item.param = source->lParam;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    notify(HDN_ITEMCHANGEDA, index, &change);
    return TRUE;
}

BOOL Header::getItem(int index, HDITEMA* out) const
{
    if (!out || index < 0 || index >= count())
        return FALSE;
    const Item& item = m_items[size_t(index)];
    if (out->mask & HDI_WIDTH)
        out->cxy = item.width;
    if (out->mask & HDI_FORMAT)
        out->fmt = item.fmt;
    if (out->mask & HDI_LPARAM)
        out->lParam = item.param;
    if (out->mask & HDI_TEXT)
        copyItemText(item.text, out->pszText, out->cchTextMax);
    if (out->mask & HDI_ORDER)
        out->iOrder = index;
    return TRUE;
}

void Header::paint(HDC dc)
{
    int saved = SaveDC(dc);
    RECT client;
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    SelectObject(dc, controlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int right = 0;
    for (int i = 0; i < count(); ++i) {
        RECT r = itemRect(i);
        right = r.right;
        if (r.right <= r.left)
            continue;
        bool pressed = i == m_pressed;
        RECT edge = r;
        DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
        RECT text = r;
        InflateRect(&text, -4, 0);
        if (pressed)
            OffsetRect(&text, 1, 1);
        const Item& item = m_items[size_t(i)];
        UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
            : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER        ? DT_CENTER
                                                                : DT_LEFT;
        DrawTextA(dc, item.text.c_str(), int(item.text.size()), &text,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (right < client.right) {
        RECT rest { right, 0, client.right, client.bottom };
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    RestoreDC(dc, saved);
}

void Header::onButtonDown(POINT point, bool doubleClick)
{
    UINT flags = 0;
    int index = hitTest(point, &flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            notify(HDN_DIVIDERDBLCLICKA, index, nullptr);
            return;
        }
        HDITEMA item {};
        item.mask = HDI_WIDTH;
        item.cxy = m_items[size_t(index)].width;
        if (notify(HDN_BEGINTRACKA, index, &item))
            return;
        m_trackItem = index;
        m_trackStartX = point.x;
        m_trackStartWidth = m_items[size_t(index)].width;
        SetCapture(m_hwnd);
        return;
    }
    if (doubleClick) {
        notify(HDN_ITEMDBLCLICKA, index, nullptr);
        return;
    }
    if (m_style & HDS_BUTTONS) {
        m_pressed = index;
        SetCapture(m_hwnd);
        InvalidateRect(m_hwnd, nullptr, TRUE);
    }
}

void Header::onMouseMove(POINT point)
{
    if (m_trackItem < 0)
        return;
    int width = std::max(0, m_trackStartWidth + int(point.x) - m_trackStartX);
    if (width == m_items[size_t(m_trackItem)].width)
        return;
    HDITEMA item {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    notify(HDN_TRACKA, m_trackItem, &item);
    changeWidth(m_trackItem, width);
}

void Header::onButtonUp(POINT point)
{
    if (m_trackItem >= 0) {
        int index = m_trackItem;
        m_trackItem = -1;
        if (GetCapture() == m_hwnd)
            ReleaseCapture();
        HDITEMA item {};
        item.mask = HDI_WIDTH;
        item.cxy = m_items[size_t(index)].width;
        notify(HDN_ENDTRACKA, index, &item);
        return;
    }
    if (m_pressed >= 0) {
        int index = m_pressed;
        m_pressed = -1;
        if (GetCapture() == m_hwnd)
            ReleaseCapture();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        UINT flags = 0;
        if (hitTest(point, &flags) == index && (flags & HHT_ONHEADER))
            notify(HDN_ITEMCLICKA, index, nullptr);
    }
}

LRESULT Header::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    switch (message) {
    case WM_PAINT: {
        PaintScope scope(m_hwnd, wParam);
        paint(scope.dc());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT: {
        m_font = reinterpret_cast<HFONT>(wParam);
        // A new font changes the header's height; the rows below it move, so the parent repaints.
        RECT r;
        GetWindowRect(m_hwnd, &r);
        int h = (m_style & HDS_HIDDEN) ? 0 : height();
        if (h != r.bottom - r.top) {
            SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (HWND parent = GetParent(m_hwnd))
                InvalidateRect(parent, nullptr, TRUE);
        }
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        onButtonDown(point, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(point);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(point);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_trackItem >= 0 || m_pressed >= 0) {
            m_trackItem = m_pressed = -1;
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_SETCURSOR:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);

    case HDM_GETITEMCOUNT:
        return count();
    case HDM_INSERTITEMA:
        return insert(int(wParam), reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_DELETEITEM:
        if (int(wParam) < 0 || int(wParam) >= count())
            return FALSE;
        m_items.erase(m_items.begin() + int(wParam));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case HDM_GETITEMA:
        return getItem(int(wParam), reinterpret_cast<HDITEMA*>(lParam));
    case HDM_SETITEMA:
        return setItem(int(wParam), reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_GETITEMRECT:
        if (int(wParam) < 0 || int(wParam) >= count() || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = itemRect(int(wParam));
        return TRUE;
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        info->iItem = hitTest(info->pt, &info->flags);
        return info->iItem;
    }
    case HDM_LAYOUT: {
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        int h = (m_style & HDS_HIDDEN) ? 0 : height();
        RECT* area = layout->prc;
        *layout->pwpos = WINDOWPOS { m_hwnd, nullptr, int(area->left), int(area->top), int(area->right - area->left), h, SWP_NOZORDER };
        area->top += h;
        return TRUE;
    }
    default:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

} // namespace

void registerHeaderClass()
{
    registerControlClass(WC_HEADERA, headerProc, CS_DBLCLKS);
}

} // namespace platform::controls
