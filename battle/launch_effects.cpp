// What leaves a firing figure's weapon: one table row per weapon kind drives a handful of painters
// (shells, straight shots, climbing and upright missiles, muzzle flashes, drops, two-stage launches,
// the beam). Everything is drawn in the defender's coordinates; the blits mirror the attacker.
#include "battle/effect_painters.h"

#include "battle/battle_sound.h"

#include <algorithm>
#include <map>
#include <span>

namespace {

constexpr int kSecondStageSound = 2;

enum class Launch { Shell, Straight, Climb, Upright, SmallFlash, LargeFlash, Bomb, Fall, UnderWater, TwoStage, Beam };

// A frame of a sheet: (x0 + step × xStep + parity × xAlt, y0 + parity × yAlt), w × h.
struct Frame {
    int w = 0, h = 0;
    int x0 = 0, xStep = 0, xAlt = 0;
    int y0 = 0, yAlt = 0;
    int srcX(int step, int t) const { return x0 + step * xStep + parity(t) * xAlt; }
    int srcY(int t) const { return y0 + parity(t) * yAlt; }
};

// A launch flash: frames of w × h stacked in extra sprite E<sprite>, one every three frames, placed
// from the muzzle (or from x + p1, y + p2 when raw) by (dx, dy), (dx1, dy1) from size step 1.
struct Flash {
    int sprite = 0;
    int w = 0, h = 0;
    int frames = 0;
    bool fromMuzzle = false;
    Offset at {}, at1 {};
    // Which frame each third of a frame shows, when not 0, 1, 2, ...
    const int* sequence = nullptr;
};

enum class TrailLength { None, ShellSquare, Grown, Sixteen, Distance };

struct LaunchEntry {
    Launch painter {};
    Muzzle muzzle = Muzzle::Rounded;
    StepOffsets offsets {};
    // The size step counts as at most this for frames (and for the muzzle unless ownStepMuzzle).
    int stepCap = 3;
    bool ownStepMuzzle = false;
    // Kinds 23 and 27: the weapon row holds two muzzles, chosen by the other side's background.
    bool halfValues = false;
    Frame frame {};
    // Hundredths of a pixel a frame (narrow, wide); shells: thousandths of d's growth.
    int speed = 0, wideSpeed = 0;
    int climb = 0;
    // Shells that sink wait frames before their run, dropping waitDrop pixels; their rows then are
    // (3t + waitRow) / wait.
    int wait = 0, waitDrop = 0, waitRow = 0, runDy = 0;
    // Straight shots grow to min(distance × grow / 100, frame.w) wide; kind 31 steps its rows by thirds.
    int grow = 100;
    bool rowsByThirds = false;
    TrailLength trail = TrailLength::None;
    bool halfTrailInKind5 = false;
    // Horizontal trails: from the shot by (trailDx or 42 scaled, trailDy).
    bool scaledTrailDx = false;
    Offset trailAt {};
    Fade fade = Fade::Fade27;
    int fadeShift = 0;
    Staircase stair {};
    Offset stairStart {};
    int reserve = 0;
    Flash flash {};
    // Small flashes: shown while t / period is below frames; the source column, 12 against the sky.
    int period = 2, frames = 8, column = 0, skyColumn = -1;
    bool forward = true;
    // Large flashes: kinds 61 and 63 always show the smaller frame; kind 21 fires a shot first.
    bool smallFrameOnly = false, shot = false;
    // Two-stage launches.
    int stage = 40, stageEnd = 0, stageSpeed = 1430, stageHeight = 44;
    int underSpeed = 8, underRow = 0;
    int firstStage = 0;
    int missileSprite = 0, flashSprite = 2;
    // Kinds 72 and 73 show another kind's launch for their first frames.
    int sameAs = 0, until = 0;
};

constexpr int kSalvoFlash[14] = { 0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7 };

// Salvo of kind 52: start frame and muzzle offset of each of its three missiles.
struct SalvoMissile {
    int start;
    Offset offset;
};
constexpr SalvoMissile kSingle[1] = { { 0, { 0, 0 } } };
constexpr SalvoMissile kSalvo[3] = { { 0, { 0, 0 } }, { 9, { -2, -2 } }, { 15, { 2, 2 } } };

// Muzzles that move in as the figure shrinks with its size step.
constexpr StepOffsets kShrinkingOffsets { { { 0, 0 }, { -2, -2 }, { -4, -4 }, { -8, -7 } } };

std::map<int, LaunchEntry> makeLaunchTable()
{
    std::map<int, LaunchEntry> table;
    auto set = [&table](std::initializer_list<int> kinds, const LaunchEntry& entry) {
        for (int k : kinds)
            table[k] = entry;
    };
    const Frame shell16 { .w = 60, .h = 16, .xStep = 60, .y0 = 64, .yAlt = 16 };
    set({ 1, 2 }, { .painter = Launch::Shell, .frame = shell16, .speed = 1690, .wideSpeed = 2535,
                       .trail = TrailLength::ShellSquare, .halfTrailInKind5 = true, .scaledTrailDx = true, .fade = Fade::Fade33 });
    set({ 3 }, { .painter = Launch::Shell, .offsets = kShrinkingOffsets, .frame = shell16, .speed = 1690, .wideSpeed = 2535,
                   .wait = 8, .waitDrop = 5, .waitRow = 12, .runDy = 5, .trail = TrailLength::ShellSquare,
                   .scaledTrailDx = true, .fade = Fade::Fade33, .fadeShift = 8 });
    set({ 6, 8 }, { .painter = Launch::Shell, .frame = { .w = 60, .h = 56, .xStep = 60, .y0 = 224, .yAlt = 56 }, .speed = 1300,
                      .wideSpeed = 1950, .wait = 16, .waitDrop = 8, .waitRow = 24, .runDy = 8,
                      .trail = TrailLength::ShellSquare, .scaledTrailDx = true, .fade = Fade::Fade33, .fadeShift = 16 });
    set({ 7 }, { .painter = Launch::Shell, .frame = { .w = 60, .h = 16, .xStep = 60, .y0 = 32, .yAlt = 16 }, .speed = 1300,
                   .wideSpeed = 1950, .trail = TrailLength::ShellSquare, .halfTrailInKind5 = true, .trailAt = { 42, -1 },
                   .fade = Fade::Fade33 });
    set({ 9 }, { .painter = Launch::Straight, .frame = { .w = 60, .h = 16, .xStep = 60, .y0 = 16, .yAlt = 16 }, .speed = 3200,
                   .wideSpeed = 3800, .grow = 130, .trail = TrailLength::Grown, .halfTrailInKind5 = true,
                   .scaledTrailDx = true, .trailAt = { 0, -2 }, .fade = Fade::Fade27,
                   .flash = { .sprite = 2, .w = 34, .h = 29, .frames = 8, .fromMuzzle = true, .at = { -42, -10 }, .at1 = { -42, -10 } } });
    set({ 31 }, { .painter = Launch::Straight, .stepCap = 1, .frame = { .w = 60, .h = 16, .xStep = 60 }, .speed = 2080,
                    .wideSpeed = 2080, .rowsByThirds = true, .trail = TrailLength::Sixteen, .trailAt = { 42, -1 },
                    .fade = Fade::Fade33 });
    const Frame level80 { .w = 80, .h = 80, .x0 = 320, .xAlt = 80 };
    set({ 57 }, { .painter = Launch::Straight, .frame = level80, .speed = 2080, .wideSpeed = 2080, .climb = 130,
                    .trail = TrailLength::Distance, .trailAt = { 80, 8 }, .fade = Fade::Fade33 });
    set({ 59 }, { .painter = Launch::Straight, .frame = level80, .speed = 2080, .wideSpeed = 2080, .climb = 130,
                    .trail = TrailLength::Distance, .trailAt = { 80, 26 }, .fade = Fade::Fade33 });

    // Climbing missiles and their staircases of smoke.
    const Frame climb80 { .w = 80, .h = 80, .xStep = 80, .y0 = 160, .yAlt = 80 };
    const Frame pair80 { .w = 80, .h = 80, .xAlt = 80 };
    set({ 36 }, { .painter = Launch::Climb, .stepCap = 1, .frame = climb80, .speed = 1950, .climb = 1300,
                    .stair = { 20, 26, 14, 620 }, .stairStart = { -20, -19 }, .reserve = 42 });
    set({ 40 }, { .painter = Launch::Climb, .stepCap = 1, .frame = climb80, .speed = 2080, .climb = 1040,
                    .stair = { 20, 24, 10, 680 }, .stairStart = { -20, -20 }, .reserve = 46 });
    set({ 38, 42 }, { .painter = Launch::Climb, .stepCap = 1, .frame = climb80, .speed = 2340, .climb = 780,
                        .stair = { 24, 20, 8, 720 }, .stairStart = { -24, -8 }, .reserve = 52 });
    set({ 44 }, { .painter = Launch::Climb, .stepCap = 1, .frame = climb80, .speed = 2340, .climb = 2340,
                    .stair = { 14, 26, 14, 546 }, .stairStart = { -14, -27 }, .reserve = 72 });
    set({ 56 }, { .painter = Launch::Climb, .frame = pair80, .speed = 2080, .climb = 2080, .stair = { 14, 32, 14, 546 },
                    .stairStart = { -14, -18 }, .reserve = 50 });
    set({ 53, 58 }, { .painter = Launch::Climb, .frame = pair80, .speed = 2080, .climb = 1040, .stair = { 20, 24, 10, 680 },
                        .stairStart = { -20, -11 }, .reserve = 80 });
    set({ 32 }, { .painter = Launch::Climb, .offsets = { { { 0, 0 }, { -3, -2 } } }, .stepCap = 1,
                    .frame = { .w = 80, .h = 40, .xStep = 80 }, .speed = 2210, .climb = 1300, .fade = Fade::Fade24,
                    .stair = { 17, 25, 10, 663 }, .stairStart = { -17, -20 }, .reserve = 46 });
    const Flash salvoFlash { .sprite = 3, .w = 58, .h = 60, .frames = 8, .at = { -36, -43 }, .at1 = { -43, -50 } };
    set({ 51 }, { .painter = Launch::Climb, .muzzle = Muzzle::Raw, .stepCap = 1,
                    .frame = { .w = 80, .h = 40, .xStep = 80, .yAlt = 40 }, .speed = 2210, .climb = 1170,
                    .stair = { 20, 24, 10, 680 }, .stairStart = { -20, -20 }, .reserve = 46, .flash = salvoFlash });
    Flash salvo_flash = salvoFlash;
    salvo_flash.frames = 14;
    salvo_flash.sequence = kSalvoFlash;
    set({ 52 }, { .painter = Launch::Climb, .muzzle = Muzzle::Raw, .stepCap = 1,
                    .frame = { .w = 80, .h = 40, .xStep = 80, .yAlt = 40 }, .speed = 2210, .climb = 1300,
                    .fade = Fade::Fade24, .stair = { 17, 25, 10, 663 }, .stairStart = { -17, -20 }, .reserve = 46,
                    .flash = salvo_flash });
    set({ 62, 66, 68, 70 }, { .painter = Launch::Climb, .muzzle = Muzzle::Raw, .frame = { .w = 60, .h = 44, .x0 = 120, .xAlt = 60 },
                                .speed = 1430, .climb = 1430, .stair = { 14, 32, 14, 546 }, .stairStart = { -14, -24 },
                                .reserve = 22, .flash = { .sprite = 2, .w = 72, .h = 75, .frames = 8, .at = { -36, -43 }, .at1 = { -36, -43 } } });

    // Upright launches with a vertical strip of smoke.
    set({ 37, 39, 41, 43, 45 }, { .painter = Launch::Upright, .stepCap = 1, .frame = { .w = 80, .h = 80, .xStep = 80, .yAlt = 80 },
                                    .speed = 2600 });
    set({ 54 }, { .painter = Launch::Upright, .frame = level80, .speed = 2600 });
    set({ 67, 69, 71 }, { .painter = Launch::Upright, .muzzle = Muzzle::Raw, .frame = { .w = 60, .h = 44, .xAlt = 60 }, .speed = 2080,
                            .flash = { .sprite = 2, .w = 70, .h = 48, .frames = 8, .at = { -28, -40 }, .at1 = { -28, -40 } } });

    // Muzzle flashes.
    set({ 16, 18, 24 }, { .painter = Launch::SmallFlash, .muzzle = Muzzle::Truncated });
    set({ 17, 25 }, { .painter = Launch::SmallFlash, .muzzle = Muzzle::Truncated, .offsets = kShrinkingOffsets, .forward = false });
    set({ 23 }, { .painter = Launch::SmallFlash, .offsets = { { { 0, 0 }, { -2, 0 }, { -4, -4 }, { -8, -7 } } },
                    .halfValues = true, .skyColumn = 12 });
    set({ 26 }, { .painter = Launch::SmallFlash, .muzzle = Muzzle::Truncated, .offsets = kShrinkingOffsets, .period = 3,
                    .frames = 2, .column = 12 });
    set({ 19 }, { .painter = Launch::LargeFlash, .offsets = { { { 0, 0 }, { -1, 1 } } }, .stepCap = 1 });
    set({ 21 }, { .painter = Launch::LargeFlash, .offsets = { { { 0, 0 }, { -1, 1 } } }, .stepCap = 1, .shot = true });
    const StepOffsets large_offsets { { { 0, 0 }, { -1, 3 }, { -1, 3 }, { -1, 3 } } };
    set({ 22 }, { .painter = Launch::LargeFlash, .offsets = large_offsets, .stepCap = 1, .ownStepMuzzle = true });
    set({ 27 }, { .painter = Launch::LargeFlash, .offsets = large_offsets, .stepCap = 1, .ownStepMuzzle = true, .halfValues = true });
    set({ 61, 63 }, { .painter = Launch::LargeFlash, .offsets = large_offsets, .stepCap = 1, .ownStepMuzzle = true,
                        .smallFrameOnly = true });

    set({ 11, 12 }, { .painter = Launch::Bomb, .frame = { .w = 60, .h = 44, .xStep = 60 } });
    set({ 13 }, { .painter = Launch::Fall, .frame = { .w = 40, .h = 16, .y0 = 360 } });

    // Under water and in two stages.
    set({ 76, 77 }, { .painter = Launch::UnderWater });
    set({ 72 }, { .sameAs = 62, .until = 30 });
    set({ 73 }, { .sameAs = 67, .until = 30 });
    set({ 74 }, { .painter = Launch::TwoStage, .firstStage = 74, .missileSprite = 1 });
    set({ 78, 79 }, { .painter = Launch::TwoStage, .firstStage = 78, .missileSprite = 1 });
    set({ 80 }, { .painter = Launch::TwoStage, .firstStage = 80, .missileSprite = 0, .flashSprite = 1 });
    set({ 75 }, { .painter = Launch::TwoStage, .stage = 22, .stageEnd = 45, .stageSpeed = 1400, .stageHeight = 60,
                    .underSpeed = 12, .underRow = 60, .firstStage = 75, .missileSprite = 0 });
    set({ 82 }, { .painter = Launch::Beam, .muzzle = Muzzle::Truncated, .offsets = { { { 0, 0 }, { -1, -2 }, { -1, -5 }, { 0, -6 } } } });
    return table;
}

const LaunchEntry* launchEntry(int kind)
{
    static const std::map<int, LaunchEntry> table = makeLaunchTable();
    const auto it = table.find(kind);
    return it == table.end() ? nullptr : &it->second;
}

// One firing figure's frame: everything a painter reads.
struct Shot {
    const LaunchEntry& entry;
    int t, side, x, y, step, figure;
    SceneSide& own;
    const SceneSide& other;
    SceneTarget target;
    ShotSprites sprites;
    bool wide;
    int p1, p2;

