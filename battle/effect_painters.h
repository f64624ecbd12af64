// The weapon effects' shared pieces: the sprites of a shot, the muzzle point, the fades of the smoke
// trails and the three trail shapes. Every painter is a function of t and the sides' fixed numbers,
// so any frame can be drawn on its own.
#pragma once

#include "battle/scene_painters.h"

#include <array>

// t mod 2 of a frame count that may be negative: the frame parity never makes a negative row.
inline int parity(int t) { return (t < 0 ? -t : t) % 2; }

// The sprites of the side that fires: W, E1-E4 and the unit sprite U.
struct ShotSprites {
    const SpriteImage* weapon;
    std::array<const SpriteImage*, 4> extra;
    const SpriteImage* unit;
};
ShotSprites shotSprites(const SceneSide& firing);

enum class Muzzle { Rounded, Truncated, Raw };
struct Offset {
    int x, y;
};
using StepOffsets = std::array<Offset, 4>;

// The muzzle point of a firing figure at (x, y) with the weapon row's offsets (p1, p2).
struct MuzzlePoint {
    int x, y;
};
MuzzlePoint muzzlePoint(Muzzle form, int x, int y, int p1, int p2, int step, const StepOffsets& offsets);
// A weapon row value holding two 16-bit offsets: the low half against the sky (background 60).
int halfValue(uint32_t value, int other_background);

enum class Fade { Fade27, Fade33, Fade24 };
// The trail's level at t, 0 once it is gone; shift delays the fade (a shell that waits before its run).
int fadeLevel(Fade fade, int t, int shift = 0);

// The right-hand length pixels of the top 13 rows of an 800-pixel strip, at (x, y).
void drawHorizontalTrail(const SceneTarget& target, const SpriteImage* strip, int length, int x, int y, int level, int side);
// The bottom length pixels of the left 14 columns of an 800-pixel-high strip, at (x, y).
void drawVerticalTrail(const SceneTarget& target, const SpriteImage* strip, int length, int x, int y, int level, int side);

// Smoke that climbs behind a missile as pieces of w × h, each rise pixels above the one before.
struct Staircase {
    int w, h, rise, firstColumn;
};
// length pixels of staircase, its first piece at (x, y).
void drawStaircaseTrail(const SceneTarget& target, const SpriteImage* sheet, const Staircase& stair, int length, int x,
    int y, int level, int side);

// An effect sprite's frames stacked downward: frame index at (x, y), nothing outside 0..frames - 1.
void drawStackedFrame(const SceneTarget& target, const SpriteImage* sprite, int w, int h, int frame, int frames, int x,
    int y, int side);

// The launch painter of a weapon kind, drawn into the firing side's buffer; false for kinds that
// show nothing at launch.
bool paintLaunch(int kind, int t, int side, int x, int y, int step, int figure);
// The incoming painter of the firing side's weapon kind, drawn into the target side's buffer;
// returns whether the shot has arrived.
bool paintIncoming(int kind, int t, int side, int tx, int ty, int step, int reach, bool relative);
