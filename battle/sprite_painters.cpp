// The painters of units drawn as one sprite: ground vehicles, ships, large craft and small flights.
#include "battle/scene_painters.h"

#include "battle/battle_sound.h"
#include "battle/scene_tables.h"

#include <algorithm>

namespace {

constexpr int kStripSoundFlag = 0x100;

// The latest hit frame among the ten records of a one-sprite unit.
int latestHitFrame(const SceneSide& s)
{
    int latest = -1;
    for (const SceneFigure& fig : s.figures)
        latest = std::max(latest, fig.hitFrame);
    return latest;
}

// The drift of ships and large craft across the scene.
int driftX(int f)
{
    const int g = sceneState().plan.totalFrames <= 150 ? f + kCutFrames : f;
    return 140 - g * 140 / 300;
}

// One of a side's extra backgrounds, copied whole in place of the scene.
void copyExtraBackground(const SceneTarget& target, const SceneSide& owner, int index, int side)
{
    const int slot = owner.extraBackgroundSlots[size_t(index)];
    if (slot >= 0)
        copyPicture(target, sceneState().backgrounds[size_t(slot)].bitmap, 0, 0, target.width, kSceneHeight, 0, 0, side);
}

void drawFallingShellStrip(int t, int side, int x, bool fast)
{
    if (t < 0)
        return;
    const SceneSide& o = sceneState().sides[size_t(1 - side)];
    const SceneTarget target = LiveClashWindow::target(side);
    int y = -40;
    for (int frame = 0; frame < t; ++frame) {
        const int group = std::min(frame / 5, 6);
        y += (fast ? 23 : 15) - group;
    }
    int row = y / 40;
    int h = 40;
    if (y > 270) {
        row = y > 310 ? 8 : 7;
        y = 270;
    } else if (y > 240) {
        h = y - 240;
        row = y < 256 ? 5 : 6;
    }
    blitSprite(target, spriteAt(o.extraSpriteSlots[3]), x, y, 40, h, 0, std::max(row, 0) * 40, side);
    if (t >= 30 && (t - 30) / 2 < 8)
        blitSprite(target, spriteAt(o.extraSpriteSlots[2]), x + 9, 252, 28, 28, 0, (t - 30) / 2 * 28, side);
}

} // namespace

