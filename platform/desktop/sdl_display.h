// The display under the sdl backend's window may go away (an X server that ends, a lost remote
// session), or another client may destroy the window. The X library would then end the process
// from inside the call that met the loss or the error.
#pragma once

#include <atomic>

struct SDL_Window;

namespace platform::desktop {

// Has the loss of the window's X display, or of the window itself, set `lost` and return to its
// caller instead. False when the window is on no X display or the X library cannot be told so.
bool watchDisplayLoss(SDL_Window* window, std::atomic<bool>& lost);

} // namespace platform::desktop
