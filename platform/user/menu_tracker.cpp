// The menu loop.
#include "platform/user/menu_tracker.h"

#include "platform/user/menu_layout.h"
#include "platform/user/modal_loop.h"
#include "platform/user/system_classes.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <optional>

namespace platform::menus {

namespace {

struct BarState {
    std::mutex mutex;
    std::map<HWND, RECT> rects;
    std::map<HWND, int> selected;
};

BarState& bars()
{
    static BarState b;
    return b;
}

void setBarSelection(HWND frame, int index)
{
    {
        std::lock_guard lock(bars().mutex);
        bars().selected[frame] = index;
    }
    DrawMenuBar(frame);
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* pane = reinterpret_cast<const Pane*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (pane) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            drawPopup(dc, *pane);
            EndPaint(hwnd, &ps);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool isMouseMessage(UINT m)
{
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool isKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

class Tracker {
public:
    Tracker(HWND owner, UINT flags, bool popupMode)
        : m_owner(owner)
        , m_flags(flags)
        , m_popupMode(popupMode)
    {
    }
    ~Tracker()
    {
        try {
            closeFrom(0);
        } catch (...) {
        }
    }

    UINT runPopup(HMENU menu, int x, int y, const RECT* exclude);
    UINT runBar(HMENU menu, POINT* click, LPARAM key);

private:
    bool notifies() const { return !(m_flags & TPM_NONOTIFY); }
    void notify(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (notifies())
            SendMessageA(m_owner, message, wParam, lParam);
    }
    Pane& top() { return *m_panes.back(); }
    void openPopup(HMENU menu, int indexInParent, int x, int y, const RECT* anchor, bool below, bool selectFirst);
    void openSelected(bool selectFirst);
    void closeFrom(size_t level);
    void select(size_t level, int index);
    void step(int direction);
    void choose(size_t level, int index);
    void barNeighbour(int direction);
    void pressMnemonic(size_t level, char key);
    bool hitTest(POINT screen, size_t& level, int& index) const;
    void loop();
    void handleMouse(const MSG& msg);
    void handleKey(const MSG& msg);

    HWND m_owner;
    UINT m_flags;
    bool m_popupMode;
    std::vector<std::unique_ptr<Pane>> m_panes;
    bool m_done = false;
    UINT m_chosen = 0;
    bool m_ignoreFirstUp = false; // the release of the press that opened the bar
    std::optional<RECT> m_exclude;
};

void Tracker::openPopup(HMENU menu, int indexInParent, int x, int y, const RECT* anchor, bool below, bool selectFirst)
{
    notify(WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(indexInParent, FALSE));
    auto list = items(menu);
    if (!list || list->empty())
        return;
    auto pane = std::make_unique<Pane>();
    pane->menu = menu;
    pane->items = std::move(*list);
    HDC dc = GetDC(nullptr);
    layoutPopup(dc, *pane);
    ReleaseDC(nullptr, dc);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (anchor) {
        if (below) {
            x = anchor->left;
            y = anchor->bottom;
            if (y + pane->size.cy > screenHeight)
                y = anchor->top - pane->size.cy;
        } else {
            x = anchor->right - 3;
            y = anchor->top - 3;
            if (x + pane->size.cx > screenWidth)
                x = anchor->left - pane->size.cx + 3;
        }
    } else {
        if (m_flags & TPM_RIGHTALIGN)
            x -= pane->size.cx;
        else if (m_flags & TPM_CENTERALIGN)
            x -= pane->size.cx / 2;
        if (m_flags & TPM_BOTTOMALIGN)
            y -= pane->size.cy;
        else if (m_flags & TPM_VCENTERALIGN)
            y -= pane->size.cy / 2;
    }
    if (m_exclude && m_panes.empty()) {
        RECT placed { x, y, x + pane->size.cx, y + pane->size.cy }, overlap;
        if (IntersectRect(&overlap, &placed, &*m_exclude))
            y = m_exclude->bottom + pane->size.cy <= screenHeight ? m_exclude->bottom : m_exclude->top - pane->size.cy;
    }
    x = std::clamp(x, 0, std::max(0, screenWidth - int(pane->size.cx)));
    y = std::clamp(y, 0, std::max(0, screenHeight - int(pane->size.cy)));
    pane->origin = POINT { x, y };
    if (selectFirst) {
        for (size_t i = 0; i < pane->items.size(); ++i)
            if (!pane->items[i].separator()) {
                pane->selected = int(i);
                break;
            }
    }
    registerPopupClass();
    pane->window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP, x, y, pane->size.cx,
        pane->size.cy, m_owner, nullptr, nullptr, pane.get());
    if (!pane->window)
        return;
    m_panes.push_back(std::move(pane));
    ShowWindow(top().window, SW_SHOWNOACTIVATE);
    if (top().selected >= 0)
        select(m_panes.size() - 1, top().selected);
}

void Tracker::closeFrom(size_t level)
{
    while (m_panes.size() > level) {
        Pane& pane = *m_panes.back();
        if (pane.bar)
            setBarSelection(pane.window, -1);
        else if (IsWindow(pane.window))
            DestroyWindow(pane.window);
        m_panes.pop_back();
    }
}

void Tracker::select(size_t level, int index)
{
    Pane& pane = *m_panes[level];
    closeFrom(level + 1);
    pane.selected = index;
    if (pane.bar)
        setBarSelection(pane.window, index);
    else
        InvalidateRect(pane.window, nullptr, FALSE);
    if (index < 0)
        return;
    const Item& item = pane.items[size_t(index)];
    UINT flags = (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) | MF_HILITE | (item.submenu ? MF_POPUP : 0);
    UINT idOrIndex = item.submenu ? UINT(index) : item.id;
    notify(WM_MENUSELECT, MAKEWPARAM(idOrIndex, flags), LPARAM(pane.menu));
}

// Opens the submenu of the top pane's selected item.
void Tracker::openSelected(bool selectFirst)
{
    Pane& pane = top();
    if (pane.selected < 0)
        return;
    const Item& item = pane.items[size_t(pane.selected)];
    if (!item.submenu || !item.enabled())
        return;
    RECT anchor = pane.rects[size_t(pane.selected)];
    OffsetRect(&anchor, pane.origin.x, pane.origin.y);
    openPopup(item.submenu, pane.selected, 0, 0, &anchor, pane.bar, selectFirst);
}

void Tracker::step(int direction)
{
    Pane& pane = top();
    int count = int(pane.items.size());
    int index = pane.selected;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
        if (!pane.items[size_t(index)].separator()) {
            select(m_panes.size() - 1, index);
            return;
        }
    }
}

void Tracker::choose(size_t level, int index)
{
    const Item& item = m_panes[level]->items[size_t(index)];
    if (item.separator() || !item.enabled())
        return;
    if (item.submenu) {
        if (m_panes.size() == level + 1)
            openSelected(true);
        return;
    }
    m_chosen = item.id;
    m_done = true;
}

// The item of that mnemonic is chosen, or its submenu opened; when several items share it the
// key only moves the selection on to the next of them.
void Tracker::pressMnemonic(size_t level, char key)
{
    const Pane& pane = *m_panes[level];
    const int count = int(pane.items.size());
    int first = -1, matches = 0;
    for (int step = 1; step <= count; ++step) {
        int i = (std::max(pane.selected, -1) + step + count) % count;
        if (pane.items[size_t(i)].separator() || mnemonicOf(pane.items[size_t(i)].text) != key)
            continue;
        if (first < 0)
            first = i;
        ++matches;
    }
    if (first < 0)
        return;
    select(level, first);
    if (matches == 1)
        choose(level, first);
}

void Tracker::barNeighbour(int direction)
{
    Pane& bar = *m_panes[0];
    bool wasOpen = m_panes.size() > 1;
    int count = int(bar.items.size());
    int index = bar.selected;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + direction + count) % count;
        if (!bar.items[size_t(index)].separator())
            break;
    }
    select(0, index);
    if (wasOpen)
        openSelected(true);
}

