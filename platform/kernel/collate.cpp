// lstrcmpA / lstrcmpiA: the locale-style order the game sorts names and file lists by.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cstdint>
#include <vector>

namespace {

// One character of CP932 text with its sort weights. Like the original platform's word sort:
// letters compare without case first (then lower case before upper case), symbols come before
// digits and digits before letters, and '-' and '\'' count only when all else is equal.
// Kana and kanji keep their code order.
struct SortChar {
    bool ignorable = false;
    int group = 0;
    unsigned value = 0;
    int caseRank = 0; // 0 lower case or caseless, 1 upper case
    unsigned code = 0;
};

std::vector<SortChar> sortChars(const char* text)
{
    std::vector<SortChar> chars;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;) {
        SortChar c;
        if (platform::isCp932LeadByte(*p) && p[1] != 0) {
            c.code = unsigned(p[0]) << 8 | p[1];
            c.group = 5;
            c.value = c.code;
            p += 2;
        } else {
            unsigned char byte = *p++;
            c.code = byte;
            c.value = byte;
            if (byte == '-' || byte == '\'') {
                c.ignorable = true;
            } else if (byte >= '0' && byte <= '9') {
                c.group = 2;
            } else if ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') {
                c.group = 3;
                c.value = byte | 0x20;
                c.caseRank = byte < 'a' ? 1 : 0;
            } else if (byte >= 0xA1 && byte <= 0xDF) {
                c.group = 4; // half-width kana
            } else {
                c.group = 1;
            }
        }
        chars.push_back(c);
    }
    return chars;
}

int sign(long long difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

int collate(const char* a, const char* b, bool ignoreCase)
{
    std::vector<SortChar> left = sortChars(a ? a : "");
    std::vector<SortChar> right = sortChars(b ? b : "");
    auto significant = [](const std::vector<SortChar>& chars) {
        std::vector<SortChar> result;
        for (const SortChar& c : chars)
            if (!c.ignorable)
                result.push_back(c);
        return result;
    };
    std::vector<SortChar> l = significant(left);
    std::vector<SortChar> r = significant(right);
    for (size_t i = 0; i < l.size() && i < r.size(); ++i) {
        if (l[i].group != r[i].group)
            return sign(l[i].group - r[i].group);
        if (l[i].value != r[i].value)
            return sign((long long)l[i].value - r[i].value);
    }
    if (l.size() != r.size())
        return sign((long long)l.size() - (long long)r.size());
    if (!ignoreCase)
        for (size_t i = 0; i < l.size(); ++i)
            if (l[i].caseRank != r[i].caseRank)
                return sign(l[i].caseRank - r[i].caseRank);
    // Only the ignorable marks differ: fewer marks first, then their places and kinds.
    if (left.size() != right.size())
        return sign((long long)left.size() - (long long)right.size());
    for (size_t i = 0; i < left.size(); ++i) {
        unsigned lc = ignoreCase && left[i].group == 3 ? left[i].value : left[i].code;
        unsigned rc = ignoreCase && right[i].group == 3 ? right[i].value : right[i].code;
        if (lc != rc)
            return left[i].ignorable != right[i].ignorable ? (left[i].ignorable ? 1 : -1) : sign((long long)lc - rc);
    }
    return 0;
}

} // namespace

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return collate(lpString1, lpString2, false); }

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return collate(lpString1, lpString2, true); }
