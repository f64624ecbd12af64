// Rectangle adjustments used by the drawing code.
#pragma once

#include "platform/kernel/windef.h"

void rectDeflate(RECT& rect, LONG n);
void rectMoveX(RECT& rect, LONG dx);
void rectMoveY(RECT& rect, LONG dy);
