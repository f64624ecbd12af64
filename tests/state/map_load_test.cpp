// Loading maps into the game: derived buildings, places, unit links and owners; refused maps change nothing.
#include "tests/state/map_file_fixture.h"
#include "tests/state/map_picture.h"
#include "tests/state/small_world.h"

#include "state/data_path.h"
#include "state/map_validate.h"
#include "state/unit_facts.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

namespace {

using testing_state::SmallWorld;
using testing_state::kInfantry;
using testing_state::kTank;

constexpr uint8_t kPlain = 1, kSea = 28, kCapital = 31, kLargeCity = 32, kAirport = 35, kTempBridge = 53;

UnitRecord unitAt(uint16_t type, int x, int y)
{
    UnitRecord u {};
    u.stateLow = 1;
    u.unitTypeId = type;
    u.x = uint8_t(x);
    u.y = uint8_t(y);
    return u;
}

// Two countries in play on 8 x 6: capitals, an airport, a capital of an absent country, sea.
ScenarioFile twoCountryMap()
{
    ScenarioFile f = smallScenarioFile(8, 6);
    f.units = {};
    f.cellAt(1, 1).terrain = kCapital;
    f.cellAt(1, 1).buildingOwnerPlusOne = 1;
    f.cellAt(6, 4).terrain = kCapital;
    f.cellAt(6, 4).buildingOwnerPlusOne = 2;
    f.cellAt(3, 2).terrain = kCapital;
    f.cellAt(3, 2).buildingOwnerPlusOne = 5;
    f.cellAt(4, 4).terrain = kAirport;
    f.cellAt(4, 4).destroyed = 1;
    for (int y = 0; y < 6; ++y)
        f.cellAt(7, y).terrain = kSea;
    f.cellAt(2, 5).constructionMarker = 4;
    f.units[0] = {unitAt(kInfantry, 1, 1), UnitRecord {}, unitAt(kTank, 2, 1)};
    f.units[1] = {unitAt(kTank, 6, 4)};
    f.units[8] = {unitAt(testing_state::kShip, 7, 2)};
    f.countries[0].allianceMask = 0x1 | 0x2 | 0x10;
    f.countries[0].productionType = 150;
    f.countries[1].productionType = 255;
    return f;
}

bool load(GameState& state, const ScenarioFile& f)
{
    std::vector<uint8_t> bytes = writeScenarioBytes(f);
    return state.loadMapImage(bytes.data(), bytes.size());
}

TEST(MapLoad, BuildsBuildingsWithOwnersAndDropsAbsentCapitalOwner)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ASSERT_TRUE(load(state, twoCountryMap()));
    EXPECT_EQ(state.mapWidth(), 8);
    ASSERT_EQ(state.buildingCount(), 4u);
    const BuildingRecord& own = state.buildingAt(0);
    EXPECT_EQ(own.type, kCapital);
    EXPECT_EQ(own.owner(), 0);
    EXPECT_EQ(state.unitCellAt(1, 1)->building, 1);
    // The capital of country 4, which is not in play, is an unowned large city.
    const BuildingRecord& absent = state.buildingAt(1);
    EXPECT_EQ(absent.type, kLargeCity);
    EXPECT_EQ(absent.ownerPlusOne, 0);
    EXPECT_EQ(state.terrainCellAt(3, 2)->terrain, kLargeCity);
    const BuildingRecord& airport = state.buildingAt(2);
    EXPECT_EQ(airport.durability, 0);
    EXPECT_EQ(airport.destroyed, 1);
    EXPECT_EQ(state.buildingAt(3).owner(), 1);
    EXPECT_EQ(state.unitCellAt(0, 0)->building, 0);
}

TEST(MapLoad, ConstructionMarkerBecomesTemporaryBridgeAndListedHex)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ASSERT_TRUE(load(state, twoCountryMap()));
    ASSERT_EQ(state.temporaryBridgeHexes().size(), 1u);
    EXPECT_EQ(state.temporaryBridgeHexes()[0].x, 2u);
    EXPECT_EQ(state.temporaryBridgeHexes()[0].formerTerrain, kPlain);
    EXPECT_EQ(state.terrainCellAt(2, 5)->terrain, kTempBridge);
    EXPECT_EQ(state.terrainCellAt(2, 5)->displayCode, 3);
}

