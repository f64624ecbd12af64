// The weapon effects over the generated sprites: when each shot arrives and how a miss ends, the
// trails' lengths and ends, the size steps, flashes before the shot, the stages, the kind-83 flash,
// the sounds played once per figure, the kind-82 schedule, and the sample types firing every kind.
#include "battle/battle_sound.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "tests/battle/effect_rig.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <vector>

namespace {

using namespace effect_test;
using scene_test::SceneRig;

struct Arrival {
    std::vector<int> kinds;
    int frame;
    int background = 5;
};

TEST(EffectArrival, EachFamilyArrivesAtItsFrameAndMissesNeverArrive)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    // The target stands at (250, 150), size step 0.
    const Arrival table[] = {
        { { 1, 2, 3 }, 9 },
        { { 6, 7, 8, 9 }, 14 },
        { { 11, 12 }, 12 },
        { { 21 }, 7 },
        { { 31 }, 10 },
        { { 32 }, 12 },
        { { 33 }, 0 },
        { { 36, 37, 40, 41 }, 13 },
        { { 38, 39, 42, 43, 44, 45 }, 11 },
        { { 51, 52 }, 29 },
        { { 53, 54 }, 3 },
        { { 56, 57 }, 10 },
        { { 58, 59 }, 13 },
        { { 62 }, 26 },
        { { 62 }, 41, 58 },
        { { 64 }, 99 },
        { { 64 }, 54, 58 },
        { { 66, 67, 68, 69, 70, 71, 74, 78, 79, 80 }, 20 },
        { { 81 }, 11 },
        { { 82 }, 16 },
        { { 83 }, 30 },
        { { 16, 17, 18, 19, 22, 23, 24, 25, 26, 27, 61, 63, 13, 72, 73, 75, 76, 77 }, 10 },
        { { 13, 72, 73, 75, 76, 77 }, 25, 58 },
        { { 4, 5, 10, 14, 20, 28, 34, 46, 50, 55, 60, 65 }, 99 },
    };
    for (const Arrival& a : table)
        for (int kind : a.kinds) {
            EXPECT_EQ(arrivalFrame(kind, 1, 250, 150, a.background), a.frame) << "kind " << kind << " on " << a.background;
            EXPECT_EQ(arrivalFrame(kind, 0, 250, 150, a.background), 99) << "a miss of kind " << kind;
        }
}

TEST(EffectArrival, MissesOfClippedAndHitsStopKindsFlyOnThoseOfAllStopKindsVanish)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    struct Case {
        int kind, t;
        bool missFliesOn;
    };
    // Each t has the projectile's left edge past the target x of 250.
    for (const Case& c : { Case { 1, 12, true }, Case { 31, 14, true }, Case { 21, 9, true }, Case { 32, 16, true },
             Case { 66, 26, true }, Case { 36, 18, true }, Case { 68, 25, false }, Case { 57, 14, false },
             Case { 59, 17, false }, Case { 81, 13, false } }) {
        for (int reach = 0; reach < 2; ++reach) {
            arm(0, c.kind);
            fillBuffers();
            drawIncomingEffect(c.t, 1, 250, 150, 0, reach, 0, false);
            const bool drawn = changedColumns(250, kNarrowWidth) > 0;
            EXPECT_EQ(drawn, reach == 0 && c.missFliesOn) << "kind " << c.kind << " reach " << reach;
        }
    }
    // Before reaching the target every rule draws the shot whole, hit or miss.
    arm(0, 68);
    fillBuffers();
    drawIncomingEffect(10, 1, 250, 150, 0, 1, 0, false);
    EXPECT_GT(changedWords(1), 0);
}

