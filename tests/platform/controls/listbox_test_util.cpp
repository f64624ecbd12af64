// Helpers for the list-control tests.
#include "listbox_test_util.h"

namespace listtest {

namespace harness = platform::harness;

namespace {

Parent* g_parent = nullptr;

LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Parent* p = g_parent;
    if (p) {
        switch (message) {
        case WM_COMMAND:
            p->commands.push_back(Command { LOWORD(wParam), HIWORD(wParam) });
            if (p->onCommand)
                p->onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* nm = reinterpret_cast<NMHDR*>(lParam);
            p->notices.push_back(nm->code);
            p->noticeHeaders.push_back(*nm);
            return p->onNotify ? p->onNotify(nm) : 0;
        }
        case WM_VKEYTOITEM:
            if (p->onVKeyToItem)
                return p->onVKeyToItem(wParam);
            break;
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            p->measured.push_back(m->itemID);
            if (p->measureHeight || p->measureByData)
                m->itemHeight = p->measureByData ? UINT(m->itemData) : p->measureHeight;
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            p->drawn.push_back(Drawn { d->CtlType, d->itemID, d->itemAction, d->itemState, d->rcItem, d->itemData });
            if (d->itemID != UINT(-1)) {
                HBRUSH b = CreateSolidBrush((d->itemState & ODS_SELECTED) ? RGB(200, 0, 0) : RGB(0, 0, 200));
                FillRect(d->hDC, &d->rcItem, b);
                DeleteObject(b);
            }
            return TRUE;
        }
        default:
            break;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* parentClass()
{
    static const char* name = [] {
        WNDCLASSA wc {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = parentProc;
        wc.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
        wc.lpszClassName = "ListTestParent";
        RegisterClassA(&wc);
        return "ListTestParent";
    }();
    return name;
}

} // namespace

Parent::Parent(int x, int y, int cx, int cy)
{
    g_parent = this;
    hwnd = CreateWindowExA(0, parentClass(), "test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, cx, cy, nullptr,
        nullptr, nullptr, nullptr);
    pump();
}

Parent::~Parent()
{
    if (GetCapture())
        ReleaseCapture();
    DestroyWindow(hwnd);
    pump();
    g_parent = nullptr;
}

HWND Parent::child(const char* cls, DWORD style, int id, int x, int y, int cx, int cy, DWORD exStyle)
{
    HWND h = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, hwnd,
        HMENU(INT_PTR(id)), nullptr, nullptr);
    pump();
    return h;
}

std::vector<int> Parent::codesFrom(int id) const
{
    std::vector<int> codes;
    for (const Command& c : commands)
        if (c.id == id)
            codes.push_back(c.code);
    return codes;
}

void Parent::clear()
{
    commands.clear();
    notices.clear();
    noticeHeaders.clear();
    drawn.clear();
}

void doubleClickAt(HWND hwnd, int x, int y)
{
    POINT p = screenPoint(hwnd, x, y);
    harness::doubleClick(p.x, p.y);
    pump();
}

void press(UINT key)
{
    harness::pressKey(key);
    pump();
}

void pressWith(UINT modifier, UINT key)
{
    harness::keyDown(modifier);
    harness::pressKey(key);
    harness::keyUp(modifier);
    pump();
}

void clickWith(UINT modifier, HWND hwnd, int x, int y)
{
    harness::keyDown(modifier);
    pump();
    clickAt(hwnd, x, y);
    harness::keyUp(modifier);
    pump();
}

} // namespace listtest
