// The async key state.
#include "platform/desktop/key_state.h"

namespace platform::desktop {

void KeyState::press(UINT virtualKey)
{
    if (virtualKey >= 256)
        return;
    m_down[virtualKey] = true;
    m_pressed[virtualKey] = true;
}

void KeyState::release(UINT virtualKey)
{
    if (virtualKey < 256)
        m_down[virtualKey] = false;
}

bool KeyState::isDown(UINT virtualKey) const
{
    return virtualKey < 256 && m_down[virtualKey];
}

bool KeyState::takePressed(UINT virtualKey)
{
    return virtualKey < 256 && m_pressed[virtualKey].exchange(false);
}

} // namespace platform::desktop