TEST(MapLoad, LinksPlacesAndUnitsAndCountsPastGaps)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ASSERT_TRUE(load(state, twoCountryMap()));
    EXPECT_EQ(state.unitCellAt(2, 3)->place, 1);
    EXPECT_EQ(state.unitCount(0), 3u);
    EXPECT_EQ(state.unitCount(1), 1u);
    EXPECT_EQ(state.unitCount(8), 1u);
    EXPECT_EQ(state.unitCount(2), 0u);
    std::vector<UnitRef> refs;
    state.collectUnitsInHex(2, 1, refs);
    ASSERT_EQ(refs.size(), 1u);
    EXPECT_EQ(refs[0].index, 2);
    refs.clear();
    state.collectUnitsInHex(7, 2, refs);
    EXPECT_EQ(refs.size(), 1u);
    EXPECT_EQ(state.unitTable(0)[2].troopNumber, 3);
}

TEST(MapLoad, CountriesGetInPlayBitsFundsAndMovedProductionNumbers)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ASSERT_TRUE(load(state, twoCountryMap()));
    CountryRecord& a = state.country(0);
    // Country 4 is not in play, so its bit leaves the mask.
    EXPECT_EQ(a.allianceMask, 0x3);
    EXPECT_EQ(state.country(1).allianceMask, 0x2);
    EXPECT_EQ(packed(a.initialFunds), 1000u);
    EXPECT_EQ(packed(a.fundsCeiling), 5000u);
    EXPECT_EQ(a.marketRate, 100);
    EXPECT_EQ(a.productionTypeNumber, 0);
    EXPECT_EQ(state.country(1).productionTypeNumber, 105);
    EXPECT_EQ(state.country(2).controller, 0);
    EXPECT_NE(state.fogMap(), nullptr);
    ASSERT_NE(state.redrawSet(), nullptr);
    EXPECT_TRUE(state.redrawSet()->test(7, 5));
}

TEST(MapLoad, OldTemporaryBridgeTurnsPlainAndSimpleModeTakesItsOwnRules)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ScenarioFile f = twoCountryMap();
    f.version = 2;
    f.cellAt(0, 5).terrain = kTempBridge;
    // Version 2 raises the stored 23 to 24.
    f.rules.lead = 23;
    f.rules.switches[kRuleSearch] = 7;
    f.rules.switches[kRuleStacking] = 9;
    state.setMode(1);
    ASSERT_TRUE(load(state, f));
    EXPECT_EQ(state.terrainCellAt(0, 5)->terrain, kPlain);
    // Lead 24 keeps six of the map's switches; the rest come from the simple-mode block.
    EXPECT_EQ(state.ruleBlock().lead, 24);
    EXPECT_EQ(state.ruleBlock().switches[kRuleSearch], 7);
    EXPECT_EQ(state.ruleBlock().switches[kRuleStacking], state.ruleSlot(0).block.switches[kRuleStacking]);
}

TEST(MapLoad, ReadsFromAPathAndAMissingFileFailsQuietly)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    std::vector<uint8_t> bytes = writeScenarioBytes(twoCountryMap());
    world.write("tkmap/two.vtm", std::string(bytes.begin(), bytes.end()));
    EXPECT_TRUE(state.loadMapFile(dataPath("two.vtm", kFolderMap).c_str()));
    EXPECT_EQ(state.mapWidth(), 8);
    EXPECT_FALSE(state.loadMapFile(dataPath("none.vtm", kFolderMap).c_str()));
    EXPECT_EQ(state.mapWidth(), 8);
    EXPECT_TRUE(testing_state::noticeLog().notices().empty());
}

TEST(MapLoad, ProductionNumbersFromOneFiftyWrapInOneByte)
{
    EXPECT_EQ(mapProductionTypeNumber(149), 149);
    EXPECT_EQ(mapProductionTypeNumber(150), 0);
    EXPECT_EQ(mapProductionTypeNumber(200), 50);
    EXPECT_EQ(mapProductionTypeNumber(255), 105);
    EXPECT_EQ(mapProductionTypeNumber(0), 0);
}

// A loaded map, then a bad one: the load fails and the first map is still there, whole.
struct BadMap {
    const char* name;
    void (*spoil)(ScenarioFile&);
};

