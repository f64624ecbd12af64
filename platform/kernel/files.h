// Internal hooks of the file handles for CloseHandle.
#pragma once

#include <cstdint>

namespace platform {

bool closeFileHandle(uintptr_t value);

} // namespace platform