bool Tracker::hitTest(POINT screen, size_t& level, int& index) const
{
    for (size_t l = m_panes.size(); l-- > 0;) {
        const Pane& pane = *m_panes[l];
        POINT p { screen.x - pane.origin.x, screen.y - pane.origin.y };
        bool inside = pane.bar ? true : (p.x >= 0 && p.y >= 0 && p.x < pane.size.cx && p.y < pane.size.cy);
        if (!inside)
            continue;
        for (size_t i = 0; i < pane.rects.size(); ++i)
            if (PtInRect(&pane.rects[i], p)) {
                level = l;
                index = int(i);
                return true;
            }
        if (!pane.bar) {
            level = l;
            index = -1;
            return true;
        }
    }
    return false;
}

void Tracker::handleMouse(const MSG& msg)
{
    POINT screen { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
    bool client = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    if (msg.message == WM_MOUSEWHEEL)
        return;
    if (client)
        ClientToScreen(msg.hwnd, &screen);
    size_t level = 0;
    int index = -1;
    bool hit = hitTest(screen, level, index);
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (!hit || index < 0)
            return;
        if (m_panes[level]->bar) {
            if (index != m_panes[0]->selected && m_panes.size() > 1) {
                select(0, index);
                openSelected(false);
            }
            return;
        }
        if (m_panes[level]->selected == index)
            return; // and its submenu stays open
        select(level, index);
        if (m_panes[level]->items[size_t(index)].submenu)
            openSelected(false);
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        if (!hit) {
            m_done = true; // a press outside dismisses the menu
            return;
        }
        if (index < 0)
            return;
        if (m_panes[level]->bar) {
            if (index == m_panes[0]->selected && m_panes.size() > 1) {
                m_done = true;
                return;
            }
            select(0, index);
            openSelected(false);
            m_ignoreFirstUp = true;
            return;
        }
        select(level, index);
        if (m_panes[level]->items[size_t(index)].submenu)
            openSelected(false);
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
        bool right = msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP;
        if (m_ignoreFirstUp) {
            m_ignoreFirstUp = false;
            return;
        }
        if (right && m_popupMode && !(m_flags & TPM_RIGHTBUTTON))
            return;
        if (hit && index >= 0 && !m_panes[level]->bar)
            choose(level, index);
        return;
    }
    default:
        return;
    }
}

