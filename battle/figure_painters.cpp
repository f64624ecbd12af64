// The painters of ten-figure formations: the shared figure painter and its layouts, kind 5's hover
// and the fixed formations.
#include "battle/scene_painters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Point {
    int x, y;
};

constexpr SheetRect kGroundRects[4] = { { 0, 0, 160, 80 }, { 160, 0, 136, 68 }, { 160, 68, 112, 56 }, { 0, 80, 88, 44 } };
constexpr SheetRect kKind3Rects[4] = { { 0, 0, 220, 80 }, { 220, 0, 188, 68 }, { 220, 68, 154, 56 }, { 0, 80, 122, 44 } };
constexpr int kGroundSteps[kFigureCount] = { 0, 0, 1, 1, 2, 2, 3, 3, 3, 3 };
constexpr Point kGroundNarrow[kFigureCount] = { { 320, 162 }, { 88, 146 }, { 272, 144 }, { 242, 129 }, { 40, 128 },
    { 10, 113 }, { 360, 62 }, { 296, 48 }, { 128, 46 }, { 64, 32 } };
constexpr Point kGroundWideFrom[kFigureCount] = { { 1316, 162 }, { 1084, 146 }, { 1268, 144 }, { 1238, 129 },
    { 1036, 128 }, { 1000, 113 }, { 1352, 62 }, { 1288, 48 }, { 1056, 46 }, { 992, 32 } };
constexpr Point kGroundWideTo[kFigureCount] = { { -160, 162 }, { -400, 146 }, { -130, 144 }, { -160, 129 },
    { -360, 128 }, { -390, 113 }, { -88, 62 }, { -160, 48 }, { -380, 46 }, { -440, 32 } };
constexpr Point kKind3Narrow[kFigureCount] = { { 280, 162 }, { 68, 146 }, { 252, 144 }, { 222, 129 }, { 20, 128 },
    { 0, 113 }, { 340, 62 }, { 276, 48 }, { 108, 46 }, { 44, 32 } };
constexpr Point kKind3Wide[kFigureCount] = { { 776, 162 }, { 564, 146 }, { 748, 144 }, { 718, 129 }, { 516, 128 },
    { 496, 113 }, { 836, 62 }, { 772, 48 }, { 604, 46 }, { 540, 32 } };
constexpr Point kExplosionOffset[4] = { { 28, -32 }, { 18, -42 }, { -2, -50 }, { 0, -40 } };

struct FigureLayout {
    const Point* positions;
    // Wide layout only: where each figure is after 150 frames.
    const Point* widePositions;
    const SheetRect* rects;
    const int* steps;
};

} // namespace

int figureBob(const SceneFigure& fig, int f)
{
    int t = fig.hitCount > 0 ? f - 2 * fig.jitterB : fig.hitFrame + fig.jitterB;
    t %= 270;
    if (t <= 0 || t >= 150)
        return 0;
    const double angle = t * 2 * std::numbers::pi / 150;
    int dy = 0;
    if (t < 37.5)
        dy = int(6 * std::sin(angle));
    else if (t < 75)
        dy = 6;
    else if (t < 112.5)
        dy = int(-6 * std::cos(angle));
    return fig.jitterC % 2 == 0 ? -dy : dy;
}

