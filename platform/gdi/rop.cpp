// Ternary raster operations over rows of 24-bit colours, with direct loops for the common codes.
#include "platform/gdi/rop.h"

namespace platform::gdi {

void applyRop3(uint8_t index, const uint32_t* p, const uint32_t* s, uint32_t* d, int n)
{
    switch (index) {
    case 0x00:
        for (int i = 0; i < n; ++i)
            d[i] = 0;
        return;
    case 0xFF:
        for (int i = 0; i < n; ++i)
            d[i] = 0xFFFFFF;
        return;
    case 0xCC:
        for (int i = 0; i < n; ++i)
            d[i] = s[i];
        return;
    case 0x88:
        for (int i = 0; i < n; ++i)
            d[i] &= s[i];
        return;
    case 0xEE:
        for (int i = 0; i < n; ++i)
            d[i] |= s[i];
        return;
    case 0x66:
        for (int i = 0; i < n; ++i)
            d[i] ^= s[i];
        return;
    case 0x44:
        for (int i = 0; i < n; ++i)
            d[i] = s[i] & ~d[i] & 0xFFFFFF;
        return;
    case 0x33:
        for (int i = 0; i < n; ++i)
            d[i] = ~s[i] & 0xFFFFFF;
        return;
    case 0xBB:
        for (int i = 0; i < n; ++i)
            d[i] = (~s[i] | d[i]) & 0xFFFFFF;
        return;
    case 0x55:
        for (int i = 0; i < n; ++i)
            d[i] = ~d[i] & 0xFFFFFF;
        return;
    case 0xF0:
        for (int i = 0; i < n; ++i)
            d[i] = p[i];
        return;
    case 0x5A:
        for (int i = 0; i < n; ++i)
            d[i] ^= p[i];
        return;
    default:
        break;
    }
    // Any other code: the sum of the minterms its bits select.
    for (int i = 0; i < n; ++i) {
        uint32_t pv = p ? p[i] : 0, sv = s ? s[i] : 0, dv = d[i];
        uint32_t result = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (!(index & (1 << bit)))
                continue;
            uint32_t term = (bit & 4 ? pv : ~pv) & (bit & 2 ? sv : ~sv) & (bit & 1 ? dv : ~dv);
            result |= term;
        }
        d[i] = result & 0xFFFFFF;
    }
}

} // namespace platform::gdi
