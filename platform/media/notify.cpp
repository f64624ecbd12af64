// Notice posting through the window system's queues.
#include "platform/media/notify.h"

#ifdef DERAZODO_HAVE_USER
#include "platform/user/winuser.h"
#endif

#include <mutex>

namespace platform::media {
namespace {
std::mutex g_observerMutex;
NoticeObserver* g_observer = nullptr;
} // namespace

void setNoticeObserver(NoticeObserver observer)
{
    std::lock_guard lock(g_observerMutex);
    delete g_observer;
    g_observer = observer ? new NoticeObserver(std::move(observer)) : nullptr;
}

void postNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard lock(g_observerMutex);
        if (g_observer)
            (*g_observer)(window, message, wParam, lParam);
    }
#ifdef DERAZODO_HAVE_USER
    if (window)
        PostMessageA(window, message, wParam, lParam);
#endif
}

} // namespace platform::media
