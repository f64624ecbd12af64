// ColourFilter: a bitmap that recolours a paletted picture's colour table as it is loaded, so
// one picture serves every country and custom colour.
#pragma once

#include "lib/media/bitmap.h"

#include <cstdint>

class ColourFilter : public swCBitmap {
public:
    // Modes: 0 tint greys by (p1, p2, p3), 1 tint by the blue channel, 2 hue turn by p1 degrees
    // with a floor against black, 3 hue turn by p1 degrees sparing magenta, 4 fade by p2.
    // Any other mode leaves the colours alone.
    ColourFilter(uint32_t p1, uint32_t p2, uint32_t p3, uint32_t mode)
        : m_p1(p1), m_p2(p2), m_p3(p3), m_mode(mode)
    {
    }

    void apply(PackedDib& dib) const;

protected:
    void filterColourTable(PackedDib& dib) override { apply(dib); }

private:
    uint32_t m_p1 = 0;
    uint32_t m_p2 = 0;
    uint32_t m_p3 = 0;
    uint32_t m_mode = 0;
};

// Turns the colour's hue by `hue` degrees on a 1536-step wheel, keeping saturation and value.
void hueRotate(uint32_t hue, int& r, int& g, int& b);
// A paler, darker version of the colour; greys are left alone.
void fadeColour(uint32_t amount, int& r, int& g, int& b);