void Tracker::handleKey(const MSG& msg)
{
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        if (msg.wParam < 0x80)
            pressMnemonic(m_panes.size() - 1, char(std::toupper(int(msg.wParam))));
        return;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    bool barTop = top().bar;
    bool hasBar = m_panes[0]->bar;
    switch (msg.wParam) {
    case VK_ESCAPE:
        if (m_panes.size() > 1)
            closeFrom(m_panes.size() - 1);
        else
            m_done = true;
        return;
    case VK_MENU:
    case VK_F10:
        m_done = true;
        return;
    case VK_UP:
    case VK_DOWN:
        if (barTop)
            openSelected(true);
        else
            step(msg.wParam == VK_DOWN ? 1 : -1);
        return;
    case VK_LEFT:
        if (barTop)
            barNeighbour(-1);
        else if (m_panes.size() > (hasBar ? 2u : 1u))
            closeFrom(m_panes.size() - 1);
        else if (hasBar)
            barNeighbour(-1);
        return;
    case VK_RIGHT: {
        if (barTop) {
            barNeighbour(1);
            return;
        }
        Pane& pane = top();
        if (pane.selected >= 0 && pane.items[size_t(pane.selected)].submenu && pane.items[size_t(pane.selected)].enabled())
            openSelected(true);
        else if (hasBar)
            barNeighbour(1);
        return;
    }
    case VK_RETURN:
        if (barTop)
            openSelected(true);
        else if (top().selected >= 0)
            choose(m_panes.size() - 1, top().selected);
        return;
    default:
        return;
    }
}