TEST(EffectArrival, HorizontalShotsAtTargetsBeyondTheWindowAreNotDrawn)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    for (int kind : { 1, 21, 31, 32, 36, 57, 68, 81 }) {
        arm(0, kind);
        fillBuffers();
        for (int t = 0; t < 40; ++t)
            drawIncomingEffect(t, 1, 501, 150, 0, 1, 0, false);
        EXPECT_EQ(changedWords(1), 0) << "kind " << kind;
    }
    // A drop of kinds 53 and 54 onto a target below the window.
    arm(0, 54);
    fillBuffers();
    for (int t = 0; t < 20; ++t)
        drawIncomingEffect(t, 1, 250, 301, 0, 1, 0, false);
    EXPECT_EQ(changedWords(1), 0);
}

// A strip whose picture word at column c (or row c) is c + 1, without mask.
SpriteImage numberedStrip(int w, int h, bool by_row)
{
    SpriteImage s;
    s.width = w;
    s.height = 2 * h;
    s.pixels.assign(size_t(w) * size_t(2 * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.pixels[size_t(y) * size_t(w) + size_t(x)] = uint16_t((by_row ? y : x) + 1);
    return s;
}

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "(" << r.left << ", " << r.top << ") - (" << r.right << ", " << r.bottom << ")";
}

// The rectangle of words changed in side 1's buffer.
Rect changedRect()
{
    const SceneTarget t = LiveClashWindow::target(1);
    Rect r { t.width, kSceneHeight, 0, 0 };
    for (int y = 0; y < kSceneHeight; ++y)
        for (int x = 0; x < t.width; ++x)
            if (t.row(y)[x] != kGround)
                r = { std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1) };
    return r;
}

// The firing side's weapon sprite replaced by an opaque white sheet and its extras removed, so that
// the changed rectangle is exactly where the painter puts the frame.
void solidWeapon(int firing)
{
    SceneSide& s = sceneState().sides[size_t(firing)];
    SpriteImage& w = sceneState().sprites[size_t(s.weaponSpriteSlot)];
    w.pixels.assign(w.pixels.size(), 0);
    std::fill(w.pixels.begin(), w.pixels.begin() + ptrdiff_t(w.pixels.size() / 2), 0x7FFF);
    s.extraSpriteSlots = { -1, -1, -1, -1 };
}

TEST(EffectPaths, ShotsStandWhereTheirPathsPutThem)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    struct Launch {
        int kind, t;
        bool wide;
        Rect at;
    };
    // The figure at (300, 200) with the muzzle offsets (10, 20), size step 0: the muzzle is (310, 220).
    for (const Launch& c : {
             Launch { 1, 4, false, { 274, 220, 334, 236 } }, // d = 6, d² = 36
             Launch { 1, 4, true, { 210, 220, 270, 236 } }, // wide: d = 10
             Launch { 3, 4, false, { 310, 222, 370, 238 } }, // sinking 5t / 8 before its run
             Launch { 7, 3, false, { 301, 220, 361, 236 } },
             Launch { 9, 1, false, { 278, 220, 319, 236 } }, // 41 of its 60 pixels out
             Launch { 36, 10, false, { 115, 90, 195, 170 } },
             Launch { 37, 2, false, { 310, 168, 390, 220 } },
             Launch { 11, 25, false, { 315, 227, 375, 271 } }, // e = 5: 0.3 e² = 7
             Launch { 13, 3, false, { 310, 250, 350, 266 } },
             Launch { 82, 8, false, { 0, 220, 310, 223 } },
         }) {
        arm(1, c.kind);
        solidWeapon(1);
        st.wide[1] = c.wide;
        fillBuffers();
        drawLaunchEffect(c.t, 1, 300, 200, 0, 0);
        const Rect got = changedRect();
        st.wide[1] = false;
        EXPECT_EQ(got, c.at) << "launch of kind " << c.kind << " at t " << c.t;
    }
    struct Incoming {
        int kind, t;
        Rect at;
    };
    // The target at (250, 150).
    for (const Incoming& c : {
             Incoming { 1, 5, { 96, 158, 156, 174 } }, // front 156
             Incoming { 6, 10, { 122, 50, 182, 106 } }, // diving onto the target
             Incoming { 11, 10, { 204, 108, 264, 152 } },
             Incoming { 36, 10, { 115, 240, 195, 300 } }, // climbing from below the window
             Incoming { 32, 10, { 141, 86, 221, 126 } },
             Incoming { 53, 2, { 210, 52, 290, 132 } },
             Incoming { 1, 9, { 220, 158, 250, 174 } }, // clipped at the target
         }) {
        arm(0, c.kind);
        solidWeapon(0);
        fillBuffers();
        drawIncomingEffect(c.t, 1, 250, 150, 0, 1, 0, false);
        EXPECT_EQ(changedRect(), c.at) << "incoming kind " << c.kind << " at t " << c.t;
    }
}

