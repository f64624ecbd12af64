// The modal-idle guard and the game's message box.
#include "infowin/window_services.h"

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
    const bool leftPanel = !g_gameState || g_gameState->settings().leftInfoPanel;
    POINT origin { leftPanel ? 216 : GetSystemMetrics(SM_CXVSCROLL), 0 };
    if (window.parent() && window.parent()->handle())
        ClientToScreen(window.parent()->handle(), &origin);
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
