// SDL key codes to the virtual-key codes windows receive.
#pragma once

#include "platform/kernel/windef.h"

#include <cstdint>

namespace platform::desktop {

// 0 for keys the game never sees.
UINT virtualKeyFromSdl(int32_t sdlKeycode);

} // namespace platform::desktop
