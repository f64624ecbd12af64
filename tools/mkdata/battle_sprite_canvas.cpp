// The battle scene's sprites: the canvas and the unit pictures.
#include "tools/mkdata/battle_sprite_canvas.h"

#include <algorithm>
#include <cmath>

namespace mkdata::battle {

SpriteCanvas::SpriteCanvas(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_pixels(size_t(width) * size_t(height), 0)
    , m_opaque(size_t(width) * size_t(height), 0)
{
}

void SpriteCanvas::set(int x, int y, Rgb5 colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const size_t i = size_t(y) * size_t(m_width) + size_t(x);
    m_pixels[i] = colour.word();
    m_opaque[i] = 1;
}

void SpriteCanvas::erase(int x, int y)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_opaque[size_t(y) * size_t(m_width) + size_t(x)] = 0;
}

void SpriteCanvas::fillRect(int left, int top, int right, int bottom, Rgb5 colour)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            set(x, y, colour);
}

void SpriteCanvas::fillEllipse(int cx, int cy, int rx, int ry, Rgb5 colour)
{
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x)
            if (double(x * x) / std::max(1, rx * rx) + double(y * y) / std::max(1, ry * ry) <= 1.0)
                set(cx + x, cy + y, colour);
}

void SpriteCanvas::fillPolygon(const std::vector<std::pair<int, int>>& points, Rgb5 colour)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            bool inside = false;
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / double(yj - yi) + xi)
                    inside = !inside;
            }
            if (inside)
                set(x, y, colour);
        }
}

std::string SpriteCanvas::encode() const
{
    std::string out = "NMXB1";
    out.append(7, '\0');
    out.push_back(char(m_width & 0xFF));
    out.push_back(char(m_width >> 8));
    const int stored = m_height * 2;
    out.push_back(char(stored & 0xFF));
    out.push_back(char(stored >> 8));
    for (size_t i = 0; i < m_pixels.size(); ++i) {
        const uint16_t w = m_opaque[i] ? m_pixels[i] : 0;
        out.push_back(char(w & 0xFF));
        out.push_back(char(w >> 8));
    }
    for (uint8_t opaque : m_opaque) {
        const uint16_t w = opaque ? 0 : 0xFFFF;
        out.push_back(char(w & 0xFF));
        out.push_back(char(w >> 8));
    }
    return out;
}

