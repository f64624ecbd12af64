// Muzzle points, fades and smoke trails shared by the launch and incoming painters.
#include "battle/effect_painters.h"

#include <algorithm>

namespace {

constexpr int kStripLength = 800;
constexpr int kHorizontalStripRows = 13;
constexpr int kVerticalStripColumns = 14;

} // namespace

ShotSprites shotSprites(const SceneSide& firing)
{
    ShotSprites s {};
    s.weapon = spriteAt(firing.weaponSpriteSlot);
    for (size_t i = 0; i < s.extra.size(); ++i)
        s.extra[i] = spriteAt(firing.extraSpriteSlots[i]);
    s.unit = spriteAt(firing.unitSpriteSlot);
    return s;
}

MuzzlePoint muzzlePoint(Muzzle form, int x, int y, int p1, int p2, int step, const StepOffsets& offsets)
{
    const int scale = stepScale(step);
    const Offset o = offsets[size_t(std::clamp(step, 0, 3))];
    switch (form) {
    case Muzzle::Rounded: return { x + (p1 * scale + 50) / 100 + o.x, y + (p2 * scale + 50) / 100 + o.y };
    case Muzzle::Truncated: return { x + p1 * scale / 100 + o.x, y + p2 * scale / 100 + o.y };
    case Muzzle::Raw: break;
    }
    return { x + p1 + o.x, y + p2 + o.y };
}

int halfValue(uint32_t value, int other_background)
{
    return other_background == 60 ? int16_t(value & 0xFFFF) : int16_t(value >> 16);
}

int fadeLevel(Fade fade, int t, int shift)
{
    t -= shift;
    switch (fade) {
    case Fade::Fade27: return t <= 15 ? 16 : std::max(27 - t, 0);
    case Fade::Fade33: return t <= 15 ? 16 : std::max((15 - t) * 2 / 3 + 12, 0);
    case Fade::Fade24: return t <= 12 ? 16 : std::max(24 - t, 0);
    }
    return 0;
}

void drawHorizontalTrail(const SceneTarget& target, const SpriteImage* strip, int length, int x, int y, int level, int side)
{
    length = std::min(length, kStripLength);
    if (length > 0 && level > 0)
        blitSpriteTranslucent(target, strip, x, y, length, kHorizontalStripRows, kStripLength - length, 0, level, side);
}

void drawVerticalTrail(const SceneTarget& target, const SpriteImage* strip, int length, int x, int y, int level, int side)
{
    length = std::min(length, kStripLength);
    if (length > 0 && level > 0)
        blitSpriteTranslucent(target, strip, x, y, kVerticalStripColumns, length, 0, kStripLength - length, level, side);
}

void drawStaircaseTrail(const SceneTarget& target, const SpriteImage* sheet, const Staircase& stair, int length, int x,
    int y, int level, int side)
{
    if (level <= 0)
        return;
    for (int k = 0, r = length; r > 0; ++k, r -= stair.w) {
        // The last piece shows only its right-hand r pixels.
        const int cut = r < stair.w ? stair.w - r : 0;
        blitSpriteTranslucent(target, sheet, x - k * stair.w + cut, y - k * stair.rise, stair.w - cut, stair.h,
            stair.firstColumn - k * stair.w + cut, 0, level, side);
    }
}

void drawStackedFrame(const SceneTarget& target, const SpriteImage* sprite, int w, int h, int frame, int frames, int x,
    int y, int side)
{
    if (frame >= 0 && frame < frames)
        blitSprite(target, sprite, x, y, w, h, 0, frame * h, side);
}
