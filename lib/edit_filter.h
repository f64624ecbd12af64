// The allowed and refused characters of an edit control, whole CP932 characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class EditCharacterFilter {
public:
    // Null clears the set: with no allowed set everything is allowed, with no refused set
    // nothing is refused.
    void setAllowed(const char* text);
    void setRefused(const char* text);
    bool hasSets() const { return m_allowed || m_refused; }

    // Control characters (below 0x20) are always accepted.
    bool accepts(std::string_view character) const;
    std::string filter(std::string_view text) const;

    // Splits CP932 text into characters; a lead byte at the end stands alone.
    static std::vector<std::string_view> characters(std::string_view text);

private:
    using Set = std::optional<std::vector<std::string>>;
    static Set makeSet(const char* text);
    static bool contains(const Set& set, std::string_view character);

    Set m_allowed;
    Set m_refused;
};
