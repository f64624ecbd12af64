// Drawing helpers of the sample maps: legend, hex lines, patches, owners, units, places and texts.
#include "tools/mkdata/maps_builder.h"

#include "platform/kernel/host.h"
#include "state/hex_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace mkdata::maps {
namespace {

uint8_t legend(char symbol)
{
    switch (symbol) {
    case '.': return kPlain;
    case ',': return kGrass;
    case 'F': return kForest;
    case 'J': return kJungle;
    case 'h': return kHills;
    case 'M': return kMountain;
    case 'A': return kHighMountain;
    case 'd': return kDesert;
    case 'w': return kMarsh;
    case 'f': return kFields;
    case 'r': return kRiver;
    case '~': return kSea;
    case 's': return kShallows;
    case '=': return kRoad;
    case 'b': return kBridge;
    case 'C': return kCapital;
    case 'L': return kLargeCity;
    case 'c': return kCity;
    case 't': return kTown;
    case 'P': return kAirport;
    case 'p': return kAirfield;
    case 'K': return kFactory;
    case 'H': return kPort;
    case 'v': return kVillage;
    case 'T': return kFortress;
    default: throw std::runtime_error(std::string("unknown map symbol ") + symbol);
    }
}

struct Cube {
    double q, r;
};

Cube toCube(int x, int y) { return {double(x) - double(y - (y & 1)) / 2.0, double(y)}; }

}

bool isWater(uint8_t t) { return t == kSea || t == kShallows || t == kLake || t == kRiver || t == kDeepRiver; }
bool isBuilding(uint8_t t) { return t >= kCapital && t <= 49; }

void putText(uint8_t* field, size_t size, const char* utf8)
{
    std::string text = platform::utf8ToCp932(utf8);
    if (text.size() >= size)
        throw std::runtime_error("map text too long: " + std::string(utf8));
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), text.size());
}

MapBuilder::MapBuilder(int width, int height, uint8_t fill)
{
    m_file.header.width = uint16_t(width);
    m_file.header.height = uint16_t(height);
    m_file.cells.assign(size_t(width) * size_t(height), FileMapCell {});
    for (FileMapCell& cell : m_file.cells)
        cell.terrain = fill;
    // Every sample map pays its buildings' income.
    m_file.header.buildingIncome = 1;
    // 1000 = days only.
    m_file.header.dayNightLow = 1000 & 0xFF;
    m_file.header.dayNightHigh = 1000 >> 8;
}

MapBuilder::MapBuilder(const std::vector<std::string>& rows)
    : MapBuilder(int(rows.at(0).size()), int(rows.size()), kPlain)
{
    for (int y = 0; y < height(); ++y) {
        if (int(rows[size_t(y)].size()) != width())
            throw std::runtime_error("map row " + std::to_string(y) + " has the wrong length");
        for (int x = 0; x < width(); ++x)
            set(x, y, legend(rows[size_t(y)][size_t(x)]));
    }
}

void MapBuilder::set(int x, int y, uint8_t terrain)
{
    if (inside(x, y))
        m_file.cellAt(x, y).terrain = terrain;
}

void MapBuilder::line(int x0, int y0, int x1, int y1, uint8_t terrain)
{
    Cube a = toCube(x0, y0), b = toCube(x1, y1);
    double as = -a.q - a.r, bs = -b.q - b.r;
    int n = int(std::max({std::abs(a.q - b.q), std::abs(a.r - b.r), std::abs(as - bs)}));
    for (int i = 0; i <= n; ++i) {
        double t = n ? double(i) / n : 0.0;
        // A small nudge keeps ties on one side so the line has no gaps.
        double q = a.q + (b.q - a.q) * t + 1e-6, r = a.r + (b.r - a.r) * t + 2e-6;
        double s = -q - r;
        double rq = std::round(q), rr = std::round(r), rs = std::round(s);
        double dq = std::abs(rq - q), dr = std::abs(rr - r), ds = std::abs(rs - s);
        if (dq > dr && dq > ds)
            rq = -rr - rs;
        else if (dr > ds)
            rr = -rq - rs;
        int y = int(rr);
        int x = int(rq) + (y - (y & 1)) / 2;
        if (!inside(x, y))
            continue;
        uint8_t here = at(x, y);
        if (isBuilding(here))
            continue;
        if (terrain == kRoad && (here == kRiver || here == kDeepRiver))
            set(x, y, kBridge);
        else if (terrain == kRoad && (here == kSea || here == kShallows || here == kBridge))
            continue;
        else
            set(x, y, terrain);
    }
}

std::vector<uint8_t> MapBuilder::bytes() const
{
    ScenarioFile file = m_file;
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) {
            if (at(x, y) != kRoad)
                continue;
            uint8_t bits = 0;
            for (int d = 0; d < kHexDirections; ++d) {
                HexPos n = hexNeighbour(x, y, d, width(), height());
                if (n.valid() && (at(n.x, n.y) == kRoad || at(n.x, n.y) == kBridge || isBuilding(at(n.x, n.y))))
                    bits = uint8_t(bits | 1u << d);
            }
            file.cellAt(x, y).overlay = bits;
        }
    return writeScenarioBytes(file);
}