const BadMap kBadMaps[] = {
    {"terrain beyond land.dat", [](ScenarioFile& f) { f.cellAt(0, 0).terrain = 250; }},
    {"unit off the map", [](ScenarioFile& f) { f.units[1][0].x = 20; }},
    {"place off the map", [](ScenarioFile& f) { f.places[0].y = 6; }},
    {"neutral unit of an unknown type", [](ScenarioFile& f) { f.units[8][0].unitTypeId = 999; }},
    {"aboard a carrier that is not there", [](ScenarioFile& f) { f.units[0][2].flags = kUnitAboard; f.units[0][2].carrierIndex = 9; }},
    {"cargo that is not there", [](ScenarioFile& f) { f.units[8][0].carriedUnits[0] = 0x8000 | 5; }},
};

TEST(MapLoad, RefusedMapLeavesTheLoadedGameIntact)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    ScenarioFile first = smallScenarioFile(5, 5);
    first.units = {};
    first.units[0] = {unitAt(kInfantry, 4, 4)};
    first.cellAt(0, 0).terrain = kCapital;
    first.cellAt(0, 0).buildingOwnerPlusOne = 1;
    ASSERT_TRUE(load(state, first));
    for (const BadMap& bad : kBadMaps) {
        ScenarioFile f = twoCountryMap();
        bad.spoil(f);
        EXPECT_FALSE(load(state, f)) << bad.name;
        EXPECT_EQ(state.mapWidth(), 5) << bad.name;
        EXPECT_EQ(state.buildingCount(), 1u) << bad.name;
        EXPECT_EQ(state.unitCount(0), 1u) << bad.name;
        EXPECT_EQ(state.unitTable(0)[0].x, 4) << bad.name;
        EXPECT_EQ(state.terrainCellAt(0, 0)->terrain, kCapital) << bad.name;
    }
    // Only the unknown unit type is told to the player.
    const auto& notices = testing_state::noticeLog().notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].caption, platform::utf8ToCp932("注意"));
    EXPECT_EQ(notices[0].owner, NoticeOwner::MainWindow);
    std::vector<uint8_t> bytes = writeScenarioBytes(twoCountryMap());
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(state.loadMapImage(bytes.data(), bytes.size()));
    EXPECT_EQ(state.mapWidth(), 5);
}

TEST(MapValidate, ClampsOwnersSlotsAndMissileCodesWithAMessage)
{
    SmallWorld world(4, 4);
    ScenarioFile f = twoCountryMap();
    f.cellAt(1, 1).buildingOwnerPlusOne = 12;
    f.cellAt(2, 2).hexOwner = 9;
    f.cellAt(4, 4).missileCode = 500;
    f.countries[0].unitSlots = 5000;
    MapValidation v = validateScenario(f, world.state());
    EXPECT_TRUE(v.accepted());
    EXPECT_EQ(v.messages.size(), 4u);
    EXPECT_EQ(f.cellAt(1, 1).buildingOwnerPlusOne, 0);
    EXPECT_EQ(f.cellAt(2, 2).hexOwner, 0);
    EXPECT_EQ(f.cellAt(4, 4).missileCode, 0);
    EXPECT_EQ(packed(f.countries[0].unitSlots), 1000);
}

}

namespace {

std::vector<uint8_t> shippedMap(const char* name)
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class ShippedMaps : public testing::TestWithParam<const char*> {};

// Every shipped map loads; buildings, owners, places and units come out as drawn, and each unit
// on the map is found in its hex. With DERAZODO_TEST_SHOTS set, a picture of the layout is kept.
TEST_P(ShippedMaps, LoadWithLinkedBuildingsPlacesAndUnits)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    std::vector<uint8_t> bytes = shippedMap(GetParam());
    ASSERT_FALSE(bytes.empty()) << GetParam();
    ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << GetParam();
    EXPECT_TRUE(testing_state::noticeLog().notices().empty());