TEST(EffectTrails, StripsShowTheirFarEndAndNeverExceed800Pixels)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    const SpriteImage strip = numberedStrip(800, 13, false);
    SceneState& st = sceneState();
    st.wide[1] = true;
    fillBuffers();
    SceneTarget t = LiveClashWindow::target(1);
    drawHorizontalTrail(t, &strip, 100, 10, 20, 16, 1);
    EXPECT_EQ(t.row(20)[10], 701) << "the first drawn column is the strip's column 700";
    EXPECT_EQ(t.row(32)[109], 800) << "the last is its right-hand end";
    EXPECT_EQ(t.row(20)[110], kGround);
    EXPECT_EQ(t.row(33)[50], kGround) << "13 rows high";
    fillBuffers();
    drawHorizontalTrail(t, &strip, 5000, 100, 20, 16, 1);
    EXPECT_EQ(t.row(20)[100], 1);
    EXPECT_EQ(t.row(20)[899], 800);
    EXPECT_EQ(t.row(20)[900], kGround) << "cut to 800 pixels";
    fillBuffers();
    drawHorizontalTrail(t, &strip, 100, 10, 20, 0, 1);
    EXPECT_EQ(t.row(20)[10], kGround) << "level 0 draws nothing";

    const SpriteImage upright = numberedStrip(14, 800, true);
    fillBuffers();
    drawVerticalTrail(t, &upright, 60, 40, 100, 16, 1);
    EXPECT_EQ(t.row(100)[40], 741);
    EXPECT_EQ(t.row(159)[53], 800);
    EXPECT_EQ(t.row(160)[40], kGround);
    EXPECT_EQ(t.row(100)[54], kGround) << "14 columns wide";
    st.wide[1] = false;
}

TEST(EffectTrails, AStaircaseShorterThanAPieceShowsTheRightOfItsFirstPiece)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    const SpriteImage sheet = numberedStrip(700, 24, false);
    const Staircase stair { 20, 24, 10, 680 };
    fillBuffers();
    const SceneTarget t = LiveClashWindow::target(1);
    drawStaircaseTrail(t, &sheet, stair, 7, 300, 100, 16, 1);
    EXPECT_EQ(changedColumns(0, 313), 0);
    EXPECT_EQ(t.row(100)[313], 694) << "the piece's column 13 of 20";
    EXPECT_EQ(t.row(123)[319], 700);
    EXPECT_EQ(changedColumns(320, kNarrowWidth), 0);
    // Two whole pieces and five pixels of a third, each piece 20 left and 10 up.
    fillBuffers();
    drawStaircaseTrail(t, &sheet, stair, 45, 300, 100, 16, 1);
    EXPECT_EQ(t.row(100)[300], 681);
    EXPECT_EQ(t.row(90)[280], 661);
    EXPECT_EQ(t.row(80)[275], 656) << "the third piece's right-hand five columns";
    EXPECT_EQ(t.row(80)[274], kGround);
    EXPECT_EQ(changedColumns(0, 275), 0);
}

