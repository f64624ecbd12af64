// Seeded worlds: sample map images, generated realms with their armies, pools from a seed, and the
// computer player that looks at what it makes.
#include "tests/ai/seeded_worlds.h"

#include "ai/computer_players.h"
#include "platform/kernel/host.h"
#include "rules/current_action.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/campaign_file.h"
#include "state/game_state.h"
#include "state/hex_geometry.h"
#include "state/map_file.h"
#include "state/memory_read_stream.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <utility>

namespace testing_ai {
namespace {

// Terrain types of land.dat and unit types of weapon.dat that the worlds use.
enum : uint8_t {
    kPlain = 1, kGrass = 2, kForest = 3, kHills = 5, kMountain = 6, kRiver = 14, kLake = 16, kCapital = 31,
    kCity = 33, kTown = 34, kAirfield = 36, kFactory = 37, kBridge = 51, kRoad = 52,
};
constexpr uint16_t kArmy[] = { 2, 2, 3, 2, 4, 3, 6, 2, 8, 9, 20, 22 };

bool isWater(uint8_t t) { return t == kRiver || t == kLake; }
bool isBuilding(uint8_t t) { return t >= kCapital && t <= 49; }

bool standsAndLeaves(GameState& state, const UnitRecord& unit)
{
    const int movement = state.unitTypeOf(unit)->movementType;
    if (state.terrainValueAt(unit.x, unit.y, movement) == 0)
        return false;
    for (int d = 0; d < kHexDirections; ++d)
        if (const HexPos n = state.hexNeighbour(unit.x, unit.y, d); n.valid() && state.terrainValueAt(n.x, n.y, movement) > 0)
            return true;
    return false;
}

class Drawing {
public:
    Drawing(const LargeWorldShape& shape)
        : m_shape(shape)
        , m_random(shape.seed)
    {
        m_file.header.width = uint16_t(shape.size);
        m_file.header.height = uint16_t(shape.size);
        m_file.cells.assign(size_t(shape.size) * size_t(shape.size), FileMapCell {});
        m_file.header.buildingIncome = 1;
        m_file.header.dayNightLow = 1000 & 0xFF;
        m_file.header.dayNightHigh = 1000 >> 8;
        m_columns = std::min(shape.countries, 4);
        m_rows = (shape.countries + m_columns - 1) / m_columns;
    }

    ScenarioFile& file() { return m_file; }
    uint8_t& at(int x, int y) { return m_file.cellAt(x, y).terrain; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_shape.size && y < m_shape.size; }
    int realmOf(int x, int y) const
    {
        const int c = std::min(x * m_columns / m_shape.size, m_columns - 1);
        const int r = std::min(y * m_rows / m_shape.size, m_rows - 1);
        const int realm = r * m_columns + c;
        return realm < m_shape.countries ? realm : -1;
    }
    HexPos capitalOf(int realm) const
    {
        const int c = realm % m_columns, r = realm / m_columns;
        return { (2 * c + 1) * m_shape.size / (2 * m_columns), (2 * r + 1) * m_shape.size / (2 * m_rows) };
    }
    int realmWidth() const { return m_shape.size / m_columns; }

    void land()
    {
        static constexpr uint8_t kNatural[] = { kPlain, kPlain, kGrass, kGrass, kForest, kHills, kMountain };
        for (int y = 0; y < m_shape.size; ++y)
            for (int x = 0; x < m_shape.size; ++x)
                at(x, y) = kNatural[m_random() % std::size(kNatural)];
        // Lakes, then rivers along the realm borders with a ford-free course.
        // One draw a statement: the worlds must be the same whichever compiler built the test. The
        // radius is drawn first, as the recorded games were.
        for (int i = 0; i < m_shape.size * m_shape.size / 900; ++i) {
            const int radius = 1 + int(m_random() % 3);
            const int y = int(m_random() % unsigned(m_shape.size));
            const int x = int(m_random() % unsigned(m_shape.size));
            disc(x, y, radius, kLake);
        }
        for (int c = 1; c < m_columns; ++c)
            for (int y = 0; y < m_shape.size; ++y)
                at(c * m_shape.size / m_columns, y) = kRiver;
        // A road east-west through every row of capitals and north-south through every column; bridges
        // where they cross a river.
        for (int r = 0; r < m_rows; ++r)
            for (int x = 0; x < m_shape.size; ++x)
                road(x, capitalOf(r * m_columns).y);
        for (int c = 0; c < m_columns; ++c)
            for (int y = 0; y < m_shape.size; ++y)
                road(capitalOf(c).x, y);
    }

