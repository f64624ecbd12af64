// Nested message loops of a thread: modal dialogs, message boxes, menus and mouse captures. A window
// asked to go while one runs must not be destroyed under the code that waits in it.
#pragma once

namespace platform {

// How many nested loops the calling thread is running now (0 in its own top-level loop).
int modalLoopDepth();

// Counts one nested loop for its lifetime.
class ModalLoopScope {
public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

} // namespace platform
