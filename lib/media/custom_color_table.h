// The custom colour table of twenty hue settings, stored as "cstmcl.dat".
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One entry as stored: hue turn in degrees (0 to 360) and two values kept for the filter.
struct CustomColourEntry {
    uint16_t hue = 0;
    uint16_t second = 0;
    uint16_t third = 0;
    bool operator==(const CustomColourEntry&) const = default;
};

class CustomColorTable {
public:
    static constexpr int kEntryCount = 20;
    static constexpr int kFileSize = kEntryCount * 6;
    static constexpr int kMaxHue = 360;
    // Entries 0 to 3 are the interception and ECM markers, 4 to 11 the countries.
    static constexpr int kFirstCountryEntry = 4;
    static constexpr int kShownEntries = 12;
    static constexpr const char* kFileName = "cstmcl.dat";

    // The built-in defaults; entries 12 to 19 are zero.
    static CustomColourEntry defaultEntry(int index);

    void clear();
    // customColourLoad: the file in folder (ending with '\'), at most 120 bytes over the cleared
    // table, hues above 360 clamped; the defaults when there is no file. File errors throw.
    void load(const std::string& folder);
    void save(const std::string& path) const;

    const CustomColourEntry& entry(int index) const { return m_entries.at(size_t(index)); }
    void setEntry(int index, const CustomColourEntry& entry);

    // The little-endian file image and its reading (a shorter image fills what it has).
    std::array<uint8_t, kFileSize> bytes() const;
    void setBytes(const uint8_t* data, size_t size);

    bool operator==(const CustomColorTable&) const = default;

private:
    std::array<CustomColourEntry, kEntryCount> m_entries {};
};

int clampHue(int hue);