    int frameStep() const { return std::min(step, entry.stepCap); }
    MuzzlePoint muzzle() const
    {
        return muzzlePoint(entry.muzzle, x, y, p1, p2, entry.ownStepMuzzle ? step : frameStep(), entry.offsets);
    }
    const SpriteImage* extra(int n) const { return n >= 1 && n <= 4 ? sprites.extra[size_t(n - 1)] : nullptr; }
    int scaled42() const { return (42 * stepScale(frameStep()) + 50) / 100; }
    void blit(const SpriteImage* sprite, int at_x, int at_y, int w, int h, int src_x, int src_y) const
    {
        blitSprite(target, sprite, at_x, at_y, w, h, src_x, src_y, side);
    }
};

void drawFlash(const Shot& s, int t, MuzzlePoint m)
{
    const Flash& f = s.entry.flash;
    if (f.sprite == 0 || t < 0 || t / 3 >= f.frames)
        return;
    const Offset at = s.frameStep() >= 1 ? f.at1 : f.at;
    const int bx = f.fromMuzzle ? m.x : s.x + s.p1;
    const int by = f.fromMuzzle ? m.y : s.y + s.p2;
    const int frame = f.sequence ? f.sequence[t / 3] : t / 3;
    drawStackedFrame(s.target, s.extra(f.sprite), f.w, f.h, frame, 8, bx + at.x, by + at.y, s.side);
}

// Kinds 1-3 and 6-8: d grows linearly and the shell is d² from the muzzle.
void paintShell(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const MuzzlePoint m = s.muzzle();
    const int col = s.frameStep() * entry.frame.xStep;
    if (s.t < entry.wait) {
        const int row = (3 * s.t + entry.waitRow) / entry.wait;
        s.blit(s.sprites.weapon, m.x, m.y + entry.waitDrop * s.t / entry.wait, entry.frame.w, entry.frame.h, col, row * entry.frame.h);
        return;
    }
    const int d = (s.t - entry.wait) * (s.wide ? entry.wideSpeed : entry.speed) / 1000;
    const int sx = m.x - d * d;
    const int sy = m.y + entry.runDy;
    s.blit(s.sprites.weapon, sx, sy, entry.frame.w, entry.frame.h, col, entry.frame.srcY(s.t));
    const int length = entry.halfTrailInKind5 && s.own.sceneKind == 5 ? d * d : 2 * d * d;
    const int dx = entry.scaledTrailDx ? s.scaled42() : entry.trailAt.x;
    drawHorizontalTrail(s.target, s.extra(1), length, sx + dx, sy + entry.trailAt.y, fadeLevel(entry.fade, s.t, entry.fadeShift), s.side);
}

// Kinds 9, 31, 57, 59: a constant speed, growing out of the muzzle.
void paintStraight(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const MuzzlePoint m = s.muzzle();
    const int d = s.t * (s.wide ? entry.wideSpeed : entry.speed) / 100;
    const int e = s.t * entry.climb / 100;
    const int sx = m.x - d;
    const int sy = m.y - e;
    int src_y = entry.frame.srcY(s.t);
    if (entry.rowsByThirds)
        src_y = (s.t / 3 <= 3 ? s.t / 3 : (s.t / 3) % 2 + 2) * entry.frame.h;
    s.blit(s.sprites.weapon, sx, sy, std::min(d * entry.grow / 100, entry.frame.w), entry.frame.h, entry.frame.srcX(s.frameStep(), s.t), src_y);
    int length = 0;
    switch (entry.trail) {
    case TrailLength::Grown:
        length = d * entry.grow / 100 - s.scaled42();
        if (!(entry.halfTrailInKind5 && s.own.sceneKind == 5))
            length *= 2;
        break;
    case TrailLength::Sixteen: length = 16 * s.t; break;
    case TrailLength::Distance: length = d; break;
    default: break;
    }
    const int dx = entry.scaledTrailDx ? s.scaled42() : entry.trailAt.x;
    drawHorizontalTrail(s.target, s.extra(1), length, sx + dx, sy + entry.trailAt.y, fadeLevel(entry.fade, s.t), s.side);
    drawFlash(s, s.t, m);
}

// The staircase kinds: one missile (three for kind 52) climbing up and to the left.
void paintClimb(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const MuzzlePoint m = s.muzzle();
    const bool salvo = entry.flash.sequence != nullptr;
    const std::span<const SalvoMissile> missiles = salvo ? std::span<const SalvoMissile>(kSalvo) : std::span<const SalvoMissile>(kSingle);
    for (size_t k = 0; k < missiles.size(); ++k) {
        const int t = s.t - missiles[k].start;
        if (t < 0)
            continue;
        const Offset o = missiles[k].offset;
        const int dx = t * entry.speed / 100;
        const int dy = t * entry.climb / 100;
        const int mx = m.x + o.x - dx;
        const int my = m.y + o.y - dy;
        const int length = s.x + s.p1 + o.x - entry.reserve - mx;
        drawStaircaseTrail(s.target, s.extra(1), entry.stair, length, s.x + s.p1 + o.x + entry.stairStart.x,
            s.y + s.p2 + o.y + entry.stairStart.y, fadeLevel(entry.fade, t), s.side);
        s.blit(s.sprites.weapon, mx, my, std::min(dx, entry.frame.w), std::min(dy, entry.frame.h),
            entry.frame.srcX(s.frameStep(), int(k) + s.t), entry.frame.srcY(int(k) + s.t));
    }
    drawFlash(s, s.t, m);
}

// Straight up from the muzzle, the strip of smoke below.
void paintUpright(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const MuzzlePoint m = s.muzzle();
    const int d = s.t * entry.speed / 100;
    const int my = m.y - d;
    drawVerticalTrail(s.target, s.extra(1), d, m.x, my + 42, fadeLevel(Fade::Fade27, s.t), s.side);
    s.blit(s.sprites.weapon, m.x, my, entry.frame.w, std::min(d, entry.frame.h), entry.frame.srcX(s.frameStep(), s.t), entry.frame.srcY(s.t));
    drawFlash(s, s.t, m);
}

void paintSmallFlash(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const int q = s.t / entry.period;
    if (s.t < -entry.period + 1 || q >= entry.frames)
        return;
    const MuzzlePoint m = s.muzzle();
    const int column = entry.skyColumn >= 0 && s.other.background == 60 ? entry.skyColumn : entry.column;
    blitSprite(s.target, s.sprites.weapon, m.x, m.y, 12, 12, column, (q % 2) * 12, s.side, entry.forward);
}

void paintLargeFlash(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    const MuzzlePoint m = s.muzzle();
    if (entry.shot && s.t >= 0) {
        const int step = s.frameStep();
        const int scale = stepScale(step);
        const Offset b = step == 0 ? Offset { 30, 23 } : Offset { 25, 18 };
        s.blit(s.extra(1), s.x + (s.p1 * scale + 50) / 100 + b.x - s.t * 3640 / 100, s.y + (s.p2 * scale + 50) / 100 + b.y, 4, 4, 0, 0);
    }
    const int q = s.t / 2;
    if (s.t < -1 || q > 7)
        return;
    if (s.frameStep() == 0 && !entry.smallFrameOnly)
        s.blit(s.sprites.weapon, m.x, m.y, 64, 50, 0, 50 * q);
    else
        s.blit(s.sprites.weapon, m.x, m.y, 54, 42, 64, 42 * q);
}

void paintBomb(const Shot& s)
{
    const MuzzlePoint m = s.muzzle();
    const int col = s.frameStep() * 60;
    if (s.t <= 20) {
        s.blit(s.sprites.weapon, m.x, m.y, 60, 44, col, 0);
        return;
    }
    const int e = s.t - 20;
    s.blit(s.sprites.weapon, m.x + e, m.y + 3 * e * e / 10, 60, 44, col, std::min(e / 10, 2) * 44);
}

void paintFall(const Shot& s)
{
    const MuzzlePoint m = s.muzzle();
    s.blit(s.sprites.weapon, m.x, m.y + 10 * s.t, 40, 16, 0, 360);
}

// Sliding out of a launcher under water, to the left.
void paintUnderWater(const Shot& s, int speed, int row)
{
    if (s.own.background != 58)
        return;
    const int d = speed * s.t * 130 / 100;
    s.blit(s.sprites.weapon, s.x + s.p1 - d - 40, s.y + s.p2, std::min(d, 40), 16, 0, row);
}

// A first stage at the launcher, then the missile breaking out over the first extra background.
void paintTwoStage(const Shot& s)
{
    const LaunchEntry& entry = s.entry;
    if (s.t < entry.stage) {
        if (entry.firstStage == 74) {
            if (s.own.background == 58) {
                const int d = s.t * 1040 / 100;
                s.blit(s.sprites.weapon, s.x + s.p1 - d - 60, s.y + s.p2 - d, std::min(d, 60), std::min(d, 44), 480, 0);
            }
        } else if (entry.firstStage == 80) {
            const int d = s.t * 910 / 100;
            s.blit(s.sprites.weapon, s.x + s.p1 - d, s.y + s.p2 - d, std::min(d, 60), std::min(d, 44), 0, 0);
        } else {
            paintUnderWater(s, entry.underSpeed, entry.underRow);
        }
        return;
    }
    if (entry.stageEnd && s.t >= entry.stageEnd)
        return;
    const int e = s.t - entry.stage;
    const int d = e * entry.stageSpeed / 100;
    const SpriteImage* missile = entry.missileSprite ? s.extra(entry.missileSprite) : s.sprites.weapon;
    s.blit(missile, 230 - d, 240 - d, std::min(d, 60), std::min(d, entry.stageHeight), (parity(e) + 2) * 60, 0);
    drawStackedFrame(s.target, s.extra(entry.flashSprite), 100, 47, e / 3, 8, 180, 195, s.side);
    if (s.figure >= 0 && s.figure < kFigureCount) {
        int& flags = s.own.figures[size_t(s.figure)].soundFlags;
        if (!(flags & kSecondStageSound)) {
            playSideSound(s.side, 2);
            flags |= kSecondStageSound;
        }
    }
}

void paintBeam(const Shot& s)
{
    if (s.t > 31)
        return;
    const MuzzlePoint m = s.muzzle();
    int v = s.t % 32;
    if (v > 16)
        v = 32 - v;
    blitSpriteTranslucent(s.target, s.sprites.weapon, 0, m.y, m.x, 3, 0, 0, v, s.side);
}

} // namespace

