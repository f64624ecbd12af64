// Maps of two, five and eight countries set round a central lake: each holds the land nearest its
// capital. They try the map settings with one and with two pages of countries, with and without
// the neutral side's units.
#include "tools/mkdata/maps_builder.h"

#include "state/hex_geometry.h"
#include "tools/mkdata/generator.h"

#include <cmath>
#include <vector>

namespace mkdata::maps {
namespace {

const char* const kNames[8] = { "東雲公国", "夕霧王国", "白峰連邦", "青潮共和国", "紅葉藩王国", "若草同盟", "黄昏帝国",
    "紫苑自治領" };

struct Ring {
    const char* file;
    const char* title;
    const char* description;
    int countries;
    int size;
    bool neutralUnits;
};

const Ring kRings[] = {
    { "duel.vtm", "一騎討ち", "湖をはさんだ二国だけの決戦用マップです。中立の部隊はいません。", 2, 20, false },
    { "pentagon.vtm", "五国の湖", "五つの国が湖を囲みます。湖畔の町には中立の守備隊がいます。", 5, 28, true },
    { "octagon.vtm", "八国の湖", "八つの国がひしめく大乱戦のマップです。中立の部隊はいません。", 8, 36, false },
};

MapBuilder drawRing(const Ring& r)
{
    MapBuilder m(r.size, r.size, kPlain);
    const double centre = (r.size - 1) / 2.0;
    const double radius = r.size * 0.36;
    std::vector<HexPos> capitals;
    for (int c = 0; c < r.countries; ++c) {
        const double angle = 2 * M_PI * c / r.countries - M_PI / 2;
        capitals.push_back({ int(std::lround(centre + radius * std::cos(angle))), int(std::lround(centre + radius * std::sin(angle))) });
    }
    const int middle = int(centre);
    m.patch(middle, middle, r.size / 8, kLake, 3);
    for (int c = 0; c < r.countries; ++c) {
        const HexPos cap = capitals[size_t(c)];
        m.patch(cap.x + 2, cap.y + 1, 2, c % 2 ? kForest : kHills, unsigned(c + 20));
        m.set(cap.x, cap.y, kCapital);
        m.set(cap.x + 1, cap.y, kCity);
        m.line(cap.x, cap.y, middle, middle - r.size / 8 - 1, kRoad);
    }
    // Each hex belongs to the nearest capital while it lies within the ring's reach.
    m.setOwners([&](int x, int y) {
        int best = -1;
        int bestDistance = r.size;
        for (int c = 0; c < r.countries; ++c) {
            const int d = hexDistance(capitals[size_t(c)], HexPos { x, y });
            if (d < bestDistance) {
                best = c;
                bestDistance = d;
            }
        }
        return bestDistance <= r.size / 4 ? best : -1;
    });
    for (int c = 0; c < r.countries; ++c) {
        const HexPos cap = capitals[size_t(c)];
        m.country(c, kNames[c], c == 0 ? 1 : 2, 4000 + 500 * uint32_t(c));
        m.unit(c, kInfantry, cap.x, cap.y, "首都守備隊");
        m.unit(c, kTank, cap.x + 1, cap.y, "第1戦車隊");
        m.unit(c, kArtillery, cap.x, cap.y + 1 < r.size ? cap.y + 1 : cap.y - 1, "第1砲兵隊");
        m.place(cap.x, cap.y, kNames[c], true);
        m.winByPlaces(c, 2);
    }
    if (r.neutralUnits) {
        m.set(middle, middle - r.size / 8 - 1, kTown);
        m.unit(8, kInfantry, middle, middle - r.size / 8 - 1, "湖畔守備隊");
        m.unit(8, kInfantry, middle + 1, middle - r.size / 8 - 1, "湖畔自警団");
    }
    m.title(r.title, r.description, 2, 40);
    m.normalRules();
    return m;
}

void writeRingMaps(const std::filesystem::path& programFolder)
{
    for (const Ring& r : kRings)
        writeFile(programFolder / "tkmap" / r.file, drawRing(r).bytes());
}

} // namespace

MKDATA_GENERATOR("maps_ring", writeRingMaps);

} // namespace mkdata::maps
