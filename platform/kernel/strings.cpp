// CP932-aware string helpers: lead bytes, character steps, copies and MulDiv.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cstdint>
#include <cstring>

namespace {

// Length of the character at p: 2 for a lead byte followed by a byte that is not the terminator.
size_t charLength(const char* p)
{
    return platform::isCp932LeadByte(uint8_t(p[0])) && p[1] != '\0' ? 2 : 1;
}

} // namespace

BOOL IsDBCSLeadByte(BYTE TestChar) { return platform::isCp932LeadByte(TestChar) ? TRUE : FALSE; }

LPSTR CharNextA(LPCSTR lpsz)
{
    if (*lpsz == '\0')
        return const_cast<LPSTR>(lpsz);
    return const_cast<LPSTR>(lpsz + charLength(lpsz));
}

LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent)
{
    if (lpszCurrent <= lpszStart)
        return const_cast<LPSTR>(lpszStart);
    // Lead bytes can also be trail bytes, so walk forward from the start.
    const char* p = lpszStart;
    for (;;) {
        const char* next = p + charLength(p);
        if (next >= lpszCurrent || *p == '\0')
            return const_cast<LPSTR>(p);
        p = next;
    }
}

int lstrlenA(LPCSTR lpString) { return lpString ? int(std::strlen(lpString)) : 0; }

LPSTR lstrcpyA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return std::strcpy(lpString1, lpString2);
}

LPSTR lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (!lpString1 || !lpString2 || iMaxLength <= 0)
        return iMaxLength == 0 ? lpString1 : nullptr;
    // Never ends the copy on half of a double-byte character.
    size_t limit = size_t(iMaxLength) - 1;
    size_t length = 0;
    while (lpString2[length] != '\0') {
        size_t step = charLength(lpString2 + length);
        if (length + step > limit)
            break;
        length += step;
    }
    std::memcpy(lpString1, lpString2, length);
    lpString1[length] = '\0';
    return lpString1;
}

LPSTR lstrcatA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return std::strcat(lpString1, lpString2);
}

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    int64_t product = int64_t(nNumber) * nNumerator;
    int64_t denominator = nDenominator;
    if (denominator < 0) {
        product = -product;
        denominator = -denominator;
    }
    // Rounds half away from zero.
    int64_t half = denominator / 2;
    int64_t result = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int(result);
}
