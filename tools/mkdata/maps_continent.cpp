// The four-country continent map: four realms in the corners around an inland sea held by neutrals.
#include "tools/mkdata/maps_builder.h"

#include "state/hex_geometry.h"
#include "tools/mkdata/generator.h"

#include <set>
#include <utility>

namespace mkdata::maps {
namespace {

constexpr int kWidth = 40, kHeight = 30;

struct Realm {
    const char* name;
    int capitalX, capitalY;
    // +1 builds towards the east / south, -1 towards the west / north.
    int dx, dy;
};

const Realm kRealms[4] = {
    {"北辰帝国", 6, 5, 1, 1},
    {"白鷺共和国", 33, 5, -1, 1},
    {"翠林王国", 6, 24, 1, -1},
    {"黄砂連合", 33, 24, -1, -1},
};

void drawLand(MapBuilder& m)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)
                m.set(x, y, kSea);
    m.patch(2, 15, 4, kSea, 11);
    m.patch(37, 14, 4, kSea, 12);
    m.patch(20, 15, 4, kSea, 13);
    // Ridges between the northern and the southern pairs, with one pass each.
    m.line(20, 1, 20, 9, kMountain);
    m.set(20, 4, kHighMountain);
    m.set(20, 5, kHighMountain);
    m.set(20, 7, kHills);
    m.line(20, 21, 19, 28, kMountain);
    m.set(20, 25, kHighMountain);
    m.set(19, 24, kHills);
    m.patch(9, 14, 3, kForest, 1);
    m.patch(31, 15, 3, kForest, 2);
    m.patch(14, 12, 2, kHills, 3);
    m.patch(26, 18, 2, kHills, 4);
    m.patch(5, 9, 2, kForest, 5);
    m.patch(34, 9, 2, kForest, 6);
    m.patch(6, 20, 2, kForest, 7);
    m.patch(33, 20, 2, kJungle, 8);
    m.patch(30, 26, 2, kDesert, 9);
    m.patch(12, 25, 2, kMarsh, 10);
    m.patch(9, 3, 1, kFields, 14);
    m.patch(30, 3, 1, kFields, 15);
    m.patch(24, 4, 2, kHills, 16);
    m.patch(15, 26, 2, kHills, 17);
    m.line(12, 1, 17, 11, kRiver);
    m.line(28, 28, 23, 19, kRiver);
    m.line(1, 6, 3, 4, kMountain);
}

void drawShallows(MapBuilder& m)
{
    std::vector<std::pair<int, int>> coast;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (m.at(x, y) != kSea)
                continue;
            int land = 0;
            for (int d = 0; d < 6; ++d) {
                HexPos n = hexNeighbour(x, y, d, kWidth, kHeight);
                if (n.valid() && !isWater(m.at(n.x, n.y)))
                    ++land;
            }
            if (land >= 3)
                coast.emplace_back(x, y);
        }
    for (auto [x, y] : coast)
        m.set(x, y, kShallows);
}

void drawRealm(MapBuilder& m, const Realm& r)
{
    int x = r.capitalX, y = r.capitalY;
    m.set(x, y, kCapital);
    m.set(x + 2 * r.dx, y + r.dy, kFactory);
    m.set(x - 2 * r.dx, y + 2 * r.dy, kAirport);
    m.set(x + 4 * r.dx, y - 2 * r.dy, kTown);
    m.set(x - 1 * r.dx, y - 4 * r.dy, kPort);
    m.set(x + 3 * r.dx, y + 5 * r.dy, kCity);
    m.line(x, y, x + 2 * r.dx, y + r.dy, kRoad);
    m.line(x, y, x - 2 * r.dx, y + 2 * r.dy, kRoad);
    m.line(x, y, x + 4 * r.dx, y - 2 * r.dy, kRoad);
    m.line(x, y, x - 1 * r.dx, y - 4 * r.dy, kRoad);
    m.line(x, y, x + 3 * r.dx, y + 5 * r.dy, kRoad);
}

// Neutral cities around the inland sea, joined by a ring road.
const std::pair<int, int> kNeutralCities[] = {{13, 9}, {20, 11}, {27, 9}, {27, 20}, {20, 19}, {13, 20}};

void drawNeutrals(MapBuilder& m)
{
    for (auto [x, y] : kNeutralCities)
        m.set(x, y, kCity);
    m.set(20, 11, kLargeCity);
    m.set(20, 15, kPort);
    m.set(19, 15, kHills);
    m.set(21, 15, kAirfield);
    m.set(4, 15, kOilField);
    m.set(35, 15, kOilField);
    m.set(17, 4, kVillage);
    m.set(23, 26, kVillage);
    for (size_t i = 0; i < std::size(kNeutralCities); ++i) {
        auto [x0, y0] = kNeutralCities[i];
        auto [x1, y1] = kNeutralCities[(i + 1) % std::size(kNeutralCities)];
        m.line(x0, y0, x1, y1, kRoad);
    }
    // Trunk roads between neighbouring realms: over the two passes and along both coasts.
    m.line(10, 3, 20, 7, kRoad);
    m.line(20, 7, 29, 3, kRoad);
    m.line(10, 26, 19, 24, kRoad);
    m.line(19, 24, 29, 26, kRoad);
    m.line(9, 10, 9, 19, kRoad);
    m.line(30, 10, 30, 19, kRoad);
    // Each capital reaches its two nearest neutral cities.
    m.line(9, 10, 13, 9, kRoad);
    m.line(30, 10, 27, 9, kRoad);
    m.line(9, 19, 13, 20, kRoad);
    m.line(30, 19, 27, 20, kRoad);
}