namespace {

// Shots of the other side aimed at figure i arrive at (cx, cy).
void takeHits(int f, int side, int cut, int i, int cx, int cy, int step)
{
    SceneState& st = sceneState();
    SceneSide& s = st.sides[size_t(side)];
    const SceneSide& o = st.sides[size_t(1 - side)];
    if (o.weaponKind == 0)
        return;
    for (int j = 0; j < kFigureCount; ++j) {
        const SceneFigure& shooter = o.figures[size_t(j)];
        if (shooter.target != i)
            continue;
        const int t = f - cut * kCutFrames - s.figures[size_t(j)].jitterA % 30;
        if (drawIncomingEffect(t, side, cx, cy, step, shooter.fires, j, false))
            landShot(side, f, j, i, i);
    }
}

void drawFigures(int f, int side, int cut, const FigureLayout& layout)
{
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    LiveClashWindow::drawBackground(f, side, true, false, 0);
    for (int i = kFigureCount - 1; i >= 0; --i) {
        SceneFigure& fig = s.figures[size_t(i)];
        Point p = layout.positions[i];
        if (st.wide[size_t(side)] && layout.widePositions) {
            const Point to = layout.widePositions[i];
            p.x += (to.x - p.x) * (f % 150) / 150;
            p.y += (to.y - p.y) * (f % 150) / 150;
        }
        const int step = layout.steps[i];
        const SheetRect& r = layout.rects[step];
        const int dy = figureBob(fig, f);
        if (fig.hitCount > 0) {
            blitSprite(target, unit, p.x, p.y + dy, r.w, r.h, r.x, r.y, side);
            if (phase == kPhaseFire && s.weaponKind != 0)
                drawLaunchEffect(f - cut * kCutFrames - fig.jitterA % 30, side, p.x, p.y + dy, step, i);
        }
        if (phase == kPhaseHit)
            takeHits(f, side, cut, i, p.x + r.w / 2, p.y + dy + r.h / 2, step);
        if (fig.hitFrame < 0)
            continue;
        int sx = 0;
        int sy = 0;
        if (fig.hitCount < 1) {
            const int k = f - fig.hitFrame - 8;
            if (k >= 0)
                sx = 8 * k, sy = 4 * k;
            blitSpriteTranslucent(target, unit, p.x + sx, p.y + dy + sy, r.w, r.h, r.x, r.y, fig.hitFrame - f + 16, side);
        }
        const Point off = kExplosionOffset[step];
        drawExplosion(Explosion::First, f - fig.hitFrame, p.x + sx + off.x, p.y + dy + sy + off.y, side, step == 3 ? 1 : 0);
    }
}

} // namespace

void drawFormation(int f, int side, int cut)
{
    const bool wide = sceneState().wide[size_t(side)];
    drawFigures(f, side, cut,
        { wide ? kGroundWideFrom : kGroundNarrow, wide ? kGroundWideTo : nullptr, kGroundRects, kGroundSteps });
}

void drawKind3Formation(int f, int side, int cut)
{
    const bool wide = sceneState().wide[size_t(side)];
    drawFigures(f, side, cut, { wide ? kKind3Wide : kKind3Narrow, wide ? kKind3Narrow : nullptr, kKind3Rects, kGroundSteps });
}

void drawKind5(int f, int side, int cut)
{
    static constexpr SheetRect kRects[4] = { { 0, 0, 160, 80 }, { 160, 0, 136, 68 }, { 160, 272, 112, 56 }, { 0, 320, 88, 44 } };
    static constexpr int kSteps[kFigureCount] = { 0, 0, 0, 0, 1, 1, 2, 2, 3, 3 };
    static constexpr Point kPlaces[kFigureCount] = { { 320, 150 }, { 88, 134 }, { 272, 118 }, { 232, 104 }, { 40, 102 },
        { 0, 88 }, { 352, 77 }, { 296, 69 }, { 120, 66 }, { 64, 58 } };
    static constexpr Point kOffsets[4] = { { 28, -15 }, { 18, -24 }, { 20, -6 }, { 12, -19 } };
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    LiveClashWindow::drawBackground(f, side, false, false, 0);
    for (int i = kFigureCount - 1; i >= 0; --i) {
        SceneFigure& fig = s.figures[size_t(i)];
        const int step = kSteps[i];
        const SheetRect& r = kRects[step];
        const int t = (fig.hitCount > 0 ? f : fig.hitFrame) + fig.jitterB;
        int dy = 0;
        if (t % 120 >= 60 && t % 120 < 105) {
            dy = int(3 * std::sin(((t - 60) % 45) * 2 * std::numbers::pi / 45));
            if (fig.jitterC % 2 == 0)
                dy = -dy;
        }
        const Point p { kPlaces[i].x, kPlaces[i].y + dy };
        const int pose = (f + fig.jitterA) % 4;
        if (fig.hitCount > 0) {
            blitSprite(target, unit, p.x, p.y, r.w, r.h, r.x, r.y + pose * r.h, side);
            if (phase == kPhaseFire && s.weaponKind != 0)
                drawLaunchEffect(f - cut * kCutFrames - fig.jitterA % 30, side, p.x, p.y, step, i);
        }
        if (phase == kPhaseHit)
            takeHits(f, side, cut, i, p.x + r.w / 2, p.y + r.h / 2, step);
        if (fig.hitFrame < 0)
            continue;
        if (fig.hitCount < 1)
            blitSpriteTranslucent(target, unit, p.x, p.y, r.w, r.h, r.x, r.y + pose * r.h, fig.hitFrame - f + 16, side);
        drawExplosion(Explosion::Second, f - fig.hitFrame, p.x + kOffsets[step].x, p.y + kOffsets[step].y, side, step < 2 ? 0 : 1);
    }
}

