// Raster operations: ternary codes (pattern, source, destination) and binary pen codes.
#pragma once

#include "platform/kernel/windef.h"

#include <cstdint>

namespace platform::gdi {

// The operation index of a ternary raster code is its third byte.
inline uint8_t ropIndex(DWORD rop) { return uint8_t(rop >> 16); }
inline bool ropUsesSource(DWORD rop) { return ((ropIndex(rop) >> 2) ^ ropIndex(rop)) & 0x33; }
inline bool ropUsesPattern(DWORD rop) { return ((ropIndex(rop) >> 4) ^ ropIndex(rop)) & 0x0F; }

// D[i] = rop(P[i], S[i], D[i]) on 24-bit colours; P or S may be null when the code ignores them.
void applyRop3(uint8_t index, const uint32_t* pattern, const uint32_t* source, uint32_t* dest, int n);

// R2_ codes 1..16: the code minus one is the truth table over (pen, destination).
inline uint32_t applyRop2(int rop2, uint32_t pen, uint32_t dest)
{
    unsigned table = unsigned(rop2 - 1) & 15;
    uint32_t result = 0;
    if (table & 1)
        result |= ~pen & ~dest;
    if (table & 2)
        result |= ~pen & dest;
    if (table & 4)
        result |= pen & ~dest;
    if (table & 8)
        result |= pen & dest;
    return result & 0xFFFFFF;
}

} // namespace platform::gdi
