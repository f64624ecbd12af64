// The kit's answers to the common messages, and the placement and centring of the game's windows.
#include "ui/window_kit.h"

#include "lib/dialog_base.h"
#include "lib/media/dc_holders.h"
#include "lib/profile.h"
#include "lib/window_services.h"
#include "platform/kernel/host.h"
#include "ui/main_window_services.h"

#include <climits>

namespace ui {
namespace {

// The main window's side panel, beside which information windows open by default.
constexpr int kLeftPanelWidth = 216;
// The property that marks a window the game put up by itself.
constexpr char kGameShown[] = "GameShown";

bool isLeftClick(WPARAM notice) { return LOWORD(notice) == WM_LBUTTONDOWN; }
bool isRightClick(WPARAM notice) { return LOWORD(notice) == WM_RBUTTONDOWN; }

// The control that had the keyboard when the window was left.
constexpr char kLastFocus[] = "LastFocus";

// A top-level window that is no dialog hands the keyboard on to one of its controls, as a dialog
// does, so that the keys act where a person can see it.
bool passesKeyboardOn(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) != "#32770" && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

// The control the window hands the keyboard on to: the one that had it when the window was left,
// else the first Tab stop; null when it has none.
HWND keyboardHome(HWND window)
{
    HWND last = HWND(GetPropA(window, kLastFocus));
    if (last && IsWindow(last) && IsChild(window, last) && IsWindowVisible(last) && IsWindowEnabled(last))
        return last;
    return GetNextDlgTabItem(window, nullptr, FALSE);
}

RECT outerFrame(HWND window, SIZE client)
{
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return frame;
}

int keptCoordinate(const char* key, const char* name)
{
    const std::string full = std::string(key ? key : "") + name;
    return swCProfileKey("WindowInfo", full.c_str()).profileReadInt(INT_MIN);
}

// The screen rectangle a window is centred in.
RECT centringArea(HWND owner, CentreOver over)
{
    RECT area {};
    if (over == CentreOver::MainWindow) {
        HWND chosen = mainWindowServices().mainWindow();
        if (!chosen || !IsWindow(chosen))
            chosen = owner;
        if (chosen && IsWindow(chosen) && !IsIconic(chosen) && GetClientRect(chosen, &area)) {
            MapWindowPoints(chosen, nullptr, reinterpret_cast<POINT*>(&area), 2);
            return area;
        }
        return { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    }
    if (owner) {
        GetClientRect(owner, &area);
        MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    return area;
}

} // namespace

Answer answerCommonMessage(swCWindow& window, KitHooks& hooks, MessageRecord& msg)
{
    const WindowDescription& description = hooks.description();
    const bool closes = description.closing != Closing::Unanswered;
    switch (msg.message) {
    case WM_PAINT: {
        if (!description.drawn && !description.painted)
            return Answer::None;
        PaintDcHolder paint(window.handle());
        if (paint.dc())
            hooks.paint(paint.dc(), paint.paint().rcPaint);
        return Answer::Taken;
    }
    case WM_ERASEBKGND: {
        hooks.erasingBackground();
        if (!description.drawn)
            return Answer::None;
        RECT update {};
        if (!GetUpdateRect(window.handle(), &update, FALSE))
            GetClientRect(window.handle(), &update);
        hooks.showPicture(reinterpret_cast<HDC>(msg.wParam), update);
        msg.result = 1;
        return Answer::Taken;
    }
    case WM_MOVING:
        if (auto* rect = reinterpret_cast<RECT*>(msg.lParam))
            keepRectInWorkArea(*rect);
        msg.result = TRUE;
        return Answer::Taken;
    case WM_NCHITTEST:
        if (description.drag != Drag::Anywhere)
            return Answer::None;
        msg.result = HTCAPTION;
        return Answer::Taken;
    case WM_LBUTTONDOWN:
        if (!description.floating)
            return Answer::None;
        hooks.raise();
        return Answer::Taken;
    case WM_PARENTNOTIFY:
        if (!description.floating)
            return Answer::None;
        if (isLeftClick(msg.wParam))
            hooks.raise();
        else if (isRightClick(msg.wParam) && closes)
            hooks.closeGesture();
        return Answer::Seen;
    case WM_NCRBUTTONDOWN:
        // A body dragged anywhere turns its right clicks into these; a caption keeps its own
        // unless told.
        if ((description.drag != Drag::Anywhere && !description.captionRightClickCloses) || !closes)
            return Answer::None;
        hooks.closeGesture();
        return Answer::Taken;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if ((msg.message == WM_RBUTTONUP) != description.closeOnRightRelease)
            return Answer::None;
        [[fallthrough]];
    case WM_CLOSE:
        if (!closes)
            return Answer::None;
        hooks.closeGesture();
        return Answer::Taken;
    case WM_SYSCOMMAND: {
        // A window the game put up is not the person's to close: their close (Alt+F4) is the
        // program's, asked of the main window as its own close box asks.
        const HWND main = GetAncestor(window.handle(), GA_ROOTOWNER);
        if ((msg.wParam & 0xFFF0) != SC_CLOSE || !GetPropA(window.handle(), kGameShown) || !main || main == window.handle())
            return Answer::None;
        PostMessageA(main, WM_CLOSE, 0, 0);
        return Answer::Taken;
    }
    case WM_ACTIVATE:
        if (LOWORD(msg.wParam) == WA_INACTIVE && IsChild(window.handle(), GetFocus()))
            SetPropA(window.handle(), kLastFocus, GetFocus());
        return Answer::None;
    case WM_SETFOCUS:
        if (!passesKeyboardOn(window.handle()))
            return Answer::None;
        if (HWND home = keyboardHome(window.handle()))
            SetFocus(home);
        return Answer::Taken;
    case WM_DESTROY:
        RemovePropA(window.handle(), kLastFocus);
        hooks.destroying();
        if (description.placementKey)
            window.windowSavePlacement(description.placementKey);
        return Answer::Seen;
    default:
        return Answer::None;
    }
}

void showBitmap(HDC dc, const RECT& area, HBITMAP bitmap)
{
    if (bitmap && dc)
        PaletteHolder(dc).blitBitmap(area.left, area.top, bitmap, area);
}

void endWindow(swCWindow& window, INT_PTR result)
{
    if (auto* dialog = dynamic_cast<DialogBase*>(&window)) {
        dialog->setResult(result);
        dialog->close();
    } else if (auto* modal = dynamic_cast<swCDialog*>(&window)) {
        modal->setResult(result);
        modal->DestroyModal();
    } else {
        window.Destroy();
    }
}

void closeAsDescribed(swCWindow& window, const WindowDescription& description)
{
    switch (description.closing) {
    case Closing::EndModal:
        endWindow(window, description.closeResult);
        break;
    case Closing::AskOwner:
        postToOwner(window, description.closeRequest);
        break;
    case Closing::Itself:
    case Closing::Unanswered:
        break;
    }
}

POINT infoWindowOrigin(const swCWindow& window, bool besideLeftPanel)
{
    POINT origin { besideLeftPanel ? kLeftPanelWidth : GetSystemMetrics(SM_CXVSCROLL), 0 };
    if (window.parent() && window.parent()->handle())
        ClientToScreen(window.parent()->handle(), &origin);
    return origin;
}

void placeInfoWindow(swCWindow& window, const char* placementKey, SIZE client, bool besideLeftPanel, BOOL repaint)
{
    const RECT frame = outerFrame(window.handle(), client);
    POINT origin { keptCoordinate(placementKey, "WindowPosLeft"), keptCoordinate(placementKey, "WindowPosTop") };
    if (origin.x == INT_MIN || origin.y == INT_MIN)
        origin = infoWindowOrigin(window, besideLeftPanel);
    window.windowFitWorkArea(origin.x, origin.y, frame.right - frame.left, frame.bottom - frame.top, repaint, 1);
}

RECT restoreInfoWindow(swCWindow& window, const char* placementKey, SIZE defaultSize, bool besideLeftPanel)
{
    const POINT origin = infoWindowOrigin(window, besideLeftPanel);
    MoveWindow(window.handle(), origin.x, origin.y, defaultSize.cx, defaultSize.cy, FALSE);
    window.windowRestorePlacement(placementKey, true, false);
    RECT placed {};
    GetWindowRect(window.handle(), &placed);
    return placed;
}

void fitInWorkArea(swCWindow& window, const RECT& rect)
{
    window.windowFitWorkArea(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE, 1);
}

RECT centredWindowRect(HWND owner, SIZE client, DWORD style, DWORD exStyle, Centring how)
{
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT area = centringArea(owner, how.over);
    int left = 0;
    int top = 0;
    if (how.client) {
        // The client area is centred: an uneven frame sits off centre.
        left = (area.left + area.right) / 2 - client.cx / 2 + frame.left;
        top = (area.top + area.bottom) / 2 - client.cy / 2 + frame.top;
    } else {
        left = area.left + (area.right - area.left - width) / 2;
        top = area.top + (area.bottom - area.top - height) / 2;
    }
    return { left, top, left + width, top + height };
}

void centreWindow(swCWindow& window, HWND owner, SIZE client, Centring how)
{
    HWND handle = window.handle();
    const RECT r = centredWindowRect(owner, client, DWORD(GetWindowLongPtrA(handle, GWL_STYLE)),
        DWORD(GetWindowLongPtrA(handle, GWL_EXSTYLE)), how);
    window.windowFitWorkArea(r.left, r.top, r.right - r.left, r.bottom - r.top, how.repaint, 1);
}

void showOverOwner(const swCWindow& window, swCError* error)
{
    error->Show(window.parent() ? window.parent()->handle() : nullptr);
    delete error;
}

void markGameShown(HWND window) { SetPropA(window, kGameShown, HANDLE(1)); }

HWND personsWindowOver(HWND gameWindow)
{
    const HWND main = GetAncestor(gameWindow, GA_ROOTOWNER);
    const HWND active = GetActiveWindow();
    const bool persons = main && main != gameWindow && !IsWindowEnabled(main) && active && active != main
        && !GetPropA(active, kGameShown);
    return persons ? active : nullptr;
}

void showGameWindow(HWND window, int command)
{
    markGameShown(window);
    if (HWND persons = personsWindowOver(window))
        SetWindowPos(window, persons, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        ShowWindow(window, command);
}

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

} // namespace ui
