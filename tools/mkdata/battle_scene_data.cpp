// "tklc", the battle scene's folder: unit data, unit and explosion sprites, backgrounds, the frame
// and category pictures and the two window shapes. Everything is drawn by code here.
#include "tools/mkdata/battle_sprite_canvas.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace mkdata::battle {
namespace {

// A weapon row: its animation kind and the muzzle's offsets on the full-size unit sprite.
struct WeaponRow {
    int kind;
    int muzzleX, muzzleY;
};

// Two muzzles in one row: the low half against the sky, the high half otherwise.
constexpr int halves(int sky, int ground) { return int(uint32_t(ground) << 16 | (uint32_t(sky) & 0xFFFF)); }

// Unit types and how the scene shows them: scene kind, weapon rows in the unit type's weapon order,
// sprite look. Ground units and aircraft face left on a 160 × 80 sprite, ships on 360 × 160.
struct UnitScene {
    int id;
    int sceneKind;
    WeaponRow weapons[5];
    Look look;
};

// Between them the sample types fire every weapon kind the scene draws a launch or a hit for.
const UnitScene kUnits[] = {
    { 1, 1, { { 16, -2, 24 } }, Look::Truck },
    { 2, 0, { { 17, -8, 26 }, { 18, -8, 26 }, { 45, 24, 10 } }, Look::Soldier },
    { 3, 0, { { 2, 4, 20 }, { 24, 30, 14 } }, Look::Tank },
    { 4, 0, { { 3, 0, 0 } }, Look::Gun },
    { 5, 0, { { 52, 56, 16 }, { 51, 56, 16 } }, Look::Launcher },
    { 6, 0, { { 31, 4, 18 }, { 44, 86, 20 } }, Look::Tank },
    { 7, 0, { { 36, 60, 30 }, { 39, 90, 20 }, { 41, 70, 20 } }, Look::Launcher },
    { 8, 1, {}, Look::Truck },
    { 9, 0, { { 0, 0, 0 }, { 25, -8, 26 } }, Look::Soldier },
    { 10, 0, { { 26, 6, 18 } }, Look::Truck },
    { 11, 1, { { 54, 60, -20 } }, Look::Launcher },
    { 12, 31, { { 81, 0, 0 } }, Look::Missile },
    { 13, 31, { { 83, 0, 0 } }, Look::Missile },
    { 20, 5, { { 32, 60, 40 }, { 21, -50, 16 }, { 6, 40, 46 } }, Look::Jet },
    { 21, 5, { { 7, 40, 46 }, { 12, 60, 40 }, { 22, -56, 16 }, { 11, 60, 40 }, { 53, 40, 46 } }, Look::Jet },
    { 22, 5, { { 9, 20, 44 }, { 23, halves(-40, -40), halves(40, 28) }, { 56, 20, 44 } }, Look::Helicopter },
    { 23, 5, { { 27, halves(-40, -40), halves(40, 28) } }, Look::Helicopter },
    { 24, 30, {}, Look::Transport },
    { 25, 30, { { 82, 20, 80 }, { 58, 150, 100 } }, Look::Transport },
    { 30, 20, { { 8, 10, 60 }, { 57, 60, 20 }, { 13, 200, 140 }, { 37, 150, -20 }, { 73, 210, 10 } }, Look::Ship },
    { 31, 21, { { 76, 20, 100 }, { 74, 60, 60 } }, Look::Submarine },
    { 32, 22, { { 61, -44, 62 }, { 43, 150, -20 } }, Look::Ship },
    { 33, 22, { { 63, -44, 62 }, { 71, 150, 10 } }, Look::Ship },
    { 34, 20, { { 1, 10, 74 }, { 59, 60, 20 }, { 38, 150, 10 }, { 40, 150, 10 }, { 62, 220, 70 } }, Look::Ship },
    { 35, 20, { { 72, 200, 80 }, { 19, -56, 60 }, { 68, 220, 70 }, { 69, 150, 10 } }, Look::Ship },
    { 36, 20, { { 66, 220, 70 }, { 67, 150, 10 }, { 42, 150, 10 }, { 70, 60, 70 }, { 64, 40, 84 } }, Look::Ship },
    { 37, 21, { { 77, 20, 100 }, { 75, 60, 60 }, { 78, 60, 60 }, { 79, 60, 60 }, { 80, 60, 60 } }, Look::Submarine },
    // Its figures run at the enemy and vanish in the flash (the fixed formation's kind 33).
    { 38, 10, { { 33, 0, 0 } }, Look::Boat },
};

void put16(std::string& out, uint16_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void put32(std::string& out, uint32_t v)
{
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

// One sprite file per look, shared by every unit type drawn with it.
int spriteNumber(Look look) { return 1000 + int(look); }

void writeUnitData(const std::filesystem::path& folder)
{
    std::string out = "LIVECLASHDATA2  ";
    for (const UnitScene& u : kUnits) {
        put16(out, uint16_t(u.id));
        out.push_back(char(u.sceneKind));
        out.push_back(1);
        for (int k = 0; k < 5; ++k) {
            put16(out, uint16_t(u.weapons[k].kind));
            put32(out, uint32_t(u.weapons[k].muzzleX));
            put32(out, uint32_t(u.weapons[k].muzzleY));
        }
        put32(out, uint32_t(spriteNumber(u.look)));
    }
    writeFile(folder / "unitdata.dat", out);
}

void writeUnitSprites(const std::filesystem::path& folder)
{
    for (Look look : { Look::Soldier, Look::Tank, Look::Gun, Look::Launcher, Look::Truck, Look::Missile, Look::Jet,
             Look::Helicopter, Look::Transport, Look::Ship, Look::Submarine, Look::Boat }) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d.dat", spriteNumber(look));
        writeFile(folder / name, drawUnitSprite(look).encode());
    }
}

struct EffectFile {
    const char* name;
    int w, h;
    // Fire, water or smoke.
    Blast blast;
};

void writeEffects(const std::filesystem::path& folder)
{
    const EffectFile files[] = { { "ef04a.dat", 140, 160, Blast::Fire }, { "ef04b.dat", 110, 120, Blast::Fire },
        { "ef04c.dat", 70, 70, Blast::Fire }, { "ef05a.dat", 156, 88, Blast::Water }, { "ef05b.dat", 156, 88, Blast::Water },
        { "ef06.dat", 76, 105, Blast::Water }, { "ef07.dat", 136, 110, Blast::Smoke }, { "ef08a.dat", 200, 120, Blast::Fire },
        { "ef08b.dat", 152, 95, Blast::Fire } };
    for (const EffectFile& e : files)
        writeFile(folder / e.name, drawExplosionStrip(e.w, e.h, e.blast).encode());
}

// Scene shapes: the window's rectangle with chamfered corners, one rectangle per row.
void writeShape(const std::filesystem::path& path, int width)
{
    std::string out;
    constexpr int kCorner = 14;
    for (int y = 0; y < 300; ++y) {
        const int edge = y < kCorner ? kCorner - y : y >= 300 - kCorner ? y - (300 - kCorner) + 1 : 0;
        put32(out, uint32_t(edge));
        put32(out, uint32_t(y));
        put32(out, uint32_t(width - edge));
        put32(out, uint32_t(y + 1));
    }
    writeFile(path, out);
}

void writeBattleScene(const std::filesystem::path& programFolder)
{
    const auto folder = programFolder / "tklc";
    writeUnitData(folder);
    writeUnitSprites(folder);
    writeEffects(folder);
    writeWeaponSprites(folder);
    writeBackgrounds(folder);
    writeFile(folder / "frame2.dat", drawFramePicture());
    writeFile(folder / "category.dat", drawCategoryPicture());
    writeShape(folder / "bg_mask1.dat", 500);
    writeShape(folder / "bg_mask2.dat", 960);
}

} // namespace

MKDATA_GENERATOR("battle_scene", writeBattleScene);

} // namespace mkdata::battle
