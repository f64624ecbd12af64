// lstrcmpA / lstrcmpiA: the locale-style order the game sorts names and file lists by.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

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

// Reads the character at p and moves past it. Lists are sorted a pair at a time many times over,
// so the levels below walk the text in place rather than collecting its characters.
SortChar nextChar(const unsigned char*& p)
{
    SortChar c;
    if (platform::isCp932LeadByte(*p) && p[1] != 0) {
        c.code = unsigned(p[0]) << 8 | p[1];
        c.group = 5;
        c.value = c.code;
        p += 2;
        return c;
    }
    const unsigned char byte = *p++;
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
    return c;
}

// The next character that is not an ignorable mark; false at the end of the text.
bool nextSignificant(const unsigned char*& p, SortChar& c)
{
    while (*p) {
        c = nextChar(p);
        if (!c.ignorable)
            return true;
    }
    return false;
}

int sign(long long difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

// Compares the marks-free texts by the weight `level` picks; a text that runs out first is less.
template <typename Level>
int compareSignificant(const unsigned char* a, const unsigned char* b, Level level)
{
    SortChar l, r;
    for (;;) {
        const bool hasLeft = nextSignificant(a, l);
        const bool hasRight = nextSignificant(b, r);
        if (!hasLeft || !hasRight)
            return hasLeft ? 1 : hasRight ? -1 : 0;
        if (int order = level(l, r))
            return order;
    }
}

int collate(const char* left, const char* right, bool ignoreCase)
{
    const auto* a = reinterpret_cast<const unsigned char*>(left ? left : "");
    const auto* b = reinterpret_cast<const unsigned char*>(right ? right : "");
    // Whole characters the two texts share at their start weigh the same at every level.
    while (*a && *a == *b) {
        const bool pair = platform::isCp932LeadByte(*a) && a[1] != 0;
        if (pair && a[1] != b[1])
            break;
        a += pair ? 2 : 1;
        b += pair ? 2 : 1;
    }
    if (!*a && !*b)
        return 0;
    if (int order = compareSignificant(a, b, [](const SortChar& l, const SortChar& r) {
            return l.group != r.group ? sign(l.group - r.group) : sign((long long)l.value - r.value);
        }))
        return order;
    if (!ignoreCase)
        if (int order = compareSignificant(a, b, [](const SortChar& l, const SortChar& r) { return sign(l.caseRank - r.caseRank); }))
            return order;
    // Only the ignorable marks differ: fewer marks first, then their places and kinds.
    const unsigned char* p = a;
    const unsigned char* q = b;
    long long count = 0;
    while (*p)
        nextChar(p), ++count;
    while (*q)
        nextChar(q), --count;
    if (count)
        return sign(count);
    while (*a) {
        const SortChar l = nextChar(a);
        const SortChar r = nextChar(b);
        const unsigned lc = ignoreCase && l.group == 3 ? l.value : l.code;
        const unsigned rc = ignoreCase && r.group == 3 ? r.value : r.code;
        if (lc != rc)
            return l.ignorable != r.ignorable ? (l.ignorable ? 1 : -1) : sign((long long)lc - rc);
    }
    return 0;
}

} // namespace

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return collate(lpString1, lpString2, false); }

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return collate(lpString1, lpString2, true); }