void drawSingleSprite(int f, int side, int cut)
{
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    SceneFigure& fig = s.figures[0];
    int x0 = 80;
    if (s.weaponKind == 83 && phase == kPhaseFire)
        x0 = 500 - f * 820 / 75;
    if (st.wide[size_t(side)])
        x0 = 1000 - (f % 150) * 1320 / 150;
    if (s.weaponKind == 83 && phase != kPhaseFire) {
        LiveClashWindow::drawBackground(f, side, false, false, 0);
        return;
    }
    LiveClashWindow::drawBackground(f, side, true, false, 0);
    const int dy = figureBob(fig, f);
    if (fig.hitCount > 0)
        blitSprite(target, unit, x0, 75 + dy, 320, 120, 0, 0, side);
    if (phase == kPhaseFire && s.weaponKind != 0) {
        for (int i = 0; i < kFigureCount; ++i) {
            const SceneFigure& shot = s.figures[size_t(i)];
            const int t = f - cut * kCutFrames - shot.jitterA % 30;
            const bool from_body = s.weaponKind == 16 || s.weaponKind == 17 || s.weaponKind == 82;
            if (from_body)
                drawLaunchEffect(t, side, x0, 75 + dy, 0, i);
            else
                drawLaunchEffect(t, side, x0 + shot.jitterB % 10 - 5, 70 + dy + shot.jitterC % 10, 0, i);
        }
    }
    const bool beam_at_kind8 = s.sceneKind == 8 && o.weaponKind == 82;
    if ((phase == kPhaseHit || beam_at_kind8) && o.weaponKind != 0) {
        for (int j = 0; j < kFigureCount; ++j) {
            const SceneFigure& shooter = o.figures[size_t(j)];
            if (shooter.target != 0)
                continue;
            // The aim point scatters by this side's numbers of index j.
            const SceneFigure& aim = s.figures[size_t(j)];
            const int t = f - cut * kCutFrames - aim.jitterA % 30;
            const int ay = beam_at_kind8 ? 135 + dy + aim.jitterC % 30 : 125 + dy + aim.jitterC % 20;
            if (drawIncomingEffect(t, side, x0 + 150 + aim.jitterB % 20, ay, 0, shooter.fires, j, false))
                landShot(side, f, j, 0, beam_at_kind8 ? j : 0);
        }
    }
    if (beam_at_kind8) {
        const int latest = latestHitFrame(s);
        if (fig.hitCount < 1 && latest >= 0) {
            const int k = std::max(f - latest - 8, 0);
            blitSpriteTranslucent(target, unit, x0 + 6 * k, 75 + dy + k, 320, 120, 0, 0, latest - f + 16, side);
        }
        for (int i = 0; i < kFigureCount; ++i) {
            const SceneFigure& rec = s.figures[size_t(i)];
            if (rec.hitFrame < 0)
                continue;
            const int k = std::max(f - rec.hitFrame - 8, 0);
            drawExplosion(Explosion::First, f - rec.hitFrame, x0 + 80 + 6 * k + rec.jitterB % 50, 65 + dy + k + rec.jitterC % 20, side, 0);
        }
        return;
    }
    if (fig.hitFrame >= 0 && fig.hitCount < 1) {
        const int k = std::max(f - fig.hitFrame - 8, 0);
        blitSpriteTranslucent(target, unit, x0 + 6 * k, 75 + dy + k, 320, 120, 0, 0, fig.hitFrame - f + 16, side);
        drawExplosion(Explosion::First, f - fig.hitFrame, x0 + 105 + 6 * k, 75 + dy + k, side, 0);
    }
}

void drawShip(int f, int side, int cut)
{
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    const bool forward = !(s.sceneKind == 23 && side == 0);
    const int x = s.sceneKind == 22 ? 80 : driftX(f);
    LiveClashWindow::drawBackground(f, side, false, true, 0);
    const bool present = s.figures[0].hitCount > 0;
    if (phase == kPhaseFire) {
        blitSprite(target, unit, x, 100, 360, 160, 0, 0, side, forward);
        if (s.weaponKind != 0)
            drawLaunchEffect(f - cut * kCutFrames, side, x, 100, 0, 0);
        return;
    }
    if (phase != kPhaseHit || o.weaponKind == 0) {
        if (present)
            blitSprite(target, unit, x, 100, 360, 160, 0, 0, side, forward);
        return;
    }
    if (present)
        blitSprite(target, unit, x, 100, 360, 160, 0, 0, side, forward);
    else if (latestHitFrame(s) >= 0)
        blitSpriteTranslucent(target, unit, x, 100, 360, 160, 0, 0, latestHitFrame(s) - f + 16, side, forward);
    // Misses first, then the shots that strike.
    for (int pass = 0; pass < 2; ++pass)
        for (int j = 0; j < kFigureCount; ++j) {
            const SceneFigure& shooter = o.figures[size_t(j)];
            if (shooter.target != 0 || (pass == 0) != (shooter.fires < 1))
                continue;
            const SceneFigure& own = s.figures[size_t(j)];
            const int t = f - cut * kCutFrames - own.jitterA % 30;
            if (drawIncomingEffect(t, side, x + 12 + 2 * own.jitterB, 206, 0, shooter.fires, j, false) && shooter.fires)
                landShot(side, f, j, 0, j);
        }
    const bool stepped = isDropWeaponKind(o.weaponKind) && s.sceneKind != 22;
    for (int i = 0; i < kFigureCount; ++i) {
        const SceneFigure& rec = s.figures[size_t(i)];
        if (rec.hitFrame < 0)
            continue;
        const int jb = rec.jitterB;
        if (stepped)
            drawExplosion(Explosion::Stepped, f - rec.hitFrame, x + 68 + 2 * jb, 154, side, 0);
        else
            drawExplosion(Explosion::Wide, f - rec.hitFrame, x - 60 + 2 * jb, 160, side, 0);
    }
}