    void realm(int c)
    {
        const HexPos capital = capitalOf(c);
        building(capital.x, capital.y, kCapital);
        building(capital.x + 2, capital.y + 1, kFactory);
        building(capital.x - 2, capital.y - 1, kAirfield);
        const int towns = std::max(2, realmWidth() * realmWidth() / 400);
        for (int t = 0; t < towns; ++t) {
            const HexPos p = spot(c, realmWidth() / 2 - 1);
            building(p.x, p.y, t % 3 == 0 ? kCity : kTown);
        }
        FileCountryRecord& r = m_file.countries[size_t(c)];
        r.name[0] = char('A' + c);
        r.controller = 2;
        r.allianceMask = uint8_t(1u << c);
        r.anthemCode = uint8_t(c);
        r.unitSlots = uint16_t(std::min(1000, m_shape.unitsPerSide * 2 + 20));
        r.funds = 3000 + 40 * uint32_t(m_shape.unitsPerSide);
        r.fundsLimit = 99999999;
        r.victoryParameter = 2;
    }

    void army(int c)
    {
        std::vector<UnitRecord>& units = m_file.units[size_t(c)];
        const HexPos capital = capitalOf(c);
        for (int i = 0; i < m_shape.unitsPerSide; ++i) {
            const uint16_t type = kArmy[i % std::size(kArmy)];
            // The army crowds round the capital, its outer ranks towards the realm's edge.
            const int reach = std::min(realmWidth() / 2 - 1, 3 + i / 4);
            HexPos p = spot(c, reach);
            if (!p.valid())
                p = capital;
            UnitRecord u {};
            u.stateLow = 1;
            u.unitTypeId = type;
            u.x = uint8_t(p.x);
            u.y = uint8_t(p.y);
            u.name[0] = char('a' + i % 26);
            units.push_back(u);
            units.back().troopNumber = uint16_t(units.size());
        }
    }

    void owners()
    {
        for (int y = 0; y < m_shape.size; ++y)
            for (int x = 0; x < m_shape.size; ++x) {
                FileMapCell& cell = m_file.cellAt(x, y);
                const int c = realmOf(x, y);
                cell.hexOwner = uint8_t(!isWater(cell.terrain) && c >= 0 ? c + 1 : 0);
                cell.buildingOwnerPlusOne = uint8_t(isBuilding(cell.terrain) && c >= 0 ? c + 1 : 0);
            }
    }

    void roadBits()
    {
        for (int y = 0; y < m_shape.size; ++y)
            for (int x = 0; x < m_shape.size; ++x) {
                if (at(x, y) != kRoad)
                    continue;
                uint8_t bits = 0;
                for (int d = 0; d < kHexDirections; ++d) {
                    const HexPos n = hexNeighbour(x, y, d, m_shape.size, m_shape.size);
                    if (n.valid() && (at(n.x, n.y) == kRoad || at(n.x, n.y) == kBridge || isBuilding(at(n.x, n.y))))
                        bits = uint8_t(bits | 1u << d);
                }
                m_file.cellAt(x, y).overlay = bits;
            }
    }

private:
    void disc(int cx, int cy, int radius, uint8_t terrain)
    {
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x)
                if (inside(x, y) && hexDistance(HexPos { cx, cy }, HexPos { x, y }) <= radius)
                    at(x, y) = terrain;
    }
    void road(int x, int y)
    {
        if (!inside(x, y) || isBuilding(at(x, y)))
            return;
        at(x, y) = at(x, y) == kRiver ? kBridge : at(x, y) == kBridge ? kBridge : kRoad;
    }
    void building(int x, int y, uint8_t terrain)
    {
        if (inside(x, y))
            at(x, y) = terrain;
    }
    // A free land hex of the realm within reach of its capital; invalid after many misses.
    HexPos spot(int c, int reach)
    {
        const HexPos capital = capitalOf(c);
        for (int tries = 0; tries < 200; ++tries) {
            const int x = capital.x - reach + int(m_random() % unsigned(2 * reach + 1));
            const int y = capital.y - reach + int(m_random() % unsigned(2 * reach + 1));
            if (!inside(x, y) || realmOf(x, y) != c || isWater(at(x, y)) || at(x, y) == kMountain)
                continue;
            if (m_used.insert({ x, y }).second)
                return { x, y };
        }
        return kNoHex;
    }

