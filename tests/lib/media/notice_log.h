// Collects the media area's posted notices so tests can wait for one.
#pragma once

#include "platform/media/notify.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace testing_media {

struct Notice {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class NoticeLog {
public:
    NoticeLog()
    {
        platform::media::setNoticeObserver([this](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            std::lock_guard lock(m_mutex);
            m_notices.push_back({w, m, wp, lp});
            m_changed.notify_all();
        });
    }
    ~NoticeLog() { platform::media::setNoticeObserver(nullptr); }

    // Waits (generously) until `count` notices have arrived; returns what arrived.
    std::vector<Notice> waitFor(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, timeout, [&] { return m_notices.size() >= count; });
        return m_notices;
    }
    std::vector<Notice> now()
    {
        std::lock_guard lock(m_mutex);
        return m_notices;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Notice> m_notices;
};

} // namespace testing_media
