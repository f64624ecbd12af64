// Frames of seeded scenes over the generated scene files, against the checksums kept in
// tests/battle/golden/scene_checksums.txt, and the back buffers' rows as GDI and the painters see them.
//
// After a deliberate change of the painters or the scene pictures, rewrite the checksums with
//   DERAZODO_HEADLESS=1 DERAZODO_UPDATE_GOLDEN=1 DERAZODO_SHOTS=<folder> ctest -R SceneFrames
// look at the frames written to <folder>, and commit the file.
#include "battle/scene_painters.h"
#include "tests/battle/scene_rig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using scene_test::SceneRig;

constexpr int kLand = 5;
constexpr int kSea = 15;

std::filesystem::path sceneGoldenPath() { return std::filesystem::path(DERAZODO_SOURCE_DIR) / "tests/battle/golden/scene_checksums.txt"; }

bool updatingSceneGolden()
{
    const char* value = std::getenv("DERAZODO_UPDATE_GOLDEN");
    return value && std::string(value) == "1";
}

std::map<std::string, std::string> readGolden()
{
    std::map<std::string, std::string> sums;
    std::ifstream in(sceneGoldenPath());
    std::string key, sum;
    while (in >> key >> sum)
        sums[key] = sum;
    return sums;
}

// FNV-1a over both sides' target buffers, as the windows would show them.
std::string checksum()
{
    uint64_t h = 1469598103934665603ull;
    for (int side = 0; side < 2; ++side) {
        const SceneTarget t = LiveClashWindow::target(side);
        for (int y = 0; y < kSceneHeight; ++y)
            for (int x = 0; x < t.width; ++x) {
                const uint16_t w = t.row(y)[x];
                h = (h ^ (w & 0xFF)) * 1099511628211ull;
                h = (h ^ (w >> 8)) * 1099511628211ull;
            }
    }
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

struct SceneCase {
    std::string name;
    BattleRecord record;
    std::vector<int> frames;
};

// The scenes whose frames are kept: each painter family, the wide layout and the night.
std::vector<SceneCase> sceneCases(const SceneRig& rig)
{
    std::vector<SceneCase> cases;
    auto add = [&](const std::string& name, BattleSideRecord a, BattleSideRecord d, std::vector<int> frames) {
        SceneCase c { name, {}, std::move(frames) };
        c.record.side[0] = a;
        c.record.side[1] = d;
        cases.push_back(c);
    };
    // Tanks firing at infantry, four of which fall.
    BattleSideRecord tanks = rig.side(3, 0, 3, kLand);
    BattleSideRecord infantry = rig.side(2, 1, 3, kLand);
    tanks.shots = 6;
    infantry.figuresAfter = 6;
    add("formation", tanks, infantry, { 10, 40, 74, 90, 120, 149 });
    BattleSideRecord night_tanks = tanks;
    BattleSideRecord night_infantry = infantry;
    night_tanks.night = night_infantry.night = 1;
    add("night", night_tanks, night_infantry, { 40, 120 });
    // A destroyer sinking another on the waves.
    BattleSideRecord destroyer = rig.side(30, 0, 4, kSea);
    BattleSideRecord cruiser = rig.side(34, 1, 4, kSea);
    destroyer.shots = 10;
    cruiser.figuresBefore = 1;
    cruiser.figuresAfter = 0;
    destroyer.figuresBefore = 1;
    destroyer.figuresAfter = 1;
    add("ship", destroyer, cruiser, { 30, 95, 110, 149 });
    // A destroyer hitting a submarine that fires back: the large sprite under fire, then firing.
    BattleSideRecord submarine = rig.side(31, 1, 5, kSea);
    destroyer.shots = 3;
    submarine.figuresBefore = 1;
    submarine.figuresAfter = 1;
    submarine.shots = 1;
    submarine.counterAttack = 1;
    destroyer.counterAttack = 1;
    add("large", destroyer, submarine, { 100, 130, 180, 299 });
    // An anti-aircraft gun bringing down seven of ten cruise missiles.
    BattleSideRecord gun = rig.side(6, 0, 3, kLand);
    BattleSideRecord missiles = rig.side(12, 1, 1, kLand);
    gun.shots = 8;
    missiles.figuresAfter = 3;
    add("kind31", gun, missiles, { 20, 85, 100, 149 });
    // Tanks at a ship: the tanks' window is the wide one.
    BattleSideRecord shore_tanks = rig.side(3, 0, 3, kLand);
    BattleSideRecord ship = rig.side(30, 1, 4, kSea);
    shore_tanks.shots = 4;
    ship.figuresBefore = 1;
    ship.figuresAfter = 1;
    add("wide", shore_tanks, ship, { 20, 100, 149 });
    // Attack helicopters hovering over tanks, two of them shot down in return.
    BattleSideRecord helicopters = rig.side(22, 0, 1, kLand);
    BattleSideRecord armour = rig.side(3, 1, 3, kLand);
    helicopters.shots = 5;
    helicopters.figuresAfter = 8;
    armour.figuresAfter = 6;
    armour.shots = 2;
    armour.counterAttack = helicopters.counterAttack = 1;
    add("hover", helicopters, armour, { 30, 100, 170, 299 });
    // Rocket launchers' salvos onto infantry: three missiles each, the spray and the blasts.
    BattleSideRecord rockets = rig.side(5, 0, 3, kLand);
    BattleSideRecord riflemen = rig.side(2, 1, 3, kLand);
    rockets.shots = 10;
    riflemen.figuresAfter = 5;
    add("salvo", rockets, riflemen, { 30, 95, 105, 120 });
    // Attack aircraft dropping bombs on tanks.
    BattleSideRecord bombers = rig.side(21, 0, 2, kLand);
    bombers.weaponSlot = 1;
    bombers.shots = 6;
    BattleSideRecord bombed = rig.side(3, 1, 3, kLand);
    bombed.figuresAfter = 7;
    add("bombs", bombers, bombed, { 30, 97, 105, 120 });
    // A destroyer's depth charges seen under water by a submarine that answers with a torpedo.
    BattleSideRecord hunter = rig.side(30, 0, 4, kSea);
    hunter.weaponSlot = 2;
    hunter.shots = 4;
    hunter.figuresBefore = hunter.figuresAfter = 1;
    BattleSideRecord hunted = rig.side(31, 1, 5, kSea);
    hunted.figuresBefore = hunted.figuresAfter = 1;
    hunted.shots = 2;
    hunted.counterAttack = hunter.counterAttack = 1;
    add("torpedo", hunter, hunted, { 100, 112, 125, 190 });
    // Cruise missiles flying at an electronic warfare craft whose beam brings them down as they come.
    BattleSideRecord cruise = rig.side(12, 0, 1, kLand);
    cruise.figuresAfter = 3;
    cruise.shots = 2;
    BattleSideRecord jammer = rig.side(25, 1, 2, kLand);
    jammer.figuresBefore = jammer.figuresAfter = 1;
    jammer.shots = 7;
    jammer.counterAttack = cruise.counterAttack = 1;
    add("beam", cruise, jammer, { 20, 30, 45, 100 });
    // A ballistic missile striking tanks: the warhead slides in and the window flashes white.
    BattleSideRecord warhead = rig.side(13, 0, 0, kLand);
    warhead.shots = 1;
    BattleSideRecord struck = rig.side(3, 1, 3, kLand);
    struck.figuresAfter = 2;
    add("kind83", warhead, struck, { 95, 120, 140, 149 });
    // An attacker the viewer cannot see: its window shows the frame picture for the whole fight.
    BattleSideRecord nobody = rig.side(2, kNoCountry, 3, kLand);
    nobody.figuresBefore = nobody.figuresAfter = 0;
    add("empty", nobody, rig.side(2, 1, 3, kLand), { 10, 74 });
    return cases;
}

// Bright red-orange pixels: fire.
int glowingPixels(const platform::harness::Image& image)
{
    int n = 0;
    for (uint32_t p : image.pixels)
        n += int(p >> 16) > 150 && int(p >> 16) > int(p >> 8 & 255) + 40 && int(p >> 16) > int(p & 255) + 80;
    return n;
}

// What GDI reads at a pixel, as a 15-bit word.
uint16_t wordAt(HDC dc, int x, int y)
{
    const COLORREF c = GetPixel(dc, x, y);
    return uint16_t((GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | GetBValue(c) >> 3);
}

// The names stay blank: text edges may differ between machines, pixels of the painters may not.
void blankNames(BattleRecord& record)
{
    for (BattleSideRecord& s : record.side)
        s.typeName[0] = s.unitName[0] = s.className[0] = 0;
}

} // namespace

TEST(SceneFrames, SeededScenesPaintTheKeptFrames)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    const auto golden = readGolden();
    std::ostringstream fresh;
    SceneState& st = sceneState();
    for (SceneCase& c : sceneCases(rig)) {
        blankNames(c.record);
        st.random.seed(1234);
        LiveClashWindow::prepareScene(c.record);
        // The weapons' own sprites come with their effects; the units, lands and explosions are here.
        LiveClashWindow::loadSceneData(c.record.side[0].night != 0);
        for (const SceneSide& s : st.sides) {
            if (s.country == kNoCountry)
                continue;
            EXPECT_GE(s.unitSpriteSlot, 0) << c.name;
            EXPECT_GE(s.backgroundSlot, 0) << c.name;
            EXPECT_GE(s.effectSlots[0], 0) << c.name;
        }
        if (c.name == "wide") {
            EXPECT_TRUE(st.wide[0]) << "the tanks' window is the wide one";
        }
        // Every frame in turn, as a fast draw thread would: hits are counted as they land.
        int next = 0;
        for (int f = 0; f <= c.frames.back(); ++f) {
            LiveClashWindow::paintFrame(f);
            if (f != c.frames[size_t(next)])
                continue;
            const std::string key = c.name + "/" + std::to_string(f);
            const std::string sum = checksum();
            fresh << key << ' ' << sum << '\n';
            if (c.name == "empty") {
                EXPECT_GT(glowingPixels(scene_test::bufferImage(st.buffers[0])), 100) << "fire glowing through haze, " << key;
            }
            for (int side = 0; side < 2; ++side)
                scene_test::keepBuffer(st.wide[size_t(side)] ? st.wideBuffer : st.buffers[size_t(side)],
                    "scene_" + c.name + "_" + std::to_string(f) + (side ? "_defender" : "_attacker"));
            if (!updatingSceneGolden()) {
                auto it = golden.find(key);
                if (it == golden.end())
                    ADD_FAILURE() << key << " has no kept checksum (see the file's head to make them)";
                else
                    EXPECT_EQ(sum, it->second) << key;
            }
            ++next;
        }
        LiveClashWindow::resetScene();
    }
    if (updatingSceneGolden()) {
        std::filesystem::create_directories(sceneGoldenPath().parent_path());
        std::ofstream(sceneGoldenPath()) << fresh.str();
    }
}