void drawLargeSprite(int f, int side, int cut)
{
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    const int pose = s.weaponKind == 63 ? 160 : 0;
    const int x = driftX(f);
    const int start = cut * kCutFrames;
    const int w = s.weaponKind;
    const bool present = s.figures[0].hitCount > 0;
    if (phase == kPhaseFire && w == 75 && f >= start + 45) {
        copyExtraBackground(target, s, 1, side);
    } else if (phase == kPhaseFire && (((w == 74 || w == 78 || w == 79 || w == 80) && f >= start + 40) || (w == 75 && f >= start + 22))) {
        copyExtraBackground(target, s, 0, side);
    } else {
        LiveClashWindow::drawBackground(f, side, false, false, 0);
        if (present)
            blitSprite(target, unit, x, 80, 360, 160, 0, pose, side);
        else if (latestHitFrame(s) >= 0)
            blitSpriteTranslucent(target, unit, x, 80, 360, 160, 0, pose, latestHitFrame(s) - f + 16, side);
        if (phase == kPhaseFire && present && w != 0)
            drawLaunchEffect(f - start, side, x, 80, 0, 0);
    }
    if ((phase != kPhaseHit && phase != kPhaseApproach) || o.weaponKind == 0)
        return;
    int delay = 0;
    const int ow = o.weaponKind;
    if (ow == 72 || ow == 73 || ow == 75) {
        delay = 30;
        if (f - start < 30) {
            copyExtraBackground(target, o, 0, side);
            drawFallingShellStrip(f - start, side, 220, ow == 75);
            if (!(o.figures[0].soundFlags & kStripSoundFlag)) {
                o.figures[0].soundFlags |= kStripSoundFlag;
                playSideSound(1 - side, 2);
            }
        }
    }
    if (phase != kPhaseHit)
        return;
    for (int j = 0; j < kFigureCount; ++j) {
        const SceneFigure& shooter = o.figures[size_t(j)];
        if (shooter.target != 0)
            continue;
        const int t = f - start - delay - s.figures[size_t(j)].jitterA % 30;
        if (drawIncomingEffect(t, side, x - 8 + 4 * (shooter.jitterB % 40), 3 * (shooter.jitterC % 10 + 57), 0, shooter.fires, j, false))
            landShot(side, f, j, 0, j);
    }
    if (present) {
        for (int i = 0; i < kFigureCount; ++i) {
            const int hit = s.figures[size_t(i)].hitFrame;
            if (hit < 0)
                continue;
            const int v = o.figures[size_t(i)].jitterB % 40;
            drawExplosion(Explosion::Burst, f - hit, x - 8 + 4 * v, 136 + v, side, 0);
        }
    } else if (latestHitFrame(s) >= 0) {
        drawExplosion(Explosion::SpreadBurst, f - latestHitFrame(s), x + 112, 180, side, 0);
    }
}

