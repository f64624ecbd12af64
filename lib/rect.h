// Rectangle adjustments used by the drawing code.
#pragma once

#include "platform/kernel/windef.h"

// Left and top grow by n, right and bottom shrink by n.
void rectDeflate(RECT& rect, LONG n);
void rectMoveX(RECT& rect, LONG dx);
void rectMoveY(RECT& rect, LONG dy);