bool paintLaunch(int kind, int t, int side, int x, int y, int step, int figure)
{
    const LaunchEntry* entry = launchEntry(kind);
    if (!entry)
        return false;
    if (entry->sameAs)
        return t < entry->until && paintLaunch(entry->sameAs, t, side, x, y, step, figure);
    SceneState& st = sceneState();
    SceneSide& own = st.sides[size_t(side)];
    const SceneSide& other = st.sides[size_t(1 - side)];
    int p1 = int(own.weaponParam1);
    int p2 = int(own.weaponParam2);
    if (entry->halfValues) {
        p1 = halfValue(own.weaponParam1, other.background);
        p2 = halfValue(own.weaponParam2, other.background);
    }
    const Shot shot { *entry, t, side, x, y, std::clamp(step, 0, 3), figure, own, other, LiveClashWindow::target(side),
        shotSprites(own), st.wide[size_t(side)], p1, p2 };
    // Only the muzzle flashes show before the figure fires.
    if (t < 0 && entry->painter != Launch::SmallFlash && entry->painter != Launch::LargeFlash)
        return true;
    switch (entry->painter) {
    case Launch::Shell: paintShell(shot); break;
    case Launch::Straight: paintStraight(shot); break;
    case Launch::Climb: paintClimb(shot); break;
    case Launch::Upright: paintUpright(shot); break;
    case Launch::SmallFlash: paintSmallFlash(shot); break;
    case Launch::LargeFlash: paintLargeFlash(shot); break;
    case Launch::Bomb: paintBomb(shot); break;
    case Launch::Fall: paintFall(shot); break;
    case Launch::UnderWater: paintUnderWater(shot, 8, 0); break;
    case Launch::TwoStage: paintTwoStage(shot); break;
    case Launch::Beam: paintBeam(shot); break;
    }
    return true;
}
