// The effect bank "tkwave\dsse00.wav" .. "dsse24.wav": clicks, engines, explosions, chime, alarms.
#include "tools/mkdata/generator.h"
#include "tools/mkdata/sounds_synth.h"

#include <cstdio>
#include <functional>

namespace mkdata::sounds {
namespace {

void click(Track& t) { t.tone(0, 0.04, 1800, 1200, Shape::Square, 0.4, 0.001, 0.02); }

void footsteps(Track& t)
{
    for (int i = 0; i < 4; ++i)
        t.noise(i * 0.18, 0.08, 0.7, 0.3, 30, 11 + i);
}

// An engine: a low buzz with a slow wobble of pitch, over rumbling noise.
void engine(Track& t, double base, double length, Shape shape, double rumble)
{
    t.tone(0, length, base, base * 1.15, shape, 0.35, 0.1, 0.2);
    t.tone(0, length, base * 2.02, base * 2.2, Shape::Sine, 0.15, 0.1, 0.2);
    t.noise(0, length, rumble, 0.08, 0.5, 7);
}

void explosion(Track& t, double length, double level, uint32_t seed)
{
    t.noise(0, length, level, 0.25, 3.5, seed);
    t.tone(0, length * 0.6, 90, 30, Shape::Sine, level * 0.5, 0.002, 0.3);
}

void chime(Track& t)
{
    for (int note : {79, 76, 72})
        t.tone((79 - note) * 0.05, 1.2, midiFrequency(note), midiFrequency(note), Shape::Sine, 0.3, 0.003, 1.0);
}

void arpeggio(Track& t, std::initializer_list<int> notes)
{
    double at = 0;
    for (int note : notes) {
        t.note(at, 0.16, note, 0.5);
        at += 0.11;
    }
}

using Maker = std::function<void(Track&)>;

const std::vector<Maker>& makers()
{
    static const std::vector<Maker> list = {
        /* 0 UI click */ click,
        /* 1 preview */ [](Track& t) { t.tone(0, 0.3, 660, 660, Shape::Sine, 0.3); },
        /* 2 infantry */ footsteps,
        /* 3 tracked */ [](Track& t) { engine(t, 55, 1.2, Shape::Saw, 0.5); },
        /* 4 wheeled */ [](Track& t) { engine(t, 80, 1.0, Shape::Square, 0.25); },
        /* 5 jet */ [](Track& t) { t.noise(0, 1.4, 0.8, 0.6, 0.4, 5); t.tone(0, 1.4, 900, 600, Shape::Sine, 0.1, 0.2, 0.4); },
        /* 6 propeller */ [](Track& t) { engine(t, 110, 1.2, Shape::Square, 0.15); },
        /* 7 helicopter */ [](Track& t) { for (int i = 0; i < 10; ++i) t.noise(i * 0.12, 0.07, 0.7, 0.15, 20, 40 + i); },
        /* 8 ship */ [](Track& t) { engine(t, 40, 1.5, Shape::Triangle, 0.4); },
        /* 9 submarine */ [](Track& t) { t.tone(0, 1.0, 1200, 1200, Shape::Sine, 0.35, 0.002, 0.9); },
        /* 10 page */ [](Track& t) { t.tone(0, 0.06, 900, 1400, Shape::Triangle, 0.4, 0.002, 0.03); },
        /* 11 briefing */ [](Track& t) { t.tone(0, 0.06, 1400, 900, Shape::Triangle, 0.4, 0.002, 0.03); },
        /* 12 gunfire */ [](Track& t) { for (int i = 0; i < 3; ++i) t.noise(i * 0.1, 0.08, 0.9, 0.7, 35, 60 + i); },
        /* 13 explosion */ [](Track& t) { explosion(t, 1.2, 0.9, 13); },
        /* 14 area blast */ [](Track& t) { explosion(t, 1.8, 0.8, 14); explosion(t, 1.5, 0.5, 15); },
        /* 15 launch */ [](Track& t) { t.noise(0, 1.2, 0.6, 0.5, 1.2, 16); t.tone(0, 1.2, 200, 800, Shape::Saw, 0.15, 0.05, 0.3); },
        /* 16 chime */ chime,
        /* 17 radar */ [](Track& t) { t.tone(0, 0.25, 1500, 1500, Shape::Sine, 0.4, 0.002, 0.2); },
        /* 18 money alarm */ [](Track& t) { for (int i = 0; i < 4; ++i) t.tone(i * 0.2, 0.12, 1320, 1320, Shape::Square, 0.3, 0.002, 0.02); },
        /* 19 level up */ [](Track& t) { arpeggio(t, {60, 64, 67, 72}); },
        /* 20 level down */ [](Track& t) { arpeggio(t, {72, 67, 63, 60}); },
        /* 21 siren */ [](Track& t) { t.tone(0, 0.8, 600, 900, Shape::Triangle, 0.35); t.tone(0.8, 0.8, 900, 600, Shape::Triangle, 0.35); },
        /* 22 splash */ [](Track& t) { t.noise(0, 0.7, 0.7, 0.4, 5, 22); },
        /* 23 building */ [](Track& t) { for (int i = 0; i < 3; ++i) t.tone(i * 0.15, 0.05, 300, 200, Shape::Square, 0.45, 0.001, 0.03); },
        /* 24 refused */ [](Track& t) { t.tone(0, 0.25, 150, 150, Shape::Square, 0.35); },
    };
    return list;
}

void writeEffects(const std::filesystem::path& folder)
{
    const auto& list = makers();
    for (size_t slot = 0; slot < list.size(); ++slot) {
        Track track;
        list[slot](track);
        char name[32];
        std::snprintf(name, sizeof name, "dsse%02d.wav", int(slot));
        writeFile(folder / "tkwave" / name, waveBytes(track));
    }
}

MKDATA_GENERATOR("sounds_effects", writeEffects);

} // namespace
} // namespace mkdata::sounds
