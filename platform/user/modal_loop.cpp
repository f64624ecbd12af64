// The count of nested message loops per thread.
#include "platform/user/modal_loop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

thread_local int t_depth = 0;
// The messages owed to the thread's top-level loop.
thread_local std::vector<MSG> t_unnested;

void postUnnested()
{
    for (const MSG& msg : std::exchange(t_unnested, {}))
        PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

} // namespace

int modalLoopDepth() { return t_depth; }

ModalLoopScope::ModalLoopScope() { ++t_depth; }

ModalLoopScope::~ModalLoopScope()
{
    if (--t_depth == 0)
        postUnnested();
}

void postWhenUnnested(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG msg { window, message, wParam, lParam, 0, {} };
    const bool kept = std::any_of(t_unnested.begin(), t_unnested.end(), [&](const MSG& owed) {
        return owed.hwnd == window && owed.message == message && owed.wParam == wParam && owed.lParam == lParam;
    });
    if (!kept)
        t_unnested.push_back(msg);
    if (t_depth == 0)
        postUnnested();
}

bool endsNestedLoop(const MSG& msg)
{
    if (msg.message != WM_QUIT)
        return false;
    PostQuitMessage(int(msg.wParam));
    return true;
}

bool getNestedMessage(MSG& msg)
{
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0)
        endsNestedLoop(msg);
    return got > 0;
}

} // namespace platform