TEST(EffectTrails, FadesEndWhereTheyShould)
{
    EXPECT_EQ(fadeLevel(Fade::Fade27, 15), 16);
    EXPECT_EQ(fadeLevel(Fade::Fade27, 16), 11);
    EXPECT_EQ(fadeLevel(Fade::Fade27, 27), 0);
    EXPECT_EQ(fadeLevel(Fade::Fade33, 16), 12);
    EXPECT_EQ(fadeLevel(Fade::Fade33, 32), 1);
    EXPECT_EQ(fadeLevel(Fade::Fade33, 33), 0);
    EXPECT_EQ(fadeLevel(Fade::Fade33, 90), 0) << "never negative";
    EXPECT_EQ(fadeLevel(Fade::Fade24, 12), 16);
    EXPECT_EQ(fadeLevel(Fade::Fade24, 13), 11);
    EXPECT_EQ(fadeLevel(Fade::Fade33, 23, 8), 16) << "kind 3 fades from its run";
    EXPECT_EQ(fadeLevel(Fade::Fade33, 24, 8), 12);
}

TEST(EffectLaunch, SizeStepsTwoAndThreeDrawTheStepOneFramesOfTheCappedKinds)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    for (int kind : { 19, 21, 31, 32, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 51, 52 }) {
        arm(1, kind, 5, 30, 20);
        for (int t : { -1, 0, 3, 8, 15, 24 }) {
            fillBuffers();
            drawLaunchEffect(t, 1, 300, 200, 1, 0);
            const SceneTarget target = LiveClashWindow::target(1);
            const std::vector<uint16_t> step1(target.bits, target.bits + kNarrowWidth * kSceneHeight);
            for (int step : { 2, 3 }) {
                fillBuffers();
                drawLaunchEffect(t, 1, 300, 200, step, 0);
                EXPECT_TRUE(std::equal(step1.begin(), step1.end(), target.bits)) << "kind " << kind << " t " << t << " step " << step;
            }
        }
    }
    // The uncapped shells do change with the step.
    arm(1, 1, 5, 30, 20);
    fillBuffers();
    drawLaunchEffect(3, 1, 300, 200, 1, 0);
    const int at1 = changedWords(1);
    fillBuffers();
    drawLaunchEffect(3, 1, 300, 200, 3, 0);
    EXPECT_NE(changedWords(1), at1);
}

TEST(EffectLaunch, MuzzleFlashesShowTheirFirstFrameBeforeTheShot)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    for (int kind : { 16, 17, 19, 22, 23, 61 }) {
        arm(1, kind);
        fillBuffers();
        drawLaunchEffect(-2, 1, 300, 200, 0, 0);
        EXPECT_EQ(changedWords(1), 0) << kind;
        drawLaunchEffect(-1, 1, 300, 200, 0, 0);
        EXPECT_GT(changedWords(1), 0) << "kind " << kind << " flashes at t = -1";
        EXPECT_EQ(sceneState().sides[1].figures[0].soundFlags & 1, 0) << "no firing sound yet";
        drawLaunchEffect(0, 1, 300, 200, 0, 0);
        EXPECT_EQ(sceneState().sides[1].figures[0].soundFlags & 1, 1);
        fillBuffers();
        drawLaunchEffect(16, 1, 300, 200, 0, 0);
        EXPECT_EQ(changedWords(1), 0) << "kind " << kind << " is over at t = 16";
    }
    // Kind 26 flashes twice, three frames each, from t = -2.
    arm(1, 26);
    fillBuffers();
    drawLaunchEffect(-2, 1, 300, 200, 0, 0);
    EXPECT_GT(changedWords(1), 0);
    fillBuffers();
    drawLaunchEffect(6, 1, 300, 200, 0, 0);
    EXPECT_EQ(changedWords(1), 0);
}

TEST(EffectLaunch, KindsWithTwoMuzzlesChooseByTheOtherSidesBackground)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    // Low halves (10, 10) against the sky, high halves (100, 40) otherwise.
    const uint32_t p1 = 100u << 16 | 10u;
    const uint32_t p2 = 40u << 16 | 10u;
    for (int background : { 60, 5 }) {
        arm(1, 23, background, p1, p2);
        fillBuffers();
        drawLaunchEffect(0, 1, 200, 100, 0, 0);
        const int x = background == 60 ? 210 : 300;
        const int y = background == 60 ? 110 : 140;
        EXPECT_GT(changedColumns(x, x + 12), 0) << background;
        EXPECT_EQ(changedColumns(0, x) + changedColumns(x + 12, kNarrowWidth), 0) << background;
        const SceneTarget t = LiveClashWindow::target(1);
        int rows = 0;
        for (int i = 0; i < 12; ++i)
            rows += t.row(y + 5)[x + i] != kGround;
        EXPECT_GT(rows, 0) << "the flash stands at the chosen height";
    }
}

