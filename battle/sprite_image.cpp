// Reading, darkening and composing the battle scene's sprites.
#include "battle/sprite_image.h"

#include "platform/kernel/file_bytes.h"

#include <cstring>

namespace {

struct SheetLayout {
    std::vector<int> kinds;
    int width;
    int height;
    std::vector<SheetRect> rects;
};

const std::vector<SheetLayout>& sheetLayouts()
{
    static const std::vector<SheetLayout> layouts = {
        { { 0, 6 }, 296, 124, { { 0, 0, 160, 80 }, { 160, 0, 136, 68 }, { 160, 68, 112, 56 }, { 0, 80, 88, 44 } } },
        { { 1, 2, 7, 9 }, 320, 120, { { 0, 0, 320, 120 } } },
        { { 5 }, 296, 496,
            { { 0, 0, 160, 80 }, { 0, 80, 160, 80 }, { 0, 160, 160, 80 }, { 0, 240, 160, 80 }, { 160, 0, 136, 68 },
                { 160, 68, 136, 68 }, { 160, 136, 136, 68 }, { 160, 204, 136, 68 }, { 160, 272, 112, 56 },
                { 160, 328, 112, 56 }, { 160, 384, 112, 56 }, { 160, 440, 112, 56 }, { 0, 320, 88, 44 },
                { 0, 364, 88, 44 }, { 0, 408, 88, 44 }, { 0, 452, 88, 44 } } },
        { { 10 }, 296, 80, { { 0, 0, 160, 80 }, { 160, 0, 136, 68 } } },
        { { 11 }, 296, 160, { { 0, 0, 160, 160 }, { 160, 0, 136, 136 } } },
        { { 14 }, 408, 80, { { 0, 0, 220, 80 }, { 220, 0, 188, 68 } } },
        { { 16 }, 408, 160, { { 0, 0, 220, 160 }, { 220, 0, 188, 136 } } },
        { { 20, 21, 22, 23, 30, 32 }, 360, 160, { { 0, 0, 360, 160 } } },
        { { 31 }, 18, 18, { { 0, 0, 18, 18 } } },
    };
    return layouts;
}

} // namespace

void SpriteImage::release()
{
    pixels.clear();
    pixels.shrink_to_fit();
    width = height = 0;
}

uint16_t darkenWord(uint16_t word)
{
    const int r = (word >> 10) & 31;
    const int g = (word >> 5) & 31;
    const int b = word & 31;
    return uint16_t((2 * r / 3) << 10 | (2 * g / 3) << 5 | (2 * b / 3));
}

void darkenSprite(SpriteImage& sprite)
{
    const size_t half = size_t(sprite.width) * size_t(sprite.height / 2);
    const bool has_mask = sprite.height >= 2;
    for (size_t i = 0; i < half; ++i)
        if (!has_mask || sprite.pixels[half + i] == 0)
            sprite.pixels[i] = darkenWord(sprite.pixels[i]);
}

bool decodeSprite(std::span<const uint8_t> bytes, SpriteImage& slot)
{
    slot.release();
    if (bytes.size() < 8 || std::memcmp(bytes.data(), "NMXB", 4) != 0)
        return false;
    size_t offset = 8;
    size_t header = 4;
    if (bytes.size() >= 16 && bytes[4] == '1') {
        offset = 16;
        header = 12;
    }
    const int width = bytes[header] | bytes[header + 1] << 8;
    const int height = bytes[header + 2] | bytes[header + 3] << 8;
    const size_t words = size_t(width) * size_t(height);
    if (words == 0 || (bytes.size() - offset) / 2 < words)
        return false;
    slot.pixels.resize(words);
    std::memcpy(slot.pixels.data(), bytes.data() + offset, words * 2);
    slot.width = width;
    slot.height = height;
    return true;
}

bool readSpriteFile(const std::string& folder, const char* name, SpriteImage& slot, bool darken)
{
    slot.release();
    const auto bytes = platform::readGameFile(folder + name, kMaxSceneFileBytes);
    if (!bytes || !decodeSprite(*bytes, slot))
        return false;
    if (darken)
        darkenSprite(slot);
    return true;
}

void scaleSpriteRect(std::vector<uint16_t>& sheet, const SheetRect& rect, int dst_width, int dst_height,
    const SpriteImage& source)
{
    const int src_width = source.width;
    const int src_height = source.pictureHeight();
    if (src_width < 1 || src_height < 1)
        return;
    const uint16_t* src_mask = source.mask();
    const size_t dst_mask = size_t(dst_width) * size_t(dst_height);
    for (int r = 0; r < rect.h; ++r) {
        const int sy = src_height * r / rect.h;
        const int dy = rect.y + r;
        if (dy < 0 || dy >= dst_height)
            continue;
        for (int c = 0; c < rect.w; ++c) {
            const int sx = src_width * c / rect.w;
            const int dx = rect.x + c;
            if (dx < 0 || dx >= dst_width)
                continue;
            const size_t s = size_t(sy) * size_t(src_width) + size_t(sx);
            const size_t d = size_t(dy) * size_t(dst_width) + size_t(dx);
            sheet[d] = source.pixels[s];
            sheet[dst_mask + d] = src_mask[s];
        }
    }
}

bool composeSheet(SpriteImage& sprite, int scene_kind)
{
    for (const SheetLayout& layout : sheetLayouts()) {
        bool match = false;
        for (int kind : layout.kinds)
            match = match || kind == scene_kind;
        if (!match)
            continue;
        // Uncovered places of the sheet stay transparent.
        const size_t half = size_t(layout.width) * size_t(layout.height);
        std::vector<uint16_t> sheet(half * 2, 0);
        std::fill(sheet.begin() + std::ptrdiff_t(half), sheet.end(), uint16_t(0xFFFF));
        for (const SheetRect& rect : layout.rects)
            scaleSpriteRect(sheet, rect, layout.width, layout.height, sprite);
        sprite.pixels = std::move(sheet);
        sprite.width = layout.width;
        sprite.height = layout.height * 2;
        return true;
    }
    return false;
}
