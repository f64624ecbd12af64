// Small window services: work-area fitting, the game's message box, the open-file hook, the done event.
#include "app/window_helpers.h"

#include "lib/file.h"
#include "lib/window.h"
#include "platform/commdlg/commdlg.h"
#include "state/game_state.h"
#include "state/handshake_wait.h"

#include <algorithm>
#include <mutex>

void keepRectInWorkArea(RECT& rect)
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    // The right and bottom edges first, so that a window larger than the area keeps its top-left
    // corner visible.
    LONG left = std::min(rect.left, area.right - width);
    LONG top = std::min(rect.top, area.bottom - height);
    left = std::max(left, area.left);
    top = std::max(top, area.top);
    rect = RECT { left, top, left + width, top + height };
}

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

UINT_PTR CALLBACK openFileHookProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return FALSE;
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (!notice || notice->hdr.code != CDN_FILEOK)
        return FALSE;
    char path[MAX_PATH] = {};
    SendMessageA(GetParent(dialog), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    if (fileExists(path))
        return FALSE;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
    return TRUE;
}

namespace {

std::mutex g_doneLock;
std::shared_ptr<UiWait> g_doneWait;

} // namespace

void setMainWindowDoneEvent(std::shared_ptr<UiWait> wait)
{
    std::lock_guard lock(g_doneLock);
    g_doneWait = std::move(wait);
}

bool mainWindowDoneEventPending()
{
    std::lock_guard lock(g_doneLock);
    return g_doneWait && !g_doneWait->done();
}

void signalMainWindowDoneEvent()
{
    std::shared_ptr<UiWait> wait;
    {
        std::lock_guard lock(g_doneLock);
        wait.swap(g_doneWait);
    }
    if (wait)
        wait->answer(0);
}
