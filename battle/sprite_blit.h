// The two sprite blits of the battle scene: opaque and translucent, masked, clipped and mirrored.
#pragma once

#include "battle/sprite_image.h"

#include <cstdint>

constexpr int kSceneHeight = 300;

// A side's back buffer: RGB555 words in bottom-up rows, picture row y at buffer row 299 - y.
struct SceneTarget {
    uint16_t* bits = nullptr;
    // 500, or 960 for the wide layout.
    int width = 0;

    uint16_t* row(int y) const { return bits + size_t(kSceneHeight - 1 - y) * size_t(width); }
};

// Draws the source rectangle (src_x, src_y, w, h) of the sprite at (x, y) in the defender's
// coordinates; the attacker's side (0) is mirrored. With forward false the source is turned round.
void blitSprite(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int w, int h, int src_x,
    int src_y, int side, bool forward = true);
// The same at opacity level / 16 (level 16 is the opaque blit, 0 draws nothing).
void blitSpriteTranslucent(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int w, int h,
    int src_x, int src_y, int level, int side, bool forward = true);
// One row of the translucent blit; steps are +1 or -1 words.
void blendRow(uint16_t* destination, int destination_step, const uint16_t* source, const uint16_t* mask,
    int source_step, int count, int level);
// picture × level/16 + background × (16 - level)/16 by halving terms per channel, without carries.
uint16_t blendWord(uint16_t picture, uint16_t background, int level);
