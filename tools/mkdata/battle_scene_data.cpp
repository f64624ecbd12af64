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

// Unit types and how the scene shows them: scene kind, weapon animation per slot, sprite look.
struct UnitScene {
    int id;
    int sceneKind;
    int weapons[5];
    Look look;
};

const UnitScene kUnits[] = {
    { 1, 1, { 1 }, Look::Truck },
    { 2, 0, { 1, 1 }, Look::Soldier },
    { 3, 0, { 2, 1 }, Look::Tank },
    { 4, 0, { 2 }, Look::Gun },
    { 5, 0, { 36 }, Look::Launcher },
    { 6, 0, { 1 }, Look::Tank },
    { 7, 0, { 37 }, Look::Launcher },
    { 8, 1, {}, Look::Truck },
    { 9, 0, { 0, 1 }, Look::Soldier },
    { 10, 0, { 1 }, Look::Truck },
    { 11, 1, { 38 }, Look::Launcher },
    { 12, 31, { 0 }, Look::Missile },
    { 13, 31, { 0 }, Look::Missile },
    { 20, 5, { 6, 1 }, Look::Jet },
    { 21, 5, { 7, 11, 1 }, Look::Jet },
    { 22, 5, { 9, 1 }, Look::Helicopter },
    { 23, 5, {}, Look::Helicopter },
    { 24, 30, {}, Look::Transport },
    { 25, 30, {}, Look::Transport },
    { 30, 20, { 3 }, Look::Ship },
    { 31, 21, { 19 }, Look::Submarine },
    { 32, 22, {}, Look::Ship },
    { 33, 22, {}, Look::Ship },
    { 34, 20, { 3 }, Look::Ship },
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
            put16(out, uint16_t(u.weapons[k]));
            // The muzzle: front and middle of the full-size sprite.
            put32(out, u.weapons[k] ? 10 : 0);
            put32(out, u.weapons[k] ? 30 : 0);
        }
        put32(out, uint32_t(spriteNumber(u.look)));
    }
    writeFile(folder / "unitdata.dat", out);
}

void writeUnitSprites(const std::filesystem::path& folder)
{
    for (Look look : { Look::Soldier, Look::Tank, Look::Gun, Look::Launcher, Look::Truck, Look::Missile, Look::Jet,
             Look::Helicopter, Look::Transport, Look::Ship, Look::Submarine }) {
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
    writeBackgrounds(folder);
    writeFile(folder / "frame2.dat", drawFramePicture());
    writeFile(folder / "category.dat", drawCategoryPicture());
    writeShape(folder / "bg_mask1.dat", 500);
    writeShape(folder / "bg_mask2.dat", 960);
}

} // namespace

MKDATA_GENERATOR("battle_scene", writeBattleScene);

} // namespace mkdata::battle
