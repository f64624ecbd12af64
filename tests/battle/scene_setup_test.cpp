// Setting up a scene: figures, aims, shots, cut plans and lengths, layout and placement.
#include "battle/battle_sound.h"
#include "battle/live_clash_window.h"
#include "rules/combat_scene.h"

#include <gtest/gtest.h>

namespace {

struct Scene {
    BattleUnitEntry entries[2] {};
    BattleRecord record;

    Scene(int attacker_kind, int defender_kind)
    {
        entries[0].sceneKind = uint8_t(attacker_kind);
        entries[1].sceneKind = uint8_t(defender_kind);
        for (int s = 0; s < 2; ++s) {
            BattleSideRecord& r = record.side[s];
            r.country = uint32_t(s);
            r.domain = 3;
            r.terrain = 5;
            r.figuresBefore = 10;
            r.figuresAfter = 10;
            r.unitEntry = &entries[s];
        }
    }
    void weapon(int side, int kind)
    {
        entries[side].weapons[0].kind = uint16_t(kind);
        record.side[side].weaponSlot = 0;
    }
    SceneState& run(uint32_t seed = 7)
    {
        sceneState().random.seed(seed);
        LiveClashWindow::prepareScene(record);
        return sceneState();
    }
};

} // namespace

TEST(SceneSetup, FiguresAimInsideTheOtherSidesFiguresAndShotsAddHits)
{
    Scene scene(0, 0);
    scene.weapon(0, 1);
    scene.record.side[0].figuresBefore = 6;
    scene.record.side[1].figuresBefore = 4;
    scene.record.side[1].figuresAfter = 2;
    scene.record.side[0].shots = 5;
    for (uint32_t seed = 1; seed < 40; ++seed) {
        SceneState& st = scene.run(seed);
        const SceneSide& a = st.sides[0];
        const SceneSide& d = st.sides[1];
        int hits = 0;
        for (int i = 0; i < kFigureCount; ++i) {
            EXPECT_EQ(a.figures[size_t(i)].fires, i < 5 ? 1 : 0) << "two lost, up to five shots";
            const int t = a.figures[size_t(i)].target;
            if (i < 6 || a.figures[size_t(i)].fires)
                EXPECT_TRUE(t >= 0 && t < 4) << "seed " << seed << " figure " << i;
            else
                EXPECT_EQ(t, -1);
            hits += d.figures[size_t(i)].hitCount;
            EXPECT_EQ(d.figures[size_t(i)].shown, d.figures[size_t(i)].hitCount > 0 ? 1 : 0);
        }
        EXPECT_EQ(hits, 4 + 3) << "present figures and the three shots past the losses";
    }
}

TEST(SceneSetup, NothingOppositeLeavesEveryAimEmpty)
{
    Scene scene(0, 0);
    scene.weapon(0, 1);
    scene.record.side[1].country = kNoCountry;
    scene.record.side[1].figuresBefore = 0;
    scene.record.side[1].figuresAfter = 0;
    scene.record.side[1].unitEntry = nullptr;
    scene.record.side[0].shots = 4;
    SceneState& st = scene.run();
    for (const SceneFigure& f : st.sides[0].figures)
        EXPECT_EQ(f.target, -1);
    EXPECT_EQ(st.sides[1].sceneKind, 0) << "an absent side reads the zero entry";
    EXPECT_EQ(st.plan.totalFrames, 150);
    EXPECT_EQ(st.plan.phases[1][0], kPhaseEmpty);
}

