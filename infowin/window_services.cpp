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

int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style)
{
    ModalIdleOff idle;
    return MessageBoxA(owner ? owner->handle() : nullptr, text, caption, style);
}
