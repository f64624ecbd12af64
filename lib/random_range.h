// randomRange: a number from the runtime generator (per thread), not the game's recorded pool.
#pragma once

// A value from lo to hi inclusive. A full 32-bit span (hi - lo + 1 == 0) uses 65535 as divisor.
unsigned int randomRange(unsigned int lo, unsigned int hi);
