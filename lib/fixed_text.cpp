// Fixed-point text: writing and reading the numbers of the settings and editor fields.
#include "lib/fixed_text.h"

#include "lib/window.h"

#include <climits>
#include <cstdio>
#include <algorithm>
#include <cstdlib>

namespace {

int decimalsOf(int scale)
{
    switch (scale) {
    case 10: return 1;
    case 100: return 2;
    case 1000: return 3;
    default: return 0;
    }
}

int clampToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string formatFixedText(int value, int scale)
{
    int decimals = decimalsOf(scale);
    char text[32];
    if (decimals == 0) {
        std::snprintf(text, sizeof text, "%d", value);
        return text;
    }
    // The sign is written by itself: -5 at scale 1000 has no whole part to carry it.
    long long magnitude = std::llabs(static_cast<long long>(value));
    std::snprintf(text, sizeof text, "%s%lld.%0*lld", value < 0 ? "-" : "", magnitude / scale, decimals,
        magnitude % scale);
    return text;
}

int parseFixedText(std::string_view text, int scale)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        whole = std::min(whole * 10 + (text[i] - '0'), 1LL << 31);
    long long magnitude = whole * scale;
    if (i < text.size() && text[i] == '.') {
        // The typed digits are a fraction of one: "1.5" at scale 1000 is 1500.
        ++i;
        long long numerator = 0;
        long long denominator = 1;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            if (denominator < 1000000000LL) {
                numerator = numerator * 10 + (text[i] - '0');
                denominator *= 10;
            }
        }
        magnitude += numerator * scale / denominator;
    }
    return clampToInt(negative ? -magnitude : magnitude);
}

void swCWindow::windowSetFixedText(int value, int scale)
{
    SetWindowTextA(m_handle, formatFixedText(value, scale).c_str());
}

int swCWindow::windowGetFixedValue(int scale) const
{
    char text[64] = {};
    GetWindowTextA(m_handle, text, sizeof text);
    return parseFixedText(text, scale);
}