TEST(EffectLaunch, StagesStartAndEndOnTheirFrames)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    auto drawnAt = [](int t) {
        fillBuffers();
        drawLaunchEffect(t, 1, 200, 100, 0, 0);
        return changedWords(1) > 0;
    };
    for (int kind : { 76, 77 }) {
        arm(1, kind, 5, 60, 40);
        EXPECT_FALSE(drawnAt(10)) << "kind " << kind << " above water";
        st.sides[1].background = 58;
        EXPECT_TRUE(drawnAt(10)) << "kind " << kind << " under water";
    }
    for (int kind : { 72, 73 }) {
        arm(1, kind, 5, 60, 40);
        EXPECT_TRUE(drawnAt(10)) << kind;
        EXPECT_FALSE(drawnAt(30)) << kind;
    }
    arm(1, 75, 5, 60, 40);
    EXPECT_TRUE(drawnAt(44));
    EXPECT_FALSE(drawnAt(45));
    arm(1, 80, 5, 60, 40);
    EXPECT_TRUE(drawnAt(5)) << "kind 80's first stage needs no water";
}

TEST(EffectOverlay, Kind83FlashesTheSidesTargetBufferTowardWhite)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    arm(0, 83);
    SceneState& st = sceneState();
    constexpr uint16_t kRed = 0x7C00;
    fillBuffers(kRed);
    // At t = 45, c = (45 - 38) × 31 / 12 = 18 in every channel; the overlay stands at (0, 121).
    drawKind83Overlay(45, 1);
    const SceneTarget t = LiveClashWindow::target(1);
    EXPECT_EQ(t.row(10)[450], uint16_t(31 << 10 | 18 << 5 | 18)) << "red turns toward white, not a brighter red";
    fillBuffers(kRed);
    drawKind83Overlay(62, 1);
    EXPECT_EQ(t.row(10)[450], uint16_t(31 << 10 | 16 << 5 | 16)) << "fading back: 31 - 12 × 31 / 24";
    fillBuffers(kRed);
    drawKind83Overlay(74, 1);
    EXPECT_EQ(changedWords(1, kRed), 0) << "gone by t = 74";
    fillBuffers(kRed);
    drawKind83Overlay(10, 1);
    EXPECT_GT(changedWords(1, kRed), 0) << "the overlay slides in";
    EXPECT_EQ(t.row(10)[450], kRed) << "no flash while it slides";

    // A side drawn wide flashes in the shared buffer it shows.
    st.wide[1] = true;
    fillBuffers(kRed);
    drawKind83Overlay(45, 1);
    EXPECT_EQ(st.wideBuffer.row(10)[900], uint16_t(31 << 10 | 18 << 5 | 18));
    EXPECT_EQ(st.buffers[1].row(10)[450], kRed);
    st.wide[1] = false;
}

// Words that are neither the ground nor a particle's grey.
int blastWords()
{
    const SceneTarget t = LiveClashWindow::target(1);
    int n = 0;
    for (int i = 0; i < kNarrowWidth * kSceneHeight; ++i)
        n += t.bits[i] != kGround && t.bits[i] != 0x6318;
    return n;
}

TEST(EffectIncoming, ParticleRainFallsBeforeTheBlastsOfKinds51And52)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    arm(0, 52);
    const int blast_from[2] = { 18, 44 };
    for (int t = 0; t <= 50; ++t) {
        fillBuffers();
        drawIncomingEffect(t, 1, 250, 150, 0, 1, 0, false);
        EXPECT_EQ(blastWords() > 0, t >= blast_from[0] && t < blast_from[1]) << "t " << t;
    }
    // The particles: 2 × 2 squares of grey while they fall.
    fillBuffers();
    drawIncomingEffect(15, 1, 250, 150, 0, 1, 0, false);
    EXPECT_GT(changedWords(1), 0);
    EXPECT_EQ(changedWords(1) % 4, 0);
}

