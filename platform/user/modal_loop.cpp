// The count of nested message loops per thread.
#include "platform/user/modal_loop.h"

namespace platform {

namespace {

thread_local int t_depth = 0;

} // namespace

int modalLoopDepth() { return t_depth; }

ModalLoopScope::ModalLoopScope() { ++t_depth; }

ModalLoopScope::~ModalLoopScope() { --t_depth; }

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