void drawFixedFormation(int f, int side, int cut)
{
    struct Layout {
        SheetRect rects[2];
        Point places[kFigureCount];
        Point offsets[2];
    };
    static constexpr Layout kFirst { { { 0, 0, 160, 80 }, { 160, 0, 136, 68 } },
        { { 16, 186 }, { 320, 186 }, { 176, 180 }, { 304, 168 }, { 48, 162 }, { 184, 152 }, { 330, 138 }, { 24, 135 },
            { 136, 127 }, { 280, 120 } },
        { { 0, -40 }, { 0, -27 } } };
    static constexpr Layout kSecond { { { 0, 0, 160, 160 }, { 160, 0, 136, 136 } },
        { { 16, 112 }, { 176, 108 }, { 336, 104 }, { 60, 100 }, { 304, 100 }, { 184, 100 }, { 360, 88 }, { 24, 80 },
            { 136, 72 }, { 280, 64 } },
        { { 0, 40 }, { 0, 30 } } };
    static constexpr Layout kThird { { { 0, 0, 220, 80 }, { 220, 0, 188, 68 } },
        { { -10, 186 }, { 294, 186 }, { 150, 180 }, { 278, 168 }, { 22, 162 }, { 158, 152 }, { 304, 138 }, { -2, 135 },
            { 110, 127 }, { 254, 120 } },
        { { 30, -40 }, { 26, -27 } } };
    static constexpr Layout kFourth { { { 0, 0, 220, 160 }, { 220, 0, 188, 136 } },
        { { 0, 112 }, { 160, 108 }, { 320, 104 }, { 44, 100 }, { 288, 100 }, { 168, 100 }, { 344, 88 }, { 8, 80 },
            { 120, 72 }, { 264, 64 } },
        { { 30, 40 }, { 26, 30 } } };
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    const int kind = s.sceneKind;
    const Layout& layout = kind == 11 ? kSecond : kind == 14 || kind == 15 ? kThird : kind == 16 ? kFourth : kFirst;
    const int w = s.weaponKind;
    const bool second_pose = (kind == 12 && (w == 23 || w == 27 || (w >= 36 && w <= 45)) && o.background == 60)
        || ((kind == 13 || kind == 15) && (w == 22 || w == 31 || w == 32 || w == 51 || w == 52));
    const bool short_figures = s.background == 28 || s.background == 29;
    // The attacker's charge with weapon kind 33: it rushes out of the window into a white flash.
    const bool charge = side == 0 && w == 33;
    LiveClashWindow::drawBackground(f, side, false, false, 0);
    for (int i = kFigureCount - 1; i >= 0; --i) {
        SceneFigure& fig = s.figures[size_t(i)];
        const int rect_index = i < 3 ? 0 : 1;
        SheetRect r = layout.rects[rect_index];
        if (second_pose)
            r.y += r.h;
        if (short_figures)
            r.h -= rect_index == 0 ? 20 : 17;
        Point p = layout.places[i];
        if (charge && f >= 19 && f <= 74)
            p.x -= (f - 18) * 100 / 57;
        const bool hidden = charge && f >= 75;
        if (fig.hitCount > 0 && !hidden) {
            blitSprite(target, unit, p.x, p.y, r.w, r.h, r.x, r.y, side);
            if (phase == kPhaseFire && w != 0)
                drawLaunchEffect(f - cut * kCutFrames - fig.jitterA % 30, side, p.x, p.y, 0, i);
        }
        if (phase == kPhaseHit)
            takeHits(f, side, cut, i, p.x + r.w / 2, p.y + r.h / 2, 0);
        if (fig.hitFrame < 0)
            continue;
        if (fig.hitCount < 1 && !hidden)
            blitSpriteTranslucent(target, unit, p.x, p.y, r.w, r.h, r.x, r.y, fig.hitFrame - f + 16, side);
        const Point off = layout.offsets[rect_index];
        drawExplosion(Explosion::Third, f - fig.hitFrame, p.x + off.x, p.y + off.y, side, rect_index);
    }
    if (charge && f >= 19) {
        const int p = f <= 74 ? (25 * f - 450) * 4 / 57 : (75 - f) * 100 / 57 + 100;
        if (p > 0)
            fadeToWhite(std::min(p, 100), side);
    }
}