TEST(SceneSetup, LengthsAndCutPlans)
{
    struct Case {
        const char* name;
        int attacker_country, defender_country, attacker_weapon, defender_weapon, counter, defender_after;
        int frames;
        std::array<int, 3> attacker_plan;
    };
    const Case cases[] = {
        { "no attacker", kNoCountry, 1, 1, 1, 0, 10, 75, { 3, 3, 3 } },
        { "no defender, armed", 0, kNoCountry, 1, 0, 0, 10, 150, { 1, 2, 0 } },
        { "no defender, unarmed", 0, kNoCountry, 0, 0, 0, 10, 75, { 2, 0, 0 } },
        { "counter-attack", 0, 1, 1, 1, 1, 5, 300, { 1, 0, 0 } },
        { "counter-attack, defender gone", 0, 1, 1, 1, 1, 0, 150, { 1, 0, 0 } },
        { "plain", 0, 1, 1, 1, 0, 10, 150, { 1, 2, 0 } },
        { "weapon 64", 0, 1, 64, 0, 0, 10, 225, { 1, 2, 0 } },
    };
    for (const Case& c : cases) {
        Scene scene(0, 0);
        scene.record.side[0].country = uint32_t(c.attacker_country);
        scene.record.side[1].country = uint32_t(c.defender_country);
        scene.weapon(0, c.attacker_weapon);
        scene.weapon(1, c.defender_weapon);
        scene.record.side[1].counterAttack = uint8_t(c.counter);
        scene.record.side[1].figuresAfter = c.defender_after;
        SceneState& st = scene.run();
        EXPECT_EQ(st.plan.totalFrames, c.frames) << c.name;
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(st.plan.phases[0][size_t(k)], c.attacker_plan[size_t(k)]) << c.name << " cut " << k;
    }
}

TEST(SceneSetup, BackgroundsByDomainAndTerrain)
{
    Scene scene(20, 0);
    scene.record.side[0].domain = 4;
    scene.record.side[0].terrain = 28;
    scene.record.side[1].domain = 1;
    SceneState& st = scene.run();
    EXPECT_EQ(st.sides[0].background, 54);
    EXPECT_EQ(st.sides[1].background, 60);
    scene.record.side[0].domain = 5;
    EXPECT_EQ(scene.run().sides[0].background, 58) << "under water";
    scene.record.side[0].domain = 3;
    scene.record.side[0].terrain = 12;
    EXPECT_EQ(scene.run().sides[0].background, 11) << "land: the terrain id - 1";
}

TEST(SceneLayout, WideWindowsAndPlacement)
{
    EXPECT_TRUE(LiveClashWindow::chooseWideLayout(0, 20, 0, 1));
    EXPECT_TRUE(sceneState().wide[0]);
    EXPECT_FALSE(LiveClashWindow::chooseWideLayout(5, 20, 0, 1)) << "kind 5 never goes wide";
    EXPECT_TRUE(LiveClashWindow::chooseWideLayout(20, 3, 0, 1));
    EXPECT_TRUE(sceneState().wide[1]);
    EXPECT_FALSE(LiveClashWindow::chooseWideLayout(0, 20, 0, kNoCountry));
    const std::array<int, 2> countries { 0, 1 };
    const std::array<int, 2> land { 3, 3 };
    ScenePlacement wide_screen = computeScenePlacement(1280, 960, { false, false }, countries, land);
    EXPECT_EQ(wide_screen.origin[1].x - (wide_screen.origin[0].x + 500), 16);
    ScenePlacement narrow = computeScenePlacement(1000, 700, { false, false }, countries, land);
    EXPECT_EQ(narrow.origin[0].x, 0);
    EXPECT_EQ(narrow.origin[1].x + 500, 1000);
    ScenePlacement sky = computeScenePlacement(1280, 960, { false, false }, countries, { 60, 3 });
    EXPECT_LT(sky.origin[0].y, sky.origin[1].y) << "the sky stands higher";
    ScenePlacement w = computeScenePlacement(1280, 960, { true, false }, countries, land);
    EXPECT_EQ(w.size[0].cx, 960);
    EXPECT_EQ(w.origin[1].x, w.origin[0].x + 460);
}

TEST(SceneSound, ChoiceBySceneAndWeaponKind)
{
    EXPECT_EQ(chooseBattleSounds(0, 1, 0, 0), (SoundChoice { 0, 7, -1, -1, 16 }));
    EXPECT_EQ(chooseBattleSounds(20, 0, 13, 0), (SoundChoice { -1, -1, -1, -1, 14 }));
    EXPECT_EQ(chooseBattleSounds(21, 75, 0, 0), (SoundChoice { -1, 10, 11, 12, 15 }));
    EXPECT_EQ(chooseBattleSounds(31, 62, 0, 58), (SoundChoice { -1, 7, -1, -1, -1 }));
    EXPECT_EQ(battleSoundFileName(18, 1), "18.wav");
    EXPECT_EQ(battleSoundFileName(4, 1), "04b.wav");
}
