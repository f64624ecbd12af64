// Posting the media area's notices (MM_MCINOTIFY) to a window's queue.
#pragma once

#include "platform/kernel/windef.h"

#include <functional>

namespace platform::media {

// Posts with PostMessageA; a null window gets nothing.
void postNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Tests: sees every notice as it is posted (whether or not a window system is linked).
using NoticeObserver = std::function<void(HWND, UINT, WPARAM, LPARAM)>;
void setNoticeObserver(NoticeObserver observer);

} // namespace platform::media