void drawStandingLargeSprite(int f, int side, int cut)
{
    auto [st, s, o, target, unit, phase] = paintContext(side, cut);
    SceneFigure& fig = s.figures[0];
    LiveClashWindow::drawBackground(f, side, false, false, 0);
    if (phase == kPhaseFire) {
        blitSprite(target, unit, 60, 62, 360, 160, 0, 0, side);
        if (s.weaponKind != 0)
            drawLaunchEffect(f - cut * kCutFrames, side, 60, 62, 0, 0);
        return;
    }
    if (phase != kPhaseHit || o.weaponKind == 0) {
        if (fig.hitCount > 0)
            blitSprite(target, unit, 60, 62, 360, 160, 0, 0, side);
        return;
    }
    // Hits are recorded at the shooter's index, so the fade runs from the latest of them.
    if (fig.hitCount > 0)
        blitSprite(target, unit, 60, 62, 360, 160, 0, 0, side);
    else if (latestHitFrame(s) >= 0)
        blitSpriteTranslucent(target, unit, 60, 62, 360, 160, 0, 0, latestHitFrame(s) - f + 16, side);
    for (int j = 0; j < kFigureCount; ++j) {
        if (o.figures[size_t(j)].target != 0)
            continue;
        const SceneFigure& own = s.figures[size_t(j)];
        const int t = f - cut * kCutFrames - own.jitterA % 30;
        if (drawIncomingEffect(t, side, 72 + 2 * own.jitterB, 168, 0, o.figures[size_t(j)].fires, j, false))
            landShot(side, f, j, 0, j);
    }
    for (int i = 0; i < kFigureCount; ++i) {
        const SceneFigure& rec = s.figures[size_t(i)];
        if (rec.hitFrame >= 0)
            drawExplosion(Explosion::Wide, f - rec.hitFrame, 2 * rec.jitterB, 134, side, 0);
    }
}

namespace {

constexpr int kFlightPlaces[kFigureCount][2] = { { 360, 0 }, { 280, 0 }, { 320, 0 }, { 240, 0 }, { 420, 0 }, { 200, 0 },
    { 480, 0 }, { 120, 0 }, { 160, 0 }, { 480, 60 } };

// A small figure struck at hitFrame: once it has no strength left it tumbles away and fades.
void drawFlightHit(const SceneTarget& target, const SpriteImage* unit, const SceneFigure& fig, int f, int x, int y, int side)
{
    const int n = f - fig.hitFrame;
    int dx = 0;
    int dy = 0;
    if (fig.hitCount < 1) {
        dx = 3 * (fig.jitterB % 6 + 2) * n + 12;
        dy = 3 * (fig.jitterC % 4 + 4) * n + 12;
        blitSpriteTranslucent(target, unit, x + dx, y - dy, 18, 18, 0, 0, fig.hitFrame - f + 16, side);
    }
    drawExplosion(Explosion::First, n, x + dx - 44, y - dy - 83, side, 0);
}

// A shooter's first arrival at a flying figure: marked and heard (even at a figure already brought
// down), its fire taken while the figure has strength left.
void takeFlightArrival(SceneFigure& fig, SceneFigure& shooter, int side, int f)
{
    if (shooter.impactDone)
        return;
    LiveClashWindow::markImpact(side, f);
    shooter.impactDone = 1;
    if (fig.hitCount > 0) {
        fig.hitCount -= shooter.fires;
        fig.hitFrame = f;
    }
    playSideSound(side, 4);
}

// One figure of the flight as its painter sees it: the place in the formation and the frames by
// which the shots aimed at it lead it.
struct FlightFigure {
    SceneFigure& fig;
    int index;
    int x;
    int y;
    int lead;
};

// The flight over the background, from the last figure to the first.
template <class PaintFigure>
void paintFlight(int f, int side, int cut, const int (&leads)[kFigureCount], PaintFigure&& paint)
{
    const PaintContext context = paintContext(side, cut);
    LiveClashWindow::drawBackground(f, side, true, false, 0);
    for (int i = kFigureCount - 1; i >= 0; --i)
        paint(context, FlightFigure { context.own.figures[size_t(i)], i, kFlightPlaces[i][0], kFlightPlaces[i][1], leads[i] });
}

// The other side's shots aimed at the figure, in order: each draws its effect, and one that has
// arrived strikes the figure.
template <class DrawShot>
void takeShotsAt(const PaintContext& c, const FlightFigure& at, int f, int side, DrawShot&& drawShot)
{
    for (int k = 0; k < kFigureCount; ++k) {
        SceneFigure& shooter = c.other.figures[size_t(k)];
        if (shooter.target == at.index && drawShot(shooter, k))
            takeFlightArrival(at.fig, shooter, side, f);
    }
}

} // namespace

