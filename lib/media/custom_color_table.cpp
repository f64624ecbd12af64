// The custom colour table and "cstmcl.dat".
#include "lib/media/custom_color_table.h"

#include "lib/file.h"

#include <algorithm>

namespace {

constexpr uint16_t kDefaultHues[CustomColorTable::kShownEntries] = { 140, 105, 165, 175, 0, 130, 255, 200, 60, 330, 170, 80 };

} // namespace

int clampHue(int hue)
{
    return std::clamp(hue, 0, CustomColorTable::kMaxHue);
}

CustomColourEntry CustomColorTable::defaultEntry(int index)
{
    if (index < 0 || index >= kShownEntries)
        return {};
    return { kDefaultHues[index], 0, 0 };
}

void CustomColorTable::clear()
{
    m_entries.fill({});
}

void CustomColorTable::load(const std::string& folder)
{
    const std::string path = folder + kFileName;
    if (!fileExists(path.c_str())) {
        for (int i = 0; i < kShownEntries; ++i)
            m_entries[size_t(i)] = defaultEntry(i);
        return;
    }
    std::array<uint8_t, kFileSize> image {};
    swCFile file(path.c_str(), 0);
    const DWORD read = file.fileRead(image.data(), kFileSize);
    file.fileClose();
    setBytes(image.data(), read);
}

void CustomColorTable::save(const std::string& path) const
{
    const auto image = bytes();
    swCFile file(path.c_str(), 1);
    file.fileWrite(image.data(), kFileSize);
    file.fileClose();
}

void CustomColorTable::setEntry(int index, const CustomColourEntry& entry)
{
    CustomColourEntry& slot = m_entries.at(size_t(index));
    slot = entry;
    slot.hue = uint16_t(clampHue(entry.hue));
}

std::array<uint8_t, CustomColorTable::kFileSize> CustomColorTable::bytes() const
{
    std::array<uint8_t, kFileSize> image {};
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const uint16_t values[3] = { m_entries[i].hue, m_entries[i].second, m_entries[i].third };
        for (size_t k = 0; k < 3; ++k) {
            image[6 * i + 2 * k] = uint8_t(values[k] & 0xFF);
            image[6 * i + 2 * k + 1] = uint8_t(values[k] >> 8);
        }
    }
    return image;
}

void CustomColorTable::setBytes(const uint8_t* data, size_t size)
{
    std::array<uint8_t, kFileSize> image {};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = i < size ? data[i] : 0;
    // Bytes past the given size keep the table's current values.
    const auto current = bytes();
    for (size_t i = size; i < image.size(); ++i)
        image[i] = current[i];
    for (size_t i = 0; i < m_entries.size(); ++i) {
        auto value = [&](size_t k) { return uint16_t(image[6 * i + 2 * k] | image[6 * i + 2 * k + 1] << 8); };
        m_entries[i] = { uint16_t(clampHue(value(0))), value(1), value(2) };
    }
}
