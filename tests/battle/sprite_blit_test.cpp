// Sprite blits against hand-computed pixels: clipping, mirroring, masks and levels.
#include "battle/sprite_blit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Buffer {
    std::vector<uint16_t> words;
    SceneTarget target;
    explicit Buffer(int width, uint16_t fill = 0)
        : words(size_t(width) * kSceneHeight, fill)
    {
        target = { words.data(), width };
    }
    uint16_t at(int x, int y) const { return target.row(y)[x]; }
};

// A 4 × 2 sprite: columns 10, 20, 30, 40 (row 1 adds 100); its last column transparent.
SpriteImage sprite()
{
    SpriteImage s;
    s.width = 4;
    s.height = 4;
    s.pixels = { 10, 20, 30, 0, 110, 120, 130, 0, 0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF };
    return s;
}

} // namespace

TEST(SpriteBlit, BottomUpRowsAndDefenderColumns)
{
    Buffer b(500, 7);
    const SpriteImage s = sprite();
    blitSprite(b.target, &s, 100, 50, 4, 2, 0, 0, 1);
    EXPECT_EQ(b.words[size_t(299 - 50) * 500 + 100], 10) << "picture row y is buffer row 299 - y";
    EXPECT_EQ(b.at(102, 51), 130);
    EXPECT_EQ(b.at(103, 50), 7) << "the mask keeps the background";
}

TEST(SpriteBlit, AttackerIsMirroredAndATurnedSpriteReadsBackwards)
{
    Buffer b(500);
    const SpriteImage s = sprite();
    blitSprite(b.target, &s, 100, 50, 3, 1, 0, 0, 0);
    EXPECT_EQ(b.at(399, 50), 10);
    EXPECT_EQ(b.at(397, 50), 30);
    Buffer c(500);
    blitSprite(c.target, &s, 100, 50, 3, 1, 0, 0, 1, false);
    EXPECT_EQ(c.at(100, 50), 30);
    EXPECT_EQ(c.at(102, 50), 10);
}

TEST(SpriteBlit, PartlyOffTheEdgesShowsTheRestAndTheSourceIsClippedToo)
{
    Buffer b(500);
    const SpriteImage s = sprite();
    blitSprite(b.target, &s, -2, -1, 4, 2, 0, 0, 1);
    EXPECT_EQ(b.at(0, 0), 130) << "off the left and the top: the lower right part";
    EXPECT_EQ(b.at(1, 0), 0);
    Buffer c(500, 5);
    // A source rectangle running past the sprite's right edge reads nothing beyond it.
    blitSprite(c.target, &s, 10, 10, 4, 1, 2, 0, 1);
    EXPECT_EQ(c.at(10, 10), 30);
    EXPECT_EQ(c.at(12, 10), 5);
    EXPECT_EQ(c.at(13, 10), 5);
    Buffer d(500, 5);
    blitSprite(d.target, &s, 498, 299, 4, 2, 0, 0, 1);
    EXPECT_EQ(d.at(499, 299), 20) << "cut at the right and the bottom";
}

TEST(SpriteBlit, LevelsOfTheTranslucentBlit)
{
    SpriteImage s;
    s.width = 1;
    s.height = 2;
    const uint16_t white = 0x7FFF;
    s.pixels = { white, 0 };
    Buffer full(500, 0x1234);
    Buffer opaque(500, 0x1234);
    blitSpriteTranslucent(full.target, &s, 3, 3, 1, 1, 0, 0, 16, 1);
    blitSprite(opaque.target, &s, 3, 3, 1, 1, 0, 0, 1);
    EXPECT_EQ(full.at(3, 3), opaque.at(3, 3));
    Buffer half(500, 0);
    blitSpriteTranslucent(half.target, &s, 3, 3, 1, 1, 0, 0, 8, 1);
    EXPECT_EQ(half.at(3, 3), uint16_t(15 << 10 | 15 << 5 | 15)) << "level 8: the mean of sprite and black";
    EXPECT_EQ(blendWord(white, 0, 12), blendWord(0, white, 4));
    s.pixels = { 0, 0xFFFF };
    for (int level : { 1, 8, 12, 16 }) {
        Buffer keep(500, 0x2222);
        blitSpriteTranslucent(keep.target, &s, 3, 3, 1, 1, 0, 0, level, 1);
        EXPECT_EQ(keep.at(3, 3), 0x2222) << level;
    }
}