void drawFlight(int f, int side, int cut)
{
    static constexpr int kLead[kFigureCount] = { 3, 5, 4, 4, 4, 4, 3, 2, 3, 2 };
    paintFlight(f, side, cut, kLead, [&](const PaintContext& c, const FlightFigure& at) {
        const SceneFigure& fig = at.fig;
        if (c.phase == kPhaseFire && c.other.weaponKind == 0) {
            const int step = f - fig.jitterA % 30;
            if (fig.hitCount > 0 && at.y + 24 * step > 0)
                blitSprite(c.target, c.unit, at.x - 24 * step, at.y + 24 * step, 18, 18, 0, 0, side);
            return;
        }
        if (c.phase != kPhaseHit)
            return;
        const int step = f - cut * kCutFrames - fig.jitterA % 20 - 10;
        const int x = at.x - 24 * step;
        const int y = at.y + 24 * step;
        if (fig.hitCount > 0)
            blitSprite(c.target, c.unit, x, y, 18, 18, 0, 0, side);
        takeShotsAt(c, at, f, side, [&](const SceneFigure& shooter, int k) {
            return drawIncomingEffect(step - at.lead + 1, side, at.x - 24 * at.lead, at.y + 24 * at.lead, 0, shooter.fires, k, true);
        });
        if (fig.hitFrame >= 0)
            drawFlightHit(c.target, c.unit, fig, f, x, y, side);
    });
}

// The flight flies into the beam on a schedule: each figure reaches the beam's height at the frame
// the beam aimed at it arrives.
void drawKind82Scene(int f, int side, int cut)
{
    static constexpr int kLead[kFigureCount] = { 6, 3, 4, 4, 4, 4, 3, 2, 3, 2 };
    paintFlight(f, side, cut, kLead, [&](const PaintContext& c, const FlightFigure& at) {
        const SceneFigure& fig = at.fig;
        int j = at.index;
        for (int k = 0; k < kFigureCount; ++k)
            if (c.other.figures[size_t(k)].target == at.index) {
                j = k;
                break;
            }
        const int q = c.other.figures[size_t(j)].jitterA % 30;
        const int step = f - 16 + at.lead - q;
        const int x = at.x - 24 * step;
        const int y = at.y + 24 * step;
        if (fig.hitCount > 0 && c.phase == kPhaseFire && y > 0)
            blitSprite(c.target, c.unit, x, y, 18, 18, 0, 0, side);
        takeShotsAt(c, at, f, side, [&](const SceneFigure& shooter, int k) {
            return drawIncomingEffect(f - q, side, 0, at.y + 24 * at.lead, 0, shooter.fires, k, false);
        });
        if (fig.hitFrame != -1)
            drawFlightHit(c.target, c.unit, fig, f, x, y, side);
    });
}

PhasePainter phasePainter(int kind, int other_weapon_kind)
{
    switch (kind) {
    case 0: case 4: case 6: return drawFormation;
    case 1: case 2: case 7: case 8: case 9: case 36: case 37: return drawSingleSprite;
    case 3: return drawKind3Formation;
    case 5: return drawKind5;
    case 10: case 11: case 12: case 13: case 14: case 15: case 16: return drawFixedFormation;
    case 20: case 22: case 23: case 24: case 25: case 26: return drawShip;
    case 21: case 27: case 28: case 29: return drawLargeSprite;
    case 30: case 32: return drawStandingLargeSprite;
    case 31: return other_weapon_kind == 82 ? drawKind82Scene : drawFlight;
    default: return nullptr;
    }
}
