// An ini file as lines of CP932 text, edited in place so that unrelated lines are kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
public:
    // Reads the file; a missing file gives an empty document and found() false. A file that is
    // there but cannot be read (a folder, no permission, an I/O error) gives an empty document
    // with readable() false, which must never be saved over it. Sets errno for that case.
    static IniDocument load(const std::string& hostFile);
    // Lines split at LF, a CR before it dropped.
    static IniDocument parse(std::string_view text);
    bool found() const { return m_found; }
    bool readable() const { return m_readable; }
    // The document as the file holds it: CP932 lines ending in CR LF.
    std::string text() const;

    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;
    // "key=value" for every entry of the section.
    std::vector<std::string> entries(std::string_view section) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Each returns whether the document changed.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    bool deleteKey(std::string_view section, std::string_view key);
    bool deleteSection(std::string_view section);

    // Writes a temporary file beside the target and renames it over the target. Sets errno.
    bool save(const std::string& hostFile) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    static std::optional<std::string> sectionOf(std::string_view line);
    static std::optional<Entry> entryOf(std::string_view line);
    // Index of the section's header line, and the end of its body (the next header or the end).
    std::optional<size_t> findSection(std::string_view section) const;
    size_t sectionEnd(size_t header) const;

    std::vector<std::string> m_lines;
    bool m_found = false;
    bool m_readable = true;
};

} // namespace platform