TEST(SceneFrames, TheSameSeedPaintsTheSameFrame)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneCase c = sceneCases(rig).front();
    std::string sums[2];
    for (std::string& sum : sums) {
        sceneState().random.seed(99);
        LiveClashWindow::prepareScene(c.record);
        LiveClashWindow::loadSceneData(false);
        for (int f = 0; f < 120; ++f)
            LiveClashWindow::paintFrame(f);
        sum = checksum();
        LiveClashWindow::resetScene();
    }
    EXPECT_EQ(sums[0], sums[1]);
}

// Back buffers are bottom-up: the painters write picture row y at memory row 299 - y, and GDI text
// drawn through the buffer's DC must land on the same rows.
TEST(SceneFrames, DirectPixelsAndGdiTextAgreeOnRows)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    SceneState& st = sceneState();
    SceneSide& defender = st.sides[1];
    std::strcpy(defender.unitName, "AB");
    std::strcpy(defender.typeName, "");
    fillRect(0, 0, kNarrowWidth, kSceneHeight, 0, 1);
    fillRect(40, 20, 60, 22, 0x7C00, 1);
    HDC dc = LiveClashWindow::targetDC(1);
    GdiFlush();
    EXPECT_EQ(wordAt(dc, 45, 20), 0x7C00) << "a painted row read back through GDI";
    EXPECT_EQ(wordAt(dc, 45, 19), 0);
    EXPECT_EQ(wordAt(dc, 45, 22), 0);
    EXPECT_EQ(st.buffers[1].bits()[size_t(299 - 20) * kNarrowWidth + 45], 0x7C00) << "row 20 is memory row 279";

    LiveClashWindow::drawLabels(1, 0);
    GdiFlush();
    const SceneTarget t = LiveClashWindow::target(1);
    int top = kSceneHeight;
    int bottom = -1;
    for (int y = 0; y < kSceneHeight; ++y)
        for (int x = 150; x < 200; ++x)
            if (t.row(y)[x] == 0x7FFF) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                EXPECT_EQ(wordAt(dc, x, y), 0x7FFF) << x << "," << y;
            }
    ASSERT_GE(bottom, 0) << "the unit name was written";
    EXPECT_GE(top, 25) << "the name starts at its place, not mirrored upwards";
    EXPECT_LT(bottom, 25 + 24);
    EXPECT_EQ(t.row(20)[45], 0x7C00) << "the text did not move the painted row";
}
