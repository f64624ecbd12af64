// SpriteImage: one sprite of the battle scene's "NMXB" files, picture words over a mask half.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class SpriteKind : int { Unit = 1, Weapon = 2, Effect = 3 };

struct SpriteImage {
    int kind = 0;
    // For a lettered unit variant: variant × 10001 + number.
    int number = -1;
    int width = 0;
    // Both halves: the picture, then as many rows of mask.
    int height = 0;
    // RGB555 words; a mask word is 0 where the picture shows and 0xffff where the background does.
    std::vector<uint16_t> pixels;

    bool empty() const { return pixels.empty(); }
    int pictureHeight() const { return height / 2; }
    const uint16_t* mask() const { return pixels.data() + size_t(width) * size_t(height / 2); }
    void release();
};

// Each 5-bit channel c becomes floor(2c / 3): the night look.
uint16_t darkenWord(uint16_t word);
// Darkens the picture words whose mask word is 0; transparent words keep their value.
void darkenSprite(SpriteImage& sprite);

// Far above any scene file; a larger one is not read.
constexpr size_t kMaxSceneFileBytes = size_t(64) << 20;

// Decodes a sprite file's bytes into slot (16-byte header with version '1', else the 8-byte one).
// Sizes are checked against the bytes there are; false leaves the slot empty.
bool decodeSprite(std::span<const uint8_t> bytes, SpriteImage& slot);
// Reads the battle scene folder's file name into slot, darkened at night.
bool readSpriteFile(const std::string& folder, const char* name, SpriteImage& slot, bool darken);

struct SheetRect {
    int x, y, w, h;
};
// Nearest-neighbour copy of the whole source picture and its mask into one rectangle of a sheet of
// dst_width × dst_height picture rows (the mask half lies dst_height rows below).
void scaleSpriteRect(std::vector<uint16_t>& sheet, const SheetRect& rect, int dst_width, int dst_height,
    const SpriteImage& source);
// The composed sheet of a scene kind, or false when the kind keeps its picture as read.
bool composeSheet(SpriteImage& sprite, int scene_kind);