    int capitals = 0, neutral_buildings = 0;
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            int link = state.unitCellAt(x, y)->building;
            bool building = state.terrainTypes()[state.terrainCellAt(x, y)->terrain].kind > 11;
            ASSERT_EQ(link != 0, building) << x << "," << y;
            if (!building)
                continue;
            const BuildingRecord& b = state.buildingAt(size_t(link - 1));
            EXPECT_EQ(int(b.x), x);
            EXPECT_EQ(int(b.y), y);
            if (b.type == kCapital) {
                ++capitals;
                EXPECT_NE(b.ownerPlusOne, 0);
                EXPECT_NE(state.country(b.owner()).controller, 0);
            }
            neutral_buildings += b.ownerPlusOne == 0;
        }
    int countries = 0;
    for (int c = 0; c < kCountryCount; ++c)
        countries += state.country(c).controller != 0;
    EXPECT_EQ(capitals, countries);
    EXPECT_GE(countries, 2);
    EXPECT_GT(neutral_buildings, 0);

    for (int i = 0; i < kPlaceRecordCount; ++i)
        if (state.isPlaceUsed(i)) {
            EXPECT_EQ(state.unitCellAt(state.placeTable()[i].x, state.placeTable()[i].y)->place, i + 1);
        }
    for (int side = 0; side < kSideCount; ++side) {
        bool plays = side == 8 || state.country(side).controller != 0;
        EXPECT_EQ(state.unitCount(side) > 0, plays) << side;
        for (uint32_t i = 0; i < state.unitCount(side); ++i) {
            const UnitRecord& u = state.unitTable(side)[i];
            ASSERT_TRUE(unitInPlay(u));
            std::vector<UnitRef> refs;
            state.collectUnitsInHex(u.x, u.y, refs);
            bool found = false;
            for (const UnitRef& r : refs)
                found |= r.index == int(i) && r.country == side;
            EXPECT_TRUE(found) << GetParam() << " side " << side << " unit " << i;
            EXPECT_GT(u.memberStrengths[0], 0);
        }
    }
    if (const char* folder = std::getenv("DERAZODO_TEST_SHOTS"))
        platform::harness::writePng(testing_state::mapPicture(state), std::string(folder) + "/" + GetParam() + ".png");
}

// The grids are cleared only as far as maps reached, so a map loaded after larger ones played on
// must hold exactly what it holds loaded into a fresh game.
TEST(MapLoad, AMapLoadedAfterLargerOnesHoldsWhatAFreshLoadHolds)
{
    SmallWorld fresh(4, 4);
    const std::vector<uint8_t> training = shippedMap("training.vtm");
    ASSERT_TRUE(fresh.state().loadMapImage(training.data(), training.size()));

    SmallWorld reused(4, 4);
    GameState& state = reused.state();
    const std::vector<uint8_t> continent = shippedMap("continent.vtm");
    ASSERT_TRUE(state.loadMapImage(continent.data(), continent.size()));
    // Play leaves marks and links all over the larger map.
    const size_t cells = size_t(state.mapWidth()) * size_t(state.mapHeight());
    for (size_t i = 0; i < cells; i += 7) {
        state.markGrid()[i] = 0x0101;
        state.unitGrid()[i].turnMark = 3;
        state.terrainGrid()[i].mineCount = 2;
    }
    ASSERT_TRUE(load(state, twoCountryMap()));
    ASSERT_TRUE(state.loadMapImage(training.data(), training.size()));

    const GameState& expected = fresh.state();
    ASSERT_EQ(state.mapWidth(), expected.mapWidth());
    ASSERT_EQ(state.mapHeight(), expected.mapHeight());
    const size_t used = size_t(state.mapWidth()) * size_t(state.mapHeight());
    EXPECT_EQ(std::memcmp(state.terrainGrid(), expected.terrainGrid(), used * sizeof(TerrainCell)), 0);
    EXPECT_EQ(std::memcmp(state.unitGrid(), expected.unitGrid(), used * sizeof(UnitCell)), 0);
    EXPECT_EQ(std::memcmp(state.markGrid(), expected.markGrid(), used * sizeof(uint16_t)), 0);
    for (int side = 0; side < kSideCount; ++side) {
        EXPECT_EQ(state.unitCount(side), expected.unitCount(side)) << side;
        EXPECT_EQ(std::memcmp(std::as_const(state).unitTable(side), std::as_const(expected).unitTable(side),
                      sizeof(UnitRecord) * kUnitTableSize),
            0)
            << side;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, ShippedMaps, testing::Values("training.vtm", "training.smp", "riverside.vts", "continent.vtm"),
    [](const auto& info) {
        std::string name = info.param;
        for (char& c : name)
            if (c == '.')
                c = '_';
        return name;
    });

TEST(ShippedScenario, HasBriefingTargetsAndVictoryConditions)
{
    SmallWorld world(4, 4);
    GameState& state = world.state();
    std::vector<uint8_t> bytes = shippedMap("riverside.vts");
    ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size()));
    EXPECT_TRUE(state.hasScenarioText());
    // Three target towns and the supply truck sent to the north town, whose goal is marked too.
    std::vector<HexPos> targets;
    state.collectBriefingHexes(targets);
    EXPECT_EQ(targets.size(), 4u);
    std::vector<HexPos> goals;
    state.collectBriefingGoalHexes(goals);
    EXPECT_EQ(goals, (std::vector<HexPos> { { 5, 1 } }));
    EXPECT_EQ(state.country(0).victoryKind, 1);
    EXPECT_EQ(state.country(1).victoryKind, 1);
    EXPECT_TRUE(state.country(0).victoryFlags & 2);
    EXPECT_TRUE(state.country(1).victoryFlags & 2);
}