void MapBuilder::patch(int cx, int cy, int radius, uint8_t terrain, unsigned seed)
{
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if (!inside(x, y) || isWater(at(x, y)) || isBuilding(at(x, y)) || at(x, y) == kRoad || at(x, y) == kBridge)
                continue;
            int d = hexDistance(HexPos {cx, cy}, HexPos {x, y});
            unsigned noise = (unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ seed) % 3;
            if (d < radius || (d == radius && noise == 0))
                set(x, y, terrain);
        }
}

void MapBuilder::setOwners(const std::function<int(int, int)>& owner)
{
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) {
            FileMapCell& cell = m_file.cellAt(x, y);
            int c = owner(x, y);
            bool land = !isWater(cell.terrain);
            cell.hexOwner = uint8_t(land && c >= 0 ? c + 1 : 0);
            cell.buildingOwnerPlusOne = uint8_t(isBuilding(cell.terrain) && c >= 0 ? c + 1 : 0);
        }
}

void MapBuilder::country(int c, const char* name, uint8_t controller, uint32_t funds)
{
    FileCountryRecord& r = m_file.countries[size_t(c)];
    putText(reinterpret_cast<uint8_t*>(r.name), sizeof r.name, name);
    r.controller = controller;
    r.allianceMask = uint8_t(1u << c);
    r.productionType = 0;
    r.anthemCode = uint8_t(c);
    // Few enough units that the income buys a choice of them rather than a crowd.
    r.unitSlots = 20;
    r.funds = funds;
    r.fundsLimit = 99999999;
}

void MapBuilder::atTurnLimit(int c, uint8_t outcome) { m_file.countries[size_t(c)].victoryParameter = outcome; }

void MapBuilder::title(const char* name, const char* description, int difficulty, int turns)
{
    // Description at 16, difficulty at 535, turn limit at 536, name at 538.
    uint8_t* header = reinterpret_cast<uint8_t*>(&m_file.header);
    putText(header + 538, 580 - 538, name);
    putText(header + 16, 530 - 16, description);
    header[535] = uint8_t(difficulty);
    header[536] = uint8_t(turns & 0xFF);
    header[537] = uint8_t(turns >> 8);
}

int MapBuilder::unit(int side, uint16_t type, int x, int y, const char* name)
{
    if (!inside(x, y))
        throw std::runtime_error(std::string("unit off the map: ") + name);
    std::vector<UnitRecord>& units = m_file.units[size_t(side)];
    UnitRecord u {};
    u.stateLow = 1;
    u.unitTypeId = type;
    u.x = uint8_t(x);
    u.y = uint8_t(y);
    putText(reinterpret_cast<uint8_t*>(u.name), sizeof u.name, name);
    units.push_back(u);
    units.back().troopNumber = uint16_t(units.size());
    return int(units.size()) - 1;
}

void MapBuilder::place(int x, int y, const char* name, bool target)
{
    PlaceRecord p {};
    p.used = 1;
    putText(p.data, sizeof p.data, name);
    p.x = uint8_t(x);
    p.y = uint8_t(y);
    p.target = target ? 1 : 0;
    m_file.places.push_back(p);
}

void MapBuilder::winByPlaces(int c, uint8_t kind)
{
    // Kind in the low byte; the top byte's bit 1 says the country has conditions at all.
    constexpr uint32_t kHasConditions = 2u << 24;
    m_file.countries[size_t(c)].victoryCondition = kind | kHasConditions;
}

void MapBuilder::normalRules()
{
    // Fog of war (3) on every map; supplies are paid for (8), so income has more than production to pay.
    m_file.rules = RuleBlock {};
    for (int i : {0, 1, 3, 5, 6, 7, 8, 9, 12, 15, 16, 17, 18, 22, 28, 29, 31, 33, 35, 38, 44, 47, 48})
        m_file.rules.switches[i] = 1;
}

void MapBuilder::simpleRules()
{
    m_file.rules = RuleBlock {};
    for (int i : {1, 6, 29, 33, 48})
        m_file.rules.switches[i] = 1;
}

void MapBuilder::briefing(const std::vector<const char*>& texts)
{
    static constexpr int kStarts[9] = {0, 24, 66, 4868, 4930, 9732, 10294, 11196, 11258};
    static constexpr int kEnds[9] = {23, 65, 4867, 4929, 9731, 10293, 11195, 11257, 16059};
    for (size_t i = 0; i < texts.size() && i < 9; ++i)
        putText(m_file.scenario.bytes + kStarts[i], size_t(kEnds[i] - kStarts[i] + 1), texts[i]);
    // News and mission pages paged.
    m_file.scenario.bytes[16061] = 1;
    m_file.scenario.bytes[16062] = 1;
    m_file.scenario.bytes[16060] = texts.size() > 8 ? 1 : 0;
}

} // namespace mkdata::maps
