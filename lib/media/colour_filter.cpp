// The colour filter's five modes and its two per-colour conversions.
#include "lib/media/colour_filter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kInverse255 = 0.00392156862745098;
constexpr int kWheel = 1536; // six sextants of 256 steps

bool isMagenta(int r, int g, int b) { return r == 255 && g == 0 && b == 255; }

// Scaling by a factor above 255 would overflow the byte; the channel saturates instead.
int scaled(uint32_t factor, int channel) { return int(std::min<uint64_t>(uint64_t(factor) * uint64_t(channel) / 255, 255)); }

// Recoloured entries never come out black or nearly black.
void applyFloor(int& r, int& g, int& b)
{
    if (r < 32 && g < 32 && b < 32)
        r = g = b = 32;
}

} // namespace

void hueRotate(uint32_t hue, int& r, int& g, int& b)
{
    const int max = std::max({ r, g, b });
    const int min = std::min({ r, g, b });
    const int d = max - min;
    if (d == 0 || max == 0)
        return;
    const int s = d * 255 / max;
    int h;
    if (r == max)
        h = (g - b) * 255 / d + (b > g ? kWheel : 0);
    else if (g == max)
        h = (b - r) * 255 / d + 512;
    else
        h = (r - g) * 255 / d + 1024;
    const int64_t offset = int64_t(hue) * kWheel / 360;
    // A turn past a full circle (hues above 360) wraps instead of leaving the wheel.
    double hh = double(h + offset % kWheel);
    if (hh >= kWheel)
        hh -= kWheel;
    const int sextant = int(hh / 256);
    double pure[3];
    switch (sextant) {
    case 0: pure[0] = 255; pure[1] = hh; pure[2] = 0; break;
    case 1: pure[0] = 512 - hh; pure[1] = 255; pure[2] = 0; break;
    case 2: pure[0] = 0; pure[1] = 255; pure[2] = hh - 512; break;
    case 3: pure[0] = 0; pure[1] = 1024 - hh; pure[2] = 255; break;
    case 4: pure[0] = hh - 1024; pure[1] = 0; pure[2] = 255; break;
    default: pure[0] = 255; pure[1] = 0; pure[2] = 1536 - hh; break;
    }
    const double white = 255 - s;
    int* out[3] = { &r, &g, &b };
    for (int i = 0; i < 3; ++i) {
        const double c = pure[i];
        // The sextant edges give 256 for one channel (pure blue turned half a circle); that would
        // wrap to 0 in the table's byte.
        *out[i] = std::clamp(int(std::trunc((((255 - c) * white) * kInverse255 + c) * max * kInverse255)), 0, 255);
    }
}

void fadeColour(uint32_t amount, int& r, int& g, int& b)
{
    const int max = std::max({ r, g, b });
    const int min = std::min({ r, g, b });
    if (max - min <= 0)
        return;
    const int m = max * 80 / 100;
    const int keep = 255 - int(std::min<uint32_t>(amount, 255));
    for (int* c : { &r, &g, &b })
        *c = (((255 - *c) * keep) / 255 + *c) * m / 255;
}

void ColourFilter::apply(PackedDib& dib) const
{
    RGBQUAD* colours = dib.colours();
    const size_t count = dib.colourCount();
    for (size_t i = 0; i < count; ++i) {
        int r = colours[i].rgbRed;
        int g = colours[i].rgbGreen;
        int b = colours[i].rgbBlue;
        const bool grey = r == g && g == b;
        const bool black = grey && r == 0;
        switch (m_mode) {
        case 0: {
            if (!grey || black)
                continue;
            const int level = r;
            r = scaled(m_p1, level);
            g = scaled(m_p2, level);
            b = scaled(m_p3, level);
            applyFloor(r, g, b);
            break;
        }
        case 1: {
            if (grey)
                continue;
            const int level = b;
            r = scaled(m_p1, level);
            g = scaled(m_p2, level);
            b = scaled(m_p3, level);
            applyFloor(r, g, b);
            break;
        }
        case 2:
            if (black)
                continue;
            hueRotate(m_p1, r, g, b);
            applyFloor(r, g, b);
            break;
        case 3:
            if (isMagenta(r, g, b))
                continue;
            hueRotate(m_p1, r, g, b);
            break;
        case 4:
            if (isMagenta(r, g, b))
                continue;
            fadeColour(m_p2, r, g, b);
            break;
        default:
            return;
        }
        colours[i].rgbRed = BYTE(r);
        colours[i].rgbGreen = BYTE(g);
        colours[i].rgbBlue = BYTE(b);
    }
}