// A target place without a building can never be taken, so its condition could never be met.
TEST(ShippedScenario, EveryTargetPlaceHoldsABuilding)
{
    for (const char* name : {"training.vtm", "continent.vtm", "riverside.vts"}) {
        SmallWorld world(4, 4);
        GameState& state = world.state();
        std::vector<uint8_t> bytes = shippedMap(name);
        ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << name;
        std::vector<HexPos> targets;
        for (int i = 0; i < state.usedRecordCount(); ++i)
            if (const PlaceRecord& place = state.placeTable()[i]; place.used && place.target)
                targets.push_back({ place.x, place.y });
        EXPECT_FALSE(targets.empty()) << name;
        for (HexPos p : targets) {
            const UnitCell* cell = state.unitCellAt(p.x, p.y);
            EXPECT_TRUE(cell && cell->building && state.building(cell->building - 1)) << name << " " << p.x << "," << p.y;
        }
    }
}

// Skirmish maps are won by taking a rival capital: every playing country has that condition and
// every capital is a target place.
TEST(ShippedScenario, SkirmishMapsAreWonByTakingACapital)
{
    for (const char* name : {"training.vtm", "continent.vtm"}) {
        SmallWorld world(4, 4);
        GameState& state = world.state();
        std::vector<uint8_t> bytes = shippedMap(name);
        ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << name;
        int playing = 0;
        for (int c = 0; c < kCountryCount; ++c) {
            if (!state.country(c).controller)
                continue;
            ++playing;
            EXPECT_EQ(state.country(c).victoryKind, 2) << name << " country " << c;
            EXPECT_TRUE(state.country(c).victoryFlags & 2) << name << " country " << c;
        }
        EXPECT_GE(playing, 2) << name;
        std::vector<HexPos> targets;
        state.collectBriefingHexes(targets);
        int capitals = 0;
        for (int y = 0; y < state.mapHeight(); ++y)
            for (int x = 0; x < state.mapWidth(); ++x) {
                if (state.terrainCellAt(x, y)->terrain != 31)
                    continue;
                ++capitals;
                EXPECT_NE(std::find(targets.begin(), targets.end(), HexPos {x, y}), targets.end()) << name << " " << x << "," << y;
            }
        EXPECT_EQ(capitals, playing) << name;
    }
}

}

TEST(MapLoad, InputsThatOnceFoundFaultsLoadOrAreRefusedCleanly)
{
    // Replayed where the sanitizer build watches: an empty place table once reached a byte copy
    // from no storage when a new game started on the map.
    namespace fs = std::filesystem;
    for (const char* name : { "fault-places-count-zero.vtm", "fault-empty-block" }) {
        SmallWorld world(4, 4);
        std::ifstream in(fs::path(DERAZODO_SOURCE_DIR) / "fuzz" / "corpus" / "map_reader" / name, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        ASSERT_FALSE(bytes.empty()) << name;
        if (world.state().loadMapImage(bytes.data(), bytes.size())) {
            EXPECT_GT(world.state().mapWidth(), 0) << name;
        }
    }
}
