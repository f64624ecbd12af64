// Text operations on CP932 strings that step over double-byte characters.
#include "state/state_accessors.h"

namespace {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

} // namespace

void lowerCaseAscii(std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte(c))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            text[i] = char(c - 'A' + 'a');
    }
}

void trimFullWidthSpaces(std::string& text)
{
    // The full-width space is 0x81 0x40 in CP932.
    size_t cut = text.size();
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool lead = isLeadByte(c) && i + 1 < text.size();
        bool space = c == ' ' || (lead && c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40);
        if (!space)
            cut = text.size();
        else if (cut == text.size())
            cut = i;
        i += lead ? 2 : 1;
    }
    text.resize(cut);
}

std::string pathFileNamePart(const std::string& path)
{
    size_t after = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (isLeadByte(c))
            ++i;
        else if (c == '\\')
            after = i + 1;
    }
    return after == std::string::npos ? std::string() : path.substr(after);
}

bool isMidiFileName(const std::string& name)
{
    if (name.size() < 5)
        return false;
    std::string end = name.substr(name.size() - 4);
    lowerCaseAscii(end);
    return end == ".mid";
}
