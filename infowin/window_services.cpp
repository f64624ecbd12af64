// The modal-idle guard, the game's message box and the centring of dialogs.
#include "infowin/window_services.h"

#include "infowin/info_window_frame.h"
#include "lib/window.h"
#include "state/game_state.h"

ModalIdleOff::ModalIdleOff()
{
    if (g_gameState) {
        m_saved = g_gameState->modalIdle();
        g_gameState->setModalIdle(false);
    }
}

ModalIdleOff::~ModalIdleOff()
{
    if (g_gameState)
        g_gameState->setModalIdle(m_saved);
}

void placeInfoWindow(swCWindow& window, const char* placementPrefix, int clientWidth, int clientHeight)
{
    HWND handle = window.handle();
    const POINT origin = info_window::defaultOrigin(window);
    RECT placed {};
    GetWindowRect(handle, &placed);
    MoveWindow(handle, origin.x, origin.y, placed.right - placed.left, placed.bottom - placed.top, FALSE);
    window.windowRestorePlacement(placementPrefix, false, false);
    RECT frame { 0, 0, clientWidth, clientHeight };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle, GWL_STYLE)), FALSE, DWORD(GetWindowLongPtrA(handle, GWL_EXSTYLE)));
    GetWindowRect(handle, &placed);
    window.windowFitWorkArea(placed.left, placed.top, frame.right - frame.left, frame.bottom - frame.top, FALSE, 1);
}

int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style)
{
    ModalIdleOff idle;
    return MessageBoxA(owner ? owner->handle() : nullptr, text, caption, style);
}

void centreDialogOver(HWND dialog, HWND owner, int clientWidth, int clientHeight)
{
    RECT frame { 0, 0, clientWidth, clientHeight };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE, DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT area {};
    if (owner) {
        GetClientRect(owner, &area);
        MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT placed { area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2, 0, 0 };
    placed.right = placed.left + width;
    placed.bottom = placed.top + height;
    keepRectInWorkArea(placed);
    MoveWindow(dialog, placed.left, placed.top, width, height, FALSE);
}

void snapHeightToRows(RECT& rect, WPARAM edge, int fixedHeight, int rowHeight)
{
    const int spare = int(rect.bottom - rect.top) - fixedHeight;
    const int height = fixedHeight + (spare > 0 ? spare / rowHeight * rowHeight : 0);
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        rect.top = rect.bottom - height;
    else
        rect.bottom = rect.top + height;
}

void centreOnParent(swCWindow& window, int width, int height)
{
    HWND handle = window.handle();
    RECT frame { 0, 0, width, height };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle, GWL_STYLE)), FALSE, DWORD(GetWindowLongPtrA(handle, GWL_EXSTYLE)));
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    RECT area {};
    if (window.parent() && window.parent()->handle()) {
        GetClientRect(window.parent()->handle(), &area);
        MapWindowPoints(window.parent()->handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    window.windowFitWorkArea(area.left + (area.right - area.left - outerWidth) / 2,
        area.top + (area.bottom - area.top - outerHeight) / 2, outerWidth, outerHeight, FALSE, 1);
}

int handleDrawnDialogMessage(swCWindow& dialog, MessageRecord& msg, const char* placementPrefix, UINT_PTR playTimer,
    const std::function<void(HDC)>& paint, const std::function<void()>& close)
{
    switch (msg.message) {
    case WM_PAINT: {
        PAINTSTRUCT ps {};
        HDC dc = BeginPaint(dialog.handle(), &ps);
        paint(dc);
        EndPaint(dialog.handle(), &ps);
        return 1;
    }
    case WM_ERASEBKGND:
        paint(reinterpret_cast<HDC>(msg.wParam));
        msg.result = 1;
        return 1;
    case WM_CLOSE:
    case WM_RBUTTONDOWN:
        close();
        return 1;
    case WM_MOVING:
        keepRectInWorkArea(*reinterpret_cast<RECT*>(msg.lParam));
        msg.result = TRUE;
        return 1;
    case WM_DESTROY:
        KillTimer(dialog.handle(), playTimer);
        dialog.windowSavePlacement(placementPrefix);
        return 0;
    default:
        return 0;
    }
}
