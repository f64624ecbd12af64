// Wildcard matching for FindFirstFileA.
#include "platform/kernel/wildcard.h"
#include "platform/kernel/host.h"

#include <cstdint>
#include <vector>

namespace platform {

namespace {

// Splits CP932 text into characters, single-byte letters folded to upper case.
std::vector<uint16_t> characters(std::string_view text)
{
    std::vector<uint16_t> result;
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t byte = uint8_t(text[i]);
        if (isCp932LeadByte(byte) && i + 1 < text.size()) {
            result.push_back(uint16_t(byte << 8 | uint8_t(text[++i])));
        } else {
            result.push_back(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
        }
    }
    return result;
}

bool matchCharacters(const std::vector<uint16_t>& pattern, const std::vector<uint16_t>& name)
{
    size_t p = 0;
    size_t n = 0;
    size_t starP = SIZE_MAX;
    size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name)
{
    std::vector<uint16_t> nameChars = characters(name);
    if (matchCharacters(characters(pattern), nameChars))
        return true;
    bool hasDot = name.find('.') != std::string_view::npos;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
        return !hasDot && matchCharacters(characters(pattern.substr(0, pattern.size() - 2)), nameChars);
    if (pattern.size() >= 2 && pattern.back() == '.' && pattern != "..")
        return !hasDot && matchCharacters(characters(pattern.substr(0, pattern.size() - 1)), nameChars);
    return false;
}

} // namespace platform