    LargeWorldShape m_shape;
    std::mt19937 m_random;
    ScenarioFile m_file;
    int m_columns = 1;
    int m_rows = 1;
    std::set<std::pair<int, int>> m_used;
};

} // namespace

std::vector<uint8_t> largeWorldBytes(const LargeWorldShape& shape, int turn_limit)
{
    Drawing drawing(shape);
    drawing.land();
    for (int c = 0; c < shape.countries; ++c)
        drawing.realm(c);
    drawing.owners();
    for (int c = 0; c < shape.countries; ++c)
        drawing.army(c);
    drawing.roadBits();
    ScenarioFile& file = drawing.file();
    // Turn limit at header byte 536; the usual rules of the sample maps: fog, supplies paid for,
    // zones of control, stacking by domain, interception and supply lines.
    uint8_t* header = reinterpret_cast<uint8_t*>(&file.header);
    header[536] = uint8_t(turn_limit & 0xFF);
    header[537] = uint8_t(turn_limit >> 8);
    file.rules = RuleBlock {};
    for (int i : { 0, 1, 3, 5, 6, 7, 8, 9, 12, 15, 16, 17, 18, 22, 28, 29, 31, 33, 35, 38, 44, 47, 48 })
        file.rules.switches[i] = 1;
    return writeScenarioBytes(file);
}

std::vector<std::vector<uint8_t>> sampleMapImages(const char* file_name)
{
    const std::filesystem::path file = std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / file_name;
    if (file.extension() != ".vtc") {
        std::ifstream in(file, std::ios::binary);
        return { std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {}) };
    }
    const std::string path = platform::gamePathFromHost(file.string());
    std::vector<std::vector<uint8_t>> images;
    for (std::vector<uint8_t> map; int(images.size()) < kCampaignMapCount && !readCampaignMap(path.c_str(), int(images.size()), map);)
        images.push_back(map);
    return images;
}

RandomPool seededPool(unsigned seed)
{
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(1 + RandomPool::kPoolSize + 16, 0);
    bytes[0] = 1;
    for (int i = 0; i < RandomPool::kPoolSize; ++i)
        bytes[size_t(1 + i)] = uint8_t(generator());
    MemoryReadStream stream(bytes.data(), bytes.size());
    RandomPool pool;
    pool.load(stream);
    return pool;
}

bool readyComputerGame(GameState& state, const std::vector<uint8_t>& image, unsigned seed)
{
    if (!state.loadMapImage(image.data(), image.size()))
        return false;
    for (int c = 0; c < kCountryCount; ++c)
        if (state.country(c).controller != 0)
            state.country(c).controller = 2;
    state.settings().playChime = false;
    state.settings().showIncome = false;
    state.randomPool() = seededPool(seed);
    return true;
}

int WatchedProduction::planProduction(GameState& state, int country)
{
    std::vector<bool> existed;
    for (uint32_t i = 0; i < state.unitCount(country); ++i)
        existed.push_back(unitExists(*state.unitOf(country, int(i))));
    const int result = AiComputerPlayer::planProduction(state, country);
    for (uint32_t i = 0; i < state.unitCount(country); ++i) {
        const UnitRecord& unit = *state.unitOf(country, int(i));
        if ((i >= existed.size() || !existed[i]) && unitExists(unit) && !standsAndLeaves(state, unit))
            m_misplaced.push_back("country " + std::to_string(country) + " made type " + std::to_string(unit.unitTypeId)
                + " at " + std::to_string(unit.x) + "," + std::to_string(unit.y));
    }
    return result;
}

void playWithSettlement(GameState& state, ActionSettlement& settlement)
{
    ActionSettlement* previous = actionSettlement();
    setActionSettlement(&settlement);
    AiComputerPlayer player;
    GameThread thread(state, player, StepYield::None);
    thread.Run();
    setActionSettlement(previous);
    endPlay(state);
}

} // namespace testing_ai