// The particles are filled straight into the buffer; the attacker's must land mirrored like its blits.
TEST(EffectIncoming, TheAttackersParticlesFallMirroredLikeItsSprites)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    std::vector<uint16_t> attacker;
    for (int side = 0; side < 2; ++side) {
        arm(1 - side, 51);
        for (SceneFigure& fig : st.sides[size_t(side)].figures)
            fig.jitterA = 37;
        fillBuffers();
        for (int t = 18; t < 40; t += 3)
            drawIncomingEffect(t, side, 250, 150, 0, 1, 0, false);
        if (side == 0)
            attacker.assign(st.buffers[0].bits(), st.buffers[0].bits() + kNarrowWidth * kSceneHeight);
    }
    ASSERT_GT(changedWords(1), 0);
    int differing = 0;
    for (int y = 0; y < kSceneHeight; ++y)
        for (int x = 0; x < kNarrowWidth; ++x)
            differing += attacker[size_t(y) * kNarrowWidth + size_t(kNarrowWidth - 1 - x)] != st.buffers[1].bits()[size_t(y) * kNarrowWidth + size_t(x)];
    EXPECT_EQ(differing, 0);
}

TEST(EffectIncoming, TheRelativePathStartsFromTheTargetForNegativeFramesToo)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    arm(0, 36);
    fillBuffers();
    // x = tx + trunc(1.3 × 15 × t) - 80: at t = -3, 300 - 58 - 80 = 162, and the frame row is 240.
    EXPECT_FALSE(drawIncomingEffect(-3, 1, 300, 150, 0, 1, 0, true));
    EXPECT_GT(changedColumns(162, 242), 0);
    EXPECT_EQ(changedColumns(0, 162) + changedColumns(242, kNarrowWidth), 0);
    EXPECT_TRUE(drawIncomingEffect(1, 1, 300, 150, 0, 1, 0, true));
    fillBuffers();
    drawIncomingEffect(-30, 1, 300, 150, 0, 1, 0, true);
    EXPECT_EQ(changedWords(1), 0) << "beyond x = -80 nothing is drawn";
    // Without the relative flag the same t draws nothing.
    drawIncomingEffect(-3, 1, 300, 150, 0, 1, 0, false);
    EXPECT_EQ(changedWords(1), 0);
}

// A sound slot of three copies on the side: plays take turns, so the copies playing count the plays.
int armSound(int side, int slot)
{
    const int first = loadWave(sceneState().folder + battleSoundFileName(1, side), 3);
    sceneState().sides[size_t(side)].soundSlots[size_t(slot)] = first;
    return first;
}

int playing(int first)
{
    int n = 0;
    for (int i = 0; i < 3; ++i)
        n += isBattleBufferPlaying(first + i);
    return n;
}

TEST(EffectSounds, FiringImpactAndSecondStageSoundsPlayOncePerFigure)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    if (!isBattleSoundReady())
        GTEST_SKIP() << "no sound device";
    arm(1, 74, 5, 60, 40);
    const int firing = armSound(1, 1);
    const int second = armSound(1, 2);
    const int impact = armSound(1, 3);
    ASSERT_TRUE(firing >= 0 && second >= 0 && impact >= 0);
    for (int t = -3; t <= 70; ++t) {
        drawLaunchEffect(t, 1, 200, 100, 0, 0);
        drawIncomingEffect(t, 0, 250, 150, 0, 1, 0, false);
    }
    EXPECT_EQ(playing(firing), 1);
    EXPECT_EQ(playing(second), 1) << "the second stage lasts many frames";
    EXPECT_EQ(playing(impact), 1);
    // Another figure is heard once more.
    drawLaunchEffect(0, 1, 200, 100, 0, 1);
    EXPECT_EQ(playing(firing), 2);
    freeBattleSounds();
}

