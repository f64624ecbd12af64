// The count of nested message loops per thread.
#include "platform/user/modal_loop.h"

namespace platform {

namespace {

thread_local int t_depth = 0;

} // namespace

int modalLoopDepth() { return t_depth; }

ModalLoopScope::ModalLoopScope() { ++t_depth; }

ModalLoopScope::~ModalLoopScope() { --t_depth; }

} // namespace platform