void Tracker::loop()
{
    ModalLoopScope nested;
    HWND previousCapture = GetCapture();
    SetCapture(m_owner);
    struct Restore {
        HWND capture;
        ~Restore()
        {
            try {
                ReleaseCapture();
                if (capture && IsWindow(capture))
                    SetCapture(capture);
            } catch (...) {
            }
        }
    } restore { previousCapture };
    while (!m_done && !m_panes.empty() && IsWindow(m_owner)) {
        MSG msg;
        if (!getNestedMessage(msg))
            break;
        if (isMouseMessage(msg.message))
            handleMouse(msg);
        else if (isKeyMessage(msg.message)) {
            // Mnemonics arrive as the characters the key messages translate to.
            TranslateMessage(&msg);
            handleKey(msg);
        }
        else
            DispatchMessageA(&msg);
    }
}

UINT Tracker::runPopup(HMENU menu, int x, int y, const RECT* exclude)
{
    if (exclude)
        m_exclude = *exclude;
    TrackingScope scope(m_owner, true);
    notify(WM_ENTERMENULOOP, TRUE, 0);
    notify(WM_INITMENU, WPARAM(menu), 0);
    openPopup(menu, 0, x, y, nullptr, false, false);
    loop();
    closeFrom(0);
    notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    notify(WM_EXITMENULOOP, TRUE, 0);
    return m_chosen;
}

UINT Tracker::runBar(HMENU menu, POINT* click, LPARAM key)
{
    auto list = items(menu);
    if (!list || list->empty())
        return 0;
    RECT bar {};
    {
        std::lock_guard lock(bars().mutex);
        auto it = bars().rects.find(m_owner);
        if (it != bars().rects.end())
            bar = it->second;
    }
    RECT window;
    GetWindowRect(m_owner, &window);
    auto pane = std::make_unique<Pane>();
    pane->menu = menu;
    pane->bar = true;
    pane->window = m_owner;
    pane->items = std::move(*list);
    pane->origin = POINT { window.left + bar.left, window.top + bar.top };
    HDC dc = GetDC(nullptr);
    layoutBar(dc, *pane, std::max<int>(bar.right - bar.left, 1));
    ReleaseDC(nullptr, dc);

    TrackingScope scope(m_owner, false);
    notify(WM_ENTERMENULOOP, FALSE, 0);
    notify(WM_INITMENU, WPARAM(menu), 0);
    m_panes.push_back(std::move(pane));
    if (click) {
        size_t level;
        int index;
        if (hitTest(*click, level, index) && index >= 0) {
            select(0, index);
            openSelected(false);
            m_ignoreFirstUp = true;
        } else {
            m_done = true;
        }
    } else if (key) {
        pressMnemonic(0, char(std::toupper(int(key & 0x7F))));
        if (m_panes[0]->selected < 0)
            m_done = true; // no item of the bar has that mnemonic
    } else {
        select(0, 0);
    }
    loop();
    closeFrom(0);
    notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    notify(WM_EXITMENULOOP, FALSE, 0);
    return m_chosen;
}

} // namespace

void registerPopupClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA cls {};
        cls.style = CS_SAVEBITS;
        cls.lpfnWndProc = popupProc;
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.lpszClassName = "#32768";
        user::registerSystemClass(cls);
    });
}

UINT trackPopup(HWND owner, HMENU menu, int x, int y, UINT flags, const RECT* exclude)
{
    return Tracker(owner, flags, true).runPopup(menu, x, y, exclude);
}

UINT trackBarByMouse(HWND owner, HMENU menu, POINT screen)
{
    return Tracker(owner, 0, false).runBar(menu, &screen, 0);
}

UINT trackBarByKey(HWND owner, HMENU menu, LPARAM key)
{
    return Tracker(owner, 0, false).runBar(menu, nullptr, key);
}

void rememberBarRect(HWND frame, const RECT& bar)
{
    std::lock_guard lock(bars().mutex);
    bars().rects[frame] = bar;
}

int barSelection(HWND frame)
{
    std::lock_guard lock(bars().mutex);
    auto it = bars().selected.find(frame);
    return it == bars().selected.end() ? -1 : it->second;
}

void forgetFrame(HWND frame)
{
    std::lock_guard lock(bars().mutex);
    bars().rects.erase(frame);
    bars().selected.erase(frame);
}

} // namespace platform::menus