TEST(EffectKind82, EveryFirstArrivalAtAFigureIsHeardAndCountedOnce)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    arm(0, 82);
    SceneSide& flight = st.sides[1];
    flight.sceneKind = 31;
    flight.figures[0].hitCount = 1;
    for (int k : { 0, 1 }) {
        st.sides[0].figures[size_t(k)].target = 0;
        st.sides[0].figures[size_t(k)].fires = 1;
    }
    const bool sound = isBattleSoundReady();
    const int first = sound ? armSound(1, 4) : -1;
    for (int f = 0; f < 75; ++f)
        drawKind82Scene(f, 1, 0);
    EXPECT_EQ(flight.figures[0].hitCount, 0) << "lowered once, never below 0";
    EXPECT_TRUE(st.sides[0].figures[0].impactDone && st.sides[0].figures[1].impactDone);
    // Both beams take figure 0's lead: f - q = 16 is the arrival, q = jitterA of shooter 0 mod 30.
    EXPECT_EQ(flight.figures[0].hitFrame, 16 + st.sides[0].figures[0].jitterA % 30);
    EXPECT_EQ(flight.impactFrame, -1) << "markImpact only starts a side whose frame is 0";
    if (sound) {
        EXPECT_EQ(playing(first), 2) << "the second arrival at a fallen figure is heard too";
        freeBattleSounds();
    }
}

} // namespace

namespace {

// Both ways between the sample data and the effects: every weapon row of the sample unit types
// shows its effect, and every weapon kind the scene shows (a launch, or a shot that lands on some
// background) is fired from a used weapon slot of a sample type, so that each painter is met in play.
TEST(EffectSampleData, EveryWeaponOfTheSampleUnitsShowsItsEffectAndEveryEffectIsFired)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    int weapons = 0;
    for (int id = 1; id < 100; ++id)
        for (const BattleWeaponRow& row : rig.data.entryFor(id).weapons) {
            // Kind 33 draws nothing itself: its own figures run at the enemy and fade out.
            if (row.kind == 0 || row.kind == 33)
                continue;
            ++weapons;
            // Under-water launchers fire from below the surface; sinking charges fall onto a side there.
            const int background = (row.kind >= 74 && row.kind <= 79) || row.kind == 64 ? 58 : 5;
            arm(1, row.kind, background, row.param1, row.param2);
            st.sides[1].background = background;
            fillBuffers();
            for (int t = -1; t <= 60; ++t) {
                drawLaunchEffect(t, 1, 200, 120, 0, 0);
                drawIncomingEffect(t, 0, 260, 150, 0, 1, 0, false);
                if (row.kind == 83)
                    drawKind83Overlay(t, 0);
            }
            EXPECT_GT(changedWords(0) + changedWords(1), 0) << "type " << id << " weapon kind " << row.kind;
        }
    EXPECT_GT(weapons, 30);

    testing_ui::LookedWorld world(4, 4);
    std::set<int> fired;
    for (const UnitTypeRecord& type : world.state().unitTypes())
        for (int slot = 0; type.id > 0 && slot < kWeaponSlotCount; ++slot)
            if (unitWeaponSlotUsed(type, slot))
                fired.insert(rig.data.entryFor(type.id).weapons[slot].kind);
    std::vector<int> unfired;
    for (int kind = 1; kind <= 83; ++kind) {
        bool shown = false;
        for (int background : { 5, 58, 60 }) {
            arm(0, kind, background);
            for (int t = -2; t <= 80 && !shown; ++t)
                shown = paintLaunch(kind, t, 0, 250, 150, 0, 0) || paintIncoming(kind, t, 1, 250, 150, 0, 1, false);
        }
        if (shown && !fired.count(kind))
            unfired.push_back(kind);
    }
    EXPECT_EQ(unfired, std::vector<int> {});
}

} // namespace
