// Rectangle adjustments used by the drawing code.
#include "lib/rect.h"

void rectDeflate(RECT& rect, LONG n)
{
    rect.left += n;
    rect.top += n;
    rect.right -= n;
    rect.bottom -= n;
}

void rectMoveX(RECT& rect, LONG dx)
{
    rect.left += dx;
    rect.right += dx;
}

void rectMoveY(RECT& rect, LONG dy)
{
    rect.top += dy;
    rect.bottom += dy;
}
