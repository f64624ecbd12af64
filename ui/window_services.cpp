// The modal-idle guard, the game's message box and the lists' row snapping.
#include "ui/window_services.h"

#include "lib/file.h"
#include "lib/window.h"
#include "platform/kernel/host.h"
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

bool mayWriteOver(HWND owner, const std::string& path)
{
    if (!fileExists(path.c_str()))
        return true;
    ModalIdleOff idle;
    // No is the default: Enter alone must not destroy the file.
    return MessageBoxA(owner, platform::utf8ToCp932("同じ名前のファイルが存在しています。\n上書きしますか？").c_str(),
               platform::utf8ToCp932("確認").c_str(), MB_YESNO | MB_DEFBUTTON2)
        == IDYES;
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
