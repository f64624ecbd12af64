// Sprite blits straight into the back buffers' memory, row by row.
#include "battle/sprite_blit.h"

#include <algorithm>

namespace {

// The k/16 share of a word, as the sum of its halving terms.
uint16_t share(uint16_t word, int k)
{
    uint16_t sum = 0;
    if (k & 8)
        sum = uint16_t(sum + ((word >> 1) & 0x3def));
    if (k & 4)
        sum = uint16_t(sum + ((word >> 2) & 0x1ce7));
    if (k & 2)
        sum = uint16_t(sum + ((word >> 3) & 0x0c63));
    if (k & 1)
        sum = uint16_t(sum + ((word >> 4) & 0x0421));
    return sum;
}

struct Clip {
    int i0, i1, j0, j1;
    int w;
};

// The destination columns i and rows j of the rectangle that land inside both the buffer and the
// sprite's picture; the whole source rectangle is clipped, wherever it starts.
bool clipRect(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int w, int h, int src_x, int src_y,
    bool forward, Clip& clip)
{
    if (!sprite || sprite->empty() || !target.bits)
        return false;
    const int sw = sprite->width;
    const int sh = sprite->pictureHeight();
    w = std::min(w, sw);
    h = std::min(h, sh);
    int i0 = std::max(0, -x);
    int i1 = std::min(w, target.width - x);
    if (forward) {
        i0 = std::max(i0, -src_x);
        i1 = std::min(i1, sw - src_x);
    } else {
        i0 = std::max(i0, src_x + w - sw);
        i1 = std::min(i1, src_x + w);
    }
    const int j0 = std::max({ 0, -y, -src_y });
    const int j1 = std::min({ h, kSceneHeight - y, sh - src_y });
    if (i1 <= i0 || j1 <= j0)
        return false;
    clip = { i0, i1, j0, j1, w };
    return true;
}

template <class RowFn>
void forEachRow(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int src_x, int src_y, int side,
    bool forward, const Clip& clip, RowFn&& fn)
{
    const int sw = sprite->width;
    const uint16_t* mask = sprite->mask();
    const int count = clip.i1 - clip.i0;
    const int first_col = x + clip.i0;
    const int dst_step = side == 0 ? -1 : 1;
    const int dst_col = side == 0 ? target.width - 1 - first_col : first_col;
    const int src_step = forward ? 1 : -1;
    const int src_col = forward ? src_x + clip.i0 : src_x + clip.w - 1 - clip.i0;
    for (int j = clip.j0; j < clip.j1; ++j) {
        const size_t src = size_t(src_y + j) * size_t(sw) + size_t(src_col);
        fn(target.row(y + j) + dst_col, dst_step, sprite->pixels.data() + src, mask + src, src_step, count);
    }
}

} // namespace

uint16_t blendWord(uint16_t picture, uint16_t background, int level)
{
    return uint16_t(share(picture, level) + share(background, 16 - level));
}

void blendRow(uint16_t* destination, int destination_step, const uint16_t* source, const uint16_t* mask,
    int source_step, int count, int level)
{
    if (level >= 16) {
        for (int i = 0; i < count; ++i, destination += destination_step, source += source_step, mask += source_step)
            *destination = uint16_t(*source + (*destination & *mask));
        return;
    }
    for (int i = 0; i < count; ++i, destination += destination_step, source += source_step, mask += source_step)
        if (*mask == 0)
            *destination = blendWord(*source, *destination, level);
}

void blitSprite(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int w, int h, int src_x,
    int src_y, int side, bool forward)
{
    Clip clip;
    if (!clipRect(target, sprite, x, y, w, h, src_x, src_y, forward, clip))
        return;
    forEachRow(target, sprite, x, y, src_x, src_y, side, forward, clip,
        [](uint16_t* d, int ds, const uint16_t* s, const uint16_t* m, int ss, int n) { blendRow(d, ds, s, m, ss, n, 16); });
}

void blitSpriteTranslucent(const SceneTarget& target, const SpriteImage* sprite, int x, int y, int w, int h,
    int src_x, int src_y, int level, int side, bool forward)
{
    if (level < 1)
        return;
    level = std::min(level, 16);
    Clip clip;
    if (!clipRect(target, sprite, x, y, w, h, src_x, src_y, forward, clip))
        return;
    forEachRow(target, sprite, x, y, src_x, src_y, side, forward, clip,
        [level](uint16_t* d, int ds, const uint16_t* s, const uint16_t* m, int ss, int n) { blendRow(d, ds, s, m, ss, n, level); });
}