namespace {

constexpr Rgb5 kOlive { 96, 112, 64 };
constexpr Rgb5 kDarkOlive { 60, 72, 40 };
constexpr Rgb5 kGrey { 150, 156, 160 };
constexpr Rgb5 kDarkGrey { 70, 74, 80 };
constexpr Rgb5 kBlack { 24, 24, 24 };
constexpr Rgb5 kSkin { 220, 180, 140 };
constexpr Rgb5 kGlass { 120, 190, 230 };

// Ground units face left: the enemy stands to the left of the defender's view.
SpriteCanvas groundVehicle(Look look)
{
    SpriteCanvas c(160, 80);
    c.fillRect(14, 52, 150, 70, kDarkOlive);
    for (int x = 22; x < 150; x += 18)
        c.fillEllipse(x, 70, 8, 8, kBlack);
    switch (look) {
    case Look::Tank:
        c.fillPolygon({ { 20, 52 }, { 40, 34 }, { 140, 34 }, { 150, 52 } }, kOlive);
        c.fillEllipse(86, 30, 26, 12, kOlive);
        c.fillRect(4, 26, 70, 31, kDarkOlive);
        break;
    case Look::Gun:
        c.fillRect(30, 30, 146, 52, kOlive);
        c.fillPolygon({ { 2, 8 }, { 8, 4 }, { 70, 34 }, { 64, 40 } }, kDarkOlive);
        break;
    case Look::Launcher:
        c.fillRect(24, 36, 150, 52, kOlive);
        c.fillPolygon({ { 50, 14 }, { 140, 30 }, { 140, 40 }, { 50, 26 } }, kGrey);
        break;
    default:
        c.fillRect(16, 30, 66, 52, kOlive);
        c.fillRect(22, 34, 40, 44, kGlass);
        c.fillRect(70, 22, 150, 52, kDarkOlive);
        break;
    }
    return c;
}

SpriteCanvas soldier()
{
    SpriteCanvas c(160, 80);
    for (int k = 0; k < 3; ++k) {
        const int x = 30 + k * 44;
        c.fillEllipse(x, 14, 7, 7, kSkin);
        c.fillEllipse(x, 10, 8, 5, kDarkOlive);
        c.fillRect(x - 8, 22, x + 8, 50, kOlive);
        c.fillRect(x - 7, 50, x - 1, 76, kDarkOlive);
        c.fillRect(x + 1, 50, x + 7, 76, kDarkOlive);
        c.fillRect(x - 26, 30, x, 34, kBlack);
    }
    return c;
}

SpriteCanvas aircraft(Look look)
{
    SpriteCanvas c(160, 80);
    if (look == Look::Helicopter) {
        c.fillEllipse(60, 44, 40, 18, kOlive);
        c.fillRect(90, 40, 156, 48, kOlive);
        c.fillRect(10, 20, 150, 24, kDarkGrey);
        c.fillRect(56, 24, 62, 30, kDarkGrey);
        c.fillEllipse(36, 42, 12, 9, kGlass);
    } else {
        c.fillPolygon({ { 4, 40 }, { 30, 32 }, { 150, 32 }, { 156, 44 }, { 30, 48 } }, kGrey);
        c.fillPolygon({ { 70, 40 }, { 120, 40 }, { 96, 76 }, { 84, 76 } }, kDarkGrey);
        c.fillPolygon({ { 130, 32 }, { 156, 6 }, { 156, 32 } }, kDarkGrey);
        c.fillEllipse(36, 36, 12, 5, kGlass);
    }
    return c;
}

SpriteCanvas large(Look look)
{
    SpriteCanvas c(360, 160);
    switch (look) {
    case Look::Ship:
        c.fillPolygon({ { 0, 100 }, { 360, 100 }, { 336, 150 }, { 30, 150 } }, kDarkGrey);
        c.fillRect(120, 60, 240, 100, kGrey);
        c.fillRect(160, 24, 190, 60, kGrey);
        c.fillRect(40, 84, 100, 92, kDarkGrey);
        c.fillRect(10, 82, 60, 86, kBlack);
        break;
    case Look::Submarine:
        c.fillEllipse(180, 100, 170, 30, kDarkGrey);
        c.fillRect(150, 50, 200, 80, kDarkGrey);
        break;
    default:
        c.fillEllipse(180, 80, 170, 28, kGrey);
        c.fillPolygon({ { 140, 80 }, { 240, 80 }, { 200, 156 }, { 170, 156 } }, kDarkGrey);
        c.fillPolygon({ { 300, 70 }, { 350, 10 }, { 356, 70 } }, kDarkGrey);
        c.fillEllipse(30, 74, 16, 8, kGlass);
        break;
    }
    return c;
}

// A small boat heading left, bow up, its wake behind it.
SpriteCanvas boat()
{
    SpriteCanvas c(160, 80);
    c.fillPolygon({ { 2, 40 }, { 150, 50 }, { 146, 66 }, { 24, 66 } }, kDarkGrey);
    c.fillRect(60, 34, 110, 50, kGrey);
    c.fillRect(70, 38, 84, 46, kGlass);
    c.fillRect(116, 40, 140, 50, Rgb5 { 170, 50, 40 });
    for (int x = 120; x < 160; x += 8)
        c.fillRect(x, 64, x + 5, 70, Rgb5 { 230, 236, 240 });
    return c;
}

SpriteCanvas missile()
{
    SpriteCanvas c(18, 18);
    // It flies toward the lower left of the defender's view: nose there, flame behind.
    c.fillPolygon({ { 0, 17 }, { 3, 17 }, { 17, 3 }, { 17, 0 }, { 14, 0 }, { 0, 14 } }, kGrey);
    c.fillRect(0, 14, 3, 18, Rgb5 { 60, 60, 64 });
    c.fillRect(14, 0, 18, 4, Rgb5 { 255, 180, 40 });
    return c;
}

} // namespace

SpriteCanvas drawUnitSprite(Look look)
{
    switch (look) {
    case Look::Soldier: return soldier();
    case Look::Missile: return missile();
    case Look::Boat: return boat();
    case Look::Jet:
    case Look::Helicopter: return aircraft(look);
    case Look::Transport:
    case Look::Ship:
    case Look::Submarine: return large(look);
    default: return groundVehicle(look);
    }
}

} // namespace mkdata::battle
