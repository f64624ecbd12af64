// The colours of one sheet, fitted into an 8-bit palette: a first drawing pass learns every
// colour asked for, then the closest ones are merged until the palette holds them all.
#pragma once

#include "tools/mkdata/bmp_writer.h"

#include <map>
#include <vector>

namespace mkdata::sheet {

class InkTable {
public:
    // While learning every colour gives index 0 and is remembered.
    uint8_t index(Rgb colour);
    // Ends learning. Magenta keeps its own entry, and greys merge only with greys so that the
    // colour filter still spares them.
    void settle();
    const Palette& palette() const { return m_palette; }

private:
    static uint32_t key(Rgb c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; }

    std::vector<Rgb> m_seen;
    std::map<uint32_t, uint8_t> m_index;
    Palette m_palette;
    bool m_settled = false;
};

} // namespace mkdata::sheet
