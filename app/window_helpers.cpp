// The main window's done event.
#include "app/window_helpers.h"

#include "platform/windows.h"
#include "state/handshake_wait.h"

#include <mutex>

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
