// The look the tool palette and the command palette share.
#pragma once

#include "platform/gdi/wingdi.h"

// The dark green behind both palettes' buttons.
constexpr COLORREF kPaletteBackground = RGB(24, 28, 22);
