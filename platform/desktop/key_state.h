// The async key state the backends keep for GetAsyncKeyState.
#pragma once

#include "platform/kernel/windef.h"

#include <array>
#include <atomic>

namespace platform::desktop {

class KeyState {
public:
    void press(UINT virtualKey);
    void release(UINT virtualKey);
    bool isDown(UINT virtualKey) const;
    // True when the key went down since the previous call for that key; clears the mark.
    bool takePressed(UINT virtualKey);

private:
    std::array<std::atomic<bool>, 256> m_down {};
    std::array<std::atomic<bool>, 256> m_pressed {};
};

} // namespace platform::desktop
