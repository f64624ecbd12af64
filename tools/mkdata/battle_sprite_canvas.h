// Drawing the battle scene's pictures: RGB555 sprites with their masks, and its bitmaps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace mkdata::battle {

struct Rgb5 {
    int r, g, b;
    uint16_t word() const { return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)); }
};

// A sprite being drawn: transparent until painted.
class SpriteCanvas {
public:
    SpriteCanvas(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }
    void set(int x, int y, Rgb5 colour);
    // Makes the pixel transparent again.
    void erase(int x, int y);
    void fillRect(int left, int top, int right, int bottom, Rgb5 colour);
    void fillEllipse(int cx, int cy, int rx, int ry, Rgb5 colour);
    void fillPolygon(const std::vector<std::pair<int, int>>& points, Rgb5 colour);
    // The "NMXB" file: 16-byte header with version '1', the picture words, then the mask words.
    std::string encode() const;

private:
    int m_width;
    int m_height;
    std::vector<uint16_t> m_pixels;
    std::vector<uint8_t> m_opaque;
};

enum class Look { Soldier, Tank, Gun, Launcher, Truck, Missile, Jet, Helicopter, Transport, Ship, Submarine, Boat };
enum class Blast { Fire, Water, Smoke };

SpriteCanvas drawUnitSprite(Look look);
// Eight frames of w × h one below the other: the blast swells, cools and thins out.
SpriteCanvas drawExplosionStrip(int w, int h, Blast blast);
// "bg00.dat" .. "bg62.dat".
void writeBackgrounds(const std::filesystem::path& folder);
std::vector<unsigned char> drawFramePicture();
// The weapon sprites "wp01.dat".."wp40.dat" and the effect sprites of the weapons' launches and hits.
void writeWeaponSprites(const std::filesystem::path& folder);
std::vector<unsigned char> drawCategoryPicture();

} // namespace mkdata::battle
