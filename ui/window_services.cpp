// The modal-idle guard, the game's message box and the lists' row snapping.
#include "ui/window_services.h"

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

void snapHeightToRows(RECT& rect, WPARAM edge, int fixedHeight, int rowHeight)
{
    const int spare = int(rect.bottom - rect.top) - fixedHeight;
    const int height = fixedHeight + (spare > 0 ? spare / rowHeight * rowHeight : 0);
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
        rect.top = rect.bottom - height;
    else
        rect.bottom = rect.top + height;
}
