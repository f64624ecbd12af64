// Sprite files: both headers, refused files, night darkening, composed sheets and the sample
// explosion strips.
#include "battle/sprite_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

std::vector<uint8_t> spriteFile(bool long_header, int width, int picture_height, uint16_t colour)
{
    std::vector<uint8_t> out = { 'N', 'M', 'X', 'B' };
    if (long_header) {
        out.push_back('1');
        out.resize(12, 0);
    }
    const int height = picture_height * 2;
    out.push_back(uint8_t(width));
    out.push_back(uint8_t(width >> 8));
    out.push_back(uint8_t(height));
    out.push_back(uint8_t(height >> 8));
    for (int i = 0; i < width * picture_height; ++i) {
        const uint16_t w = i % 2 ? colour : 0;
        out.push_back(uint8_t(w));
        out.push_back(uint8_t(w >> 8));
    }
    for (int i = 0; i < width * picture_height; ++i) {
        const uint16_t m = i % 2 ? 0 : 0xFFFF;
        out.push_back(uint8_t(m));
        out.push_back(uint8_t(m >> 8));
    }
    return out;
}

} // namespace

TEST(SpriteFile, ShortAndLongHeadersLoadAlike)
{
    SpriteImage a;
    SpriteImage b;
    ASSERT_TRUE(decodeSprite(spriteFile(false, 6, 4, 0x7C1F), a));
    ASSERT_TRUE(decodeSprite(spriteFile(true, 6, 4, 0x7C1F), b));
    EXPECT_EQ(a.width, 6);
    EXPECT_EQ(a.height, 8);
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_EQ(a.mask()[0], 0xFFFF);
}

TEST(SpriteFile, OtherMarkersAndSizesPastTheEndAreRefused)
{
    SpriteImage s;
    auto file = spriteFile(true, 6, 4, 1);
    file[0] = 'X';
    EXPECT_FALSE(decodeSprite(file, s));
    file = spriteFile(true, 6, 4, 1);
    file.resize(file.size() - 2);
    EXPECT_FALSE(decodeSprite(file, s));
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(decodeSprite(std::vector<uint8_t> { 'N', 'M', 'X', 'B', 0, 0, 0, 0 }, s)) << "no pixels";
}

TEST(SpriteFile, NightDarkensOnlyOpaqueWords)
{
    SpriteImage s;
    ASSERT_TRUE(decodeSprite(spriteFile(true, 2, 1, 0x7FFF), s));
    s.pixels[0] = 0x7FFF; // behind the mask: stays as it is
    darkenSprite(s);
    EXPECT_EQ(s.pixels[0], 0x7FFF);
    EXPECT_EQ(s.pixels[1], uint16_t(20 << 10 | 20 << 5 | 20)) << "each channel to 2c / 3";
    EXPECT_EQ(darkenWord(uint16_t(1 << 10 | 2 << 5 | 3)), uint16_t(0 << 10 | 1 << 5 | 2));
}

TEST(SpriteFile, ComposedSheetsScaleThePictureIntoEachPlace)
{
    SpriteImage s;
    ASSERT_TRUE(decodeSprite(spriteFile(true, 4, 2, 0x1234), s));
    ASSERT_TRUE(composeSheet(s, 0));
    EXPECT_EQ(s.width, 296);
    EXPECT_EQ(s.height, 248);
    // Column 1 of the source picture is opaque; its scaled place in rectangle (160, 0, 136, 68).
    EXPECT_EQ(s.pixels[160 + 34], 0x1234);
    EXPECT_EQ(s.mask()[160 + 34], 0);
    EXPECT_EQ(s.mask()[295 + 123 * 296], 0xFFFF) << "uncovered places stay transparent";
    SpriteImage plain;
    ASSERT_TRUE(decodeSprite(spriteFile(true, 4, 2, 1), plain));
    EXPECT_FALSE(composeSheet(plain, 40)) << "other kinds keep the picture as read";
    EXPECT_EQ(plain.width, 4);
}

// The sample explosion strips are clouds, not flat discs laid over the figures: no colour makes up
// half of what a frame draws.
TEST(SpriteFile, ExplosionFramesAreShadedClouds)
{
    const std::map<std::string, int> frameHeights { { "ef04a.dat", 160 }, { "ef04b.dat", 120 }, { "ef04c.dat", 70 },
        { "ef05a.dat", 88 }, { "ef05b.dat", 88 }, { "ef06.dat", 105 }, { "ef07.dat", 110 }, { "ef08a.dat", 120 }, { "ef08b.dat", 95 } };
    for (const auto& [name, height] : frameHeights) {
        std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tklc" / name, std::ios::binary);
        const std::vector<uint8_t> bytes { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
        SpriteImage sprite;
        ASSERT_TRUE(decodeSprite(bytes, sprite)) << name;
        for (int frame = 0; frame < 8; ++frame) {
            std::map<uint16_t, int> colours;
            int drawn = 0, most = 0;
            for (size_t i = size_t(frame * height * sprite.width); i < size_t((frame + 1) * height * sprite.width); ++i)
                if (sprite.mask()[i] == 0)
                    ++drawn, most = std::max(most, ++colours[sprite.pixels[i]]);
            EXPECT_LT(most * 2, drawn) << name << " frame " << frame;
        }
    }
}
