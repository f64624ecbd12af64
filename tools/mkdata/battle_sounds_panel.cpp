// The battle scene's waves "tklc\00a.wav" .. "17b.wav" and "18.wav", and the simplified battle
// window's panel "tkbmp\panel_fig2.bmp".
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/sounds_synth.h"

#include <cstdio>

namespace mkdata::battle {
namespace {

using sounds::Shape;
using sounds::Track;

// Sounds 0..3 engines and steps at the start, 4..13 weapons, 14..17 hits, 18 a charge.
void battleSound(Track& t, int id, int side)
{
    const double pitch = side == 0 ? 1.0 : 0.92;
    switch (id) {
    case 0: for (int i = 0; i < 4; ++i) t.noise(i * 0.15, 0.07, 0.6, 0.3, 30, 11 + uint32_t(i)); break;
    case 1: t.tone(0, 0.8, 60 * pitch, 70 * pitch, Shape::Saw, 0.3, 0.05, 0.2); t.noise(0, 0.8, 0.3, 0.1, 1, 3); break;
    case 2: t.tone(0, 0.8, 90 * pitch, 100 * pitch, Shape::Square, 0.25, 0.05, 0.2); break;
    case 3: t.noise(0, 1.0, 0.5, 0.6, 0.5, 5); t.tone(0, 1.0, 800 * pitch, 600 * pitch, Shape::Sine, 0.1); break;
    case 7: t.noise(0, 0.25, 0.9, 0.5, 14, 7); t.tone(0, 0.12, 180, 60, Shape::Sine, 0.5, 0.001, 0.1); break;
    case 14: case 15: case 16: t.noise(0, 0.9, 0.9, 0.25, 3.5, uint32_t(id)); t.tone(0, 0.5, 90, 30, Shape::Sine, 0.5); break;
    case 17: t.noise(0, 0.7, 0.7, 0.4, 5, 22); break;
    case 18: t.tone(0, 1.2, 200, 900, Shape::Square, 0.25, 0.1, 0.3); break;
    default:
        t.noise(0, 0.6, 0.6, 0.6, 4, uint32_t(30 + id));
        t.tone(0, 0.4, 400 * pitch + id * 30, 150 * pitch, Shape::Saw, 0.2, 0.005, 0.2);
        break;
    }
}

void writeSounds(const std::filesystem::path& folder)
{
    for (int id = 0; id <= 18; ++id)
        for (int side = 0; side < (id == 18 ? 1 : 2); ++side) {
            Track track;
            battleSound(track, id, side);
            char name[16];
            if (id == 18)
                std::snprintf(name, sizeof name, "%02d.wav", id);
            else
                std::snprintf(name, sizeof name, "%02d%c.wav", id, side == 0 ? 'a' : 'b');
            writeFile(folder / "tklc" / name, sounds::waveBytes(track));
        }
}

// Two sides of 300 pixels: name plates, counters in two rows of five, weapon rows, the button place.
void writePanel(const std::filesystem::path& folder)
{
    Canvas c(600, 300);
    Palette p;
    const uint8_t back = p.index({ 22, 30, 40 });
    const uint8_t plate = p.index({ 36, 50, 66 });
    const uint8_t line = p.index({ 90, 120, 150 });
    c.fillRect(0, 0, 600, 300, back);
    for (int side = 0; side < 2; ++side) {
        const int x = side * 300;
        c.frameRect(x + 4, 4, x + 296, 296, line);
        c.fillRect(x + 8, 8, x + 292, 46, plate);
        c.frameRect(x + 8, 8, x + 48, 48, line);
        c.fillRect(x + 8, 48, x + 292, 68, plate);
        for (int i = 0; i < 10; ++i) {
            const int cx = x + 66 + (i % 5) * 44;
            const int cy = (i / 5 + 3) * 24 - 2;
            c.frameRect(cx, cy, cx + 38, cy + 20, line);
        }
        for (int k = 0; k < 5; ++k)
            c.frameRect(x + 8, 147 + 22 * k, x + 292, 167 + 22 * k, plate);
    }
    writeFile(folder / "tkbmp" / "panel_fig2.bmp", encodeBmp8(c, p));
}

void writeAll(const std::filesystem::path& folder)
{
    writeSounds(folder);
    writePanel(folder);
}

} // namespace

MKDATA_GENERATOR("battle_sounds_panel", writeAll);

} // namespace mkdata::battle
