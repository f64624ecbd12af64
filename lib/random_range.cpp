// randomRange over the runtime's per-thread generator.
#include "lib/random_range.h"

#include "platform/kernel/host.h"

unsigned int randomRange(unsigned int lo, unsigned int hi)
{
    unsigned int span = hi - lo + 1;
    if (span == 0)
        span = 65535;
    return unsigned(platform::crtRand()) % span + lo;
}
