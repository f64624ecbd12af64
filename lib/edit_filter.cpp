// Character sets of the edit control, aware of double-byte characters.
#include "lib/edit_filter.h"

#include "platform/kernel/host.h"

#include <algorithm>

std::vector<std::string_view> EditCharacterFilter::characters(std::string_view text)
{
    std::vector<std::string_view> out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = platform::isCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

EditCharacterFilter::Set EditCharacterFilter::makeSet(const char* text)
{
    if (!text)
        return std::nullopt;
    std::vector<std::string> set;
    for (std::string_view character : characters(text))
        set.emplace_back(character);
    return set;
}

void EditCharacterFilter::setAllowed(const char* text)
{
    m_allowed = makeSet(text);
}

void EditCharacterFilter::setRefused(const char* text)
{
    m_refused = makeSet(text);
}

bool EditCharacterFilter::contains(const Set& set, std::string_view character)
{
    return std::find(set->begin(), set->end(), character) != set->end();
}

bool EditCharacterFilter::accepts(std::string_view character) const
{
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x20)
        return true;
    if (m_allowed && !contains(m_allowed, character))
        return false;
    if (m_refused && contains(m_refused, character))
        return false;
    return true;
}

std::string EditCharacterFilter::filter(std::string_view text) const
{
    std::string out;
    for (std::string_view character : characters(text)) {
        if (accepts(character))
            out += character;
    }
    return out;
}
