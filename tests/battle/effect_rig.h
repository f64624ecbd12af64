// One firing side set up over the generated scene files for the weapon effect tests: its weapon
// kind, muzzle and sprites, the target side's background, and buffers filled with one colour.
#pragma once

#include "battle/effect_painters.h"
#include "tests/battle/scene_rig.h"

#include <cstdint>

namespace effect_test {

constexpr uint16_t kGround = 0x0C63;

// Loads the firing side's weapon, extra and unit sprites for kind.
inline void arm(int firing, int kind, int target_background = 5, uint32_t p1 = 10, uint32_t p2 = 20)
{
    LiveClashWindow::resetScene();
    SceneState& st = sceneState();
    SceneSide& f = st.sides[size_t(firing)];
    f.weaponKind = kind;
    f.weaponParam1 = p1;
    f.weaponParam2 = p2;
    f.sceneKind = 0;
    f.background = 5;
    st.sides[size_t(1 - firing)].background = target_background;
    for (int i = 0; i < kFigureCount; ++i) {
        st.sides[0].figures[size_t(i)].jitterA = 7 * i + 3;
        st.sides[1].figures[size_t(i)].jitterA = 11 * i + 5;
        st.sides[0].figures[size_t(i)].jitterB = st.sides[1].figures[size_t(i)].jitterB = 13 * i % 97;
        st.sides[0].figures[size_t(i)].jitterC = st.sides[1].figures[size_t(i)].jitterC = 17 * i % 89;
    }
    int counter = 0;
    // The cruise missile's look: the small sprite that kind 81 flies in.
    f.unitSpriteSlot = LiveClashWindow::loadSprite(SpriteKind::Unit, 1005, counter, 0, false, firing);
    LiveClashWindow::loadWeaponSprites(firing, counter, false);
}

inline void fillBuffers(uint16_t colour = kGround)
{
    SceneState& st = sceneState();
    for (SceneBitmap* b : { &st.buffers[0], &st.buffers[1], &st.wideBuffer })
        std::fill(b->bits(), b->bits() + size_t(b->stride()) * kSceneHeight, colour);
}

// Words of the side's target buffer that differ from colour.
inline int changedWords(int side, uint16_t colour = kGround)
{
    const SceneTarget t = LiveClashWindow::target(side);
    int n = 0;
    for (int i = 0; i < t.width * kSceneHeight; ++i)
        n += t.bits[i] != colour;
    return n;
}

// Changed words in the picture columns from x0 to x1 (defender's coordinates; side 1).
inline int changedColumns(int x0, int x1, uint16_t colour = kGround)
{
    const SceneTarget t = LiveClashWindow::target(1);
    int n = 0;
    for (int y = 0; y < kSceneHeight; ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, t.width); ++x)
            n += t.row(y)[x] != colour;
    return n;
}

// The first t from -2 to 80 at which the shot aimed at (tx, ty) arrives, or 99.
inline int arrivalFrame(int kind, int reach, int tx = 250, int ty = 150, int target_background = 5)
{
    arm(0, kind, target_background);
    for (int t = -2; t <= 80; ++t) {
        fillBuffers();
        if (drawIncomingEffect(t, 1, tx, ty, 0, reach, 0, false))
            return t;
    }
    return 99;
}

} // namespace effect_test