int ownerOf(int x, int y)
{
    for (int c = 0; c < 4; ++c)
        if (hexDistance(HexPos {x, y}, HexPos {kRealms[c].capitalX, kRealms[c].capitalY}) <= 6)
            return c;
    return -1;
}

// The first hex from (x, y) outwards that suits the unit: water for ships, land otherwise, free.
std::pair<int, int> freeHex(const MapBuilder& m, std::set<std::pair<int, int>>& used, int x, int y, bool ship)
{
    for (int radius = 0; radius < 8; ++radius)
        for (int yy = y - radius; yy <= y + radius; ++yy)
            for (int xx = x - radius; xx <= x + radius; ++xx) {
                if (!m.inside(xx, yy) || used.count({xx, yy}) || hexDistance(HexPos {x, y}, HexPos {xx, yy}) != radius)
                    continue;
                uint8_t t = m.at(xx, yy);
                bool fits = ship ? (t == kSea || t == kShallows) : !isWater(t) && t != kHighMountain;
                if (fits) {
                    used.insert({xx, yy});
                    return {xx, yy};
                }
            }
    throw std::runtime_error("no room for a unit");
}

void placeArmy(MapBuilder& m, int c, std::set<std::pair<int, int>>& used)
{
    const Realm& r = kRealms[c];
    int x = r.capitalX, y = r.capitalY;
    struct Entry {
        uint16_t type;
        int ox, oy;
        const char* name;
    };
    const Entry army[] = {
        {kInfantry, 0, 0, "首都防衛連隊"}, {kInfantry, 3, 4, "第1歩兵連隊"}, {kInfantry, 4, 1, "第2歩兵連隊"},
        {kTank, 2, 2, "第1戦車大隊"}, {kTank, 3, 1, "第2戦車大隊"}, {kArtillery, 1, 2, "第1砲兵大隊"},
        {kAntiAir, 1, 0, "防空中隊"}, {kSupplyTruck, 1, 1, "補給隊"}, {kEngineer, 2, 3, "工兵中隊"},
        {kFighter, -2, 2, "第1飛行隊"}, {kAttacker, -2, 3, "攻撃飛行隊"}, {kAttackHeli, 0, 2, "ヘリ隊"},
    };
    for (const Entry& e : army) {
        auto [ux, uy] = freeHex(m, used, x + e.ox * r.dx, y + e.oy * r.dy, false);
        m.unit(c, e.type, ux, uy, e.name);
    }
    auto [sx, sy] = freeHex(m, used, x - r.dx, y - 5 * r.dy, true);
    m.unit(c, kDestroyer, sx, sy, "第1護衛艦");
    auto [tx, ty] = freeHex(m, used, x - 2 * r.dx, y - 5 * r.dy, true);
    m.unit(c, kTransportShip, tx, ty, "第1輸送艦");
}

void writeContinent(const std::filesystem::path& programFolder)
{
    writeFile(programFolder / "tkmap" / "continent.vtm", continentMap().bytes());
}

}

MapBuilder continentMap()
{
    MapBuilder m(kWidth, kHeight, kGrass);
    drawLand(m);
    drawShallows(m);
    drawNeutrals(m);
    for (const Realm& r : kRealms)
        drawRealm(m, r);
    m.setOwners(ownerOf);
    m.title("四王国の内海", "内海を囲んで四つの国がひしめく大陸マップです。\r\n"
                           "内海沿いの中立都市と油田が勝敗を分けます。", 3, 60);
    m.normalRules();
    std::set<std::pair<int, int>> used;
    for (int c = 0; c < 4; ++c) {
        m.country(c, kRealms[c].name, c == 0 ? 1 : 2, 3000);
        placeArmy(m, c, used);
    }
    for (auto [x, y] : kNeutralCities)
        m.unit(8, kInfantry, x, y, "中立守備隊");
    m.unit(8, kAntiAir, 20, 15, "島嶼防空隊");
    m.unit(8, kDestroyer, 18, 14, "沿岸警備艇");
    m.place(20, 11, "内海市", false);
    m.place(20, 15, "要港島", false);
    // The first realm to take a rival's capital wins; at the limit none has united the continent.
    for (int c = 0; c < 4; ++c) {
        m.place(kRealms[c].capitalX, kRealms[c].capitalY, kRealms[c].name, true);
        m.winByPlaces(c, 2);
        m.atTurnLimit(c, kFallsShort);
    }
    return m;
}

MKDATA_GENERATOR("maps_continent", writeContinent);

} // namespace mkdata::maps
