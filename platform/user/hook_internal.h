// Thread hooks as the queue calls them when input or messages are retrieved.
#pragma once

#include "platform/user/queue.h"

namespace platform::user {

// Each returns true when a hook swallowed the message.
bool callKeyboardHooks(ThreadQueue& queue, bool remove, WPARAM virtualKey, LPARAM keyData);
bool callMouseHooks(ThreadQueue& queue, bool remove, UINT message, MOUSEHOOKSTRUCT& info);
void callGetMessageHooks(ThreadQueue& queue, MSG& msg, UINT removeFlag);

} // namespace platform::user
