// The modal-idle guard, the game's message box and the centring of dialogs.
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

int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style)
{
    ModalIdleOff idle;
    return MessageBoxA(owner ? owner->handle() : nullptr, text, caption, style);
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
