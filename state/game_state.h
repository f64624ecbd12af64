// GameState: the one object that holds a game; here the master data tables its loaders fill.
#pragma once

#include "lib/event.h"
#include "lib/file_fault.h"
#include "state/building_record.h"
#include "state/campaign_block.h"
#include "state/command_fields.h"
#include "state/country_record.h"
#include "state/game_settings.h"
#include "state/game_state_services.h"
#include "state/handshake.h"
#include "state/hex_cells.h"
#include "state/hex_geometry.h"
#include "state/map_bit_set.h"
#include "state/map_header.h"
#include "state/production_type_record.h"
#include "state/random_pool.h"
#include "state/scenario_block.h"
#include "state/side_records.h"
#include "state/turn_block.h"
#include "state/turn_stats.h"
#include "state/unit_record.h"
#include "state/unit_touches.h"
#include "state/rule_block.h"
#include "state/saved_view.h"
#include "state/terrain_record.h"
#include "state/unit_type_record.h"
#include "state/weapon_record.h"
#include "platform/kernel/zeroed_table.h"
#include "platform/kernel/windef.h"
#include "platform/kernel/winbase.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <unordered_map>
#include <vector>

class SkippedLines;
class AreaAnalysis;
class BattleUnitData;
class ActionHistoryLog;
struct HistoryRecord;
struct CombatPair;
class CountryHexLayers;
class CountryHexMasks;
class FogMap;
class SightRules;
struct ScenarioFile;

constexpr int kSideCount = 9;
constexpr int kCountryCount = 8;
static_assert(UnitTouches::kSides == kSideCount && UnitTouches::kRecords == kUnitTableSize);
constexpr int kGridHexes = 65536;

// A side's movement costs from its home hex, one width × height grid per movement type, made on
// first use (-1 unreached). Current is cleared when the home hex moves.
struct DistanceGrids {
    uint8_t current = 0;
    std::array<std::unique_ptr<int32_t[]>, kMovementTypeCount> grids;
};

// Per-game objects of a higher layer (the rules engine's), owned by the state and deleted with it.
class GameStateExtension {
public:
    virtual ~GameStateExtension() = default;
};

// Everything that belongs to one game and to no other: the map, the sides, the turn, the history,
// the random pool and the rules engine's objects of the game. The master data and the settings stay
// in GameState itself. A member of a game added anywhere else would be carried from one game into
// the next by swapGame.
struct GameData {
    // The rules of this game, copied from a rule slot or read from its file.
    RuleBlock m_ruleBlock{};
    CampaignBlock m_campaign {};
    ScenarioBlock m_scenario {};
    MapHeader m_mapHeader {};
    std::array<CountryRecord, kCountryCount> m_countries {};
    std::array<uint32_t, kSideCount> m_unitCounts {};
    std::array<platform::ZeroedTable<UnitRecord>, kSideCount> m_unitTables;
    std::array<uint32_t, kCountryCount> m_missileCounts {};
    // Missiles in flight of country c, side code 100 + c.
    std::array<platform::ZeroedTable<UnitRecord>, kCountryCount> m_missileTables;
    std::array<platform::ZeroedTable<DestroyedUnitRecord>, kCountryCount> m_destroyedUnits;
    std::array<ProductionTypeRecord, kCountryCount> m_sideProductionTypes {};
    TurnBlock m_turnBlock {};
    platform::ZeroedTable<TerrainCell> m_terrainGrid;
    platform::ZeroedTable<UnitCell> m_unitGrid;
    platform::ZeroedTable<uint16_t> m_markGrid;
    // The largest map area the grids held since they were last cleared.
    size_t m_gridCellsUsed = 0;
    std::array<uint16_t, kGridHexes / 256> m_markRowBits {};
    std::vector<BuildingRecord> m_buildings;
    platform::ZeroedTable<PlaceRecord> m_placeTable;
    // The sight rules first: the maps made over them go before them.
    std::unique_ptr<SightRules> m_sightRules;
    std::unique_ptr<FogMap> m_fogMap;
    std::unique_ptr<CountryHexLayers> m_hexLayers;
    std::unique_ptr<CountryHexMasks> m_hexMasks;
    std::vector<PillboxHex> m_pillboxHexes;
    std::vector<TemporaryBridgeHex> m_temporaryBridgeHexes;
    uint8_t m_neutralBlock[10] = {};
    std::unique_ptr<uint8_t[]> m_briefingImage;
    uint32_t m_briefingImageSize = 0;
    std::unique_ptr<uint8_t[]> m_newsImage;
    uint32_t m_newsImageSize = 0;
    std::unique_ptr<ActionHistoryLog> m_historyLog;
    RandomPool m_randomPool;
    uint8_t m_endCheckFlags = 0;
    std::array<DistanceGrids, kSideCount> m_distanceGrids;
    // The rules engine's objects point at their own combat pair.
    CombatPair* m_combatPair = nullptr;
    std::unique_ptr<MapBitSet> m_redrawSet;
    int32_t m_carryOverNext = -1;
    platform::ZeroedTable<UnitRecord> m_carryOver;
    uint32_t m_carryOverCount = 0;
    TurnProgress m_turnProgress;
    std::vector<TurnStatsRecord> m_turnStats;
    uint8_t m_supplyLinesDirty = 0;
    SavedView m_savedView {};
    std::string m_savePath;
    uint32_t m_playCount = 0;
    uint32_t m_savedPlayCount = 0;
    CommandFields m_command;
    std::unique_ptr<GameStateExtension> m_extension;
};

// GameState reaches the game's data as its own members; swapGame trades them whole.
class GameState : private GameData {
public:
    GameState();
    // Runs shutDown.
    ~GameState();
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    // Reads the settings, allocates the grids and tables and loads the master data. A missing
    // master file has shown its warning and throws its swCError*.
    void startUp();
    // Writes the settings back and frees what start-up made; a second call does nothing.
    void shutDown();
    // The empty tables of a game, as start-up makes them; on a state of its own, storage to start
    // a game in with swapGame.
    void makeGameTables();
    // Trades everything of the game loaded (map, units, countries, turn, history, campaign, the
    // rules engine's objects of the game) with the other state's, keeping the master data, the
    // settings and the hand-shakes. Play must be stopped, or its thread blocked in a wait of the
    // hand-shakes, both times the game changes places.
    void swapGame(GameState& other);
    // Asks the application to start the program again; shut-down then writes the other mode.
    void requestModeSwitch(int mode);
    // Phases 0..6; read from the ini at each call.
    bool isPhaseHelpEnabled(int phase) const;
    bool isHumanCountry(int country) const;

    // -- unit and building records --
    // Used entries of side 0..8's unit table; 0 for any other side.
    uint32_t unitCount(int side) const;
    // Counts above the table size are cut to it.
    void setUnitCount(int side, uint32_t count);
    // Used entries of country 0..7's table of missiles in flight; 0 for any other country.
    uint32_t missileCount(int country) const
    {
        return country >= 0 && country < kCountryCount ? m_missileCounts[size_t(country)] : 0;
    }
    void setMissileCount(int country, uint32_t count)
    {
        if (country >= 0 && country < kCountryCount)
            m_missileCounts[size_t(country)] = count < uint32_t(kUnitTableSize) ? count : uint32_t(kUnitTableSize);
    }
    std::vector<BuildingRecord>& buildings() { return m_buildings; }
    // Pending end-of-game checks, read after each action: 1 capital, 2 a watched unit lost or a
    // country out, 4 a unit destroyed, 8 a transported unit arrived.
    uint8_t& endCheckFlags() { return m_endCheckFlags; }
    CommandFields& command() { return m_command; }
    // Set when an action changed roads or building owners; the supply-line recomputation clears it.
    uint8_t& supplyLinesDirty() { return m_supplyLinesDirty; }
    // The current engagement; the rules engine owns it.
    CombatPair* combatPair() const { return m_combatPair; }
    void setCombatPair(CombatPair* pair) { m_combatPair = pair; }
    GameStateExtension* extension() const { return m_extension.get(); }
    void setExtension(std::unique_ptr<GameStateExtension> extension) { m_extension = std::move(extension); }
    // Entry i (0..99) of the country's destroyed-unit list; null outside the list.
    const DestroyedUnitRecord* destroyedUnitEntry(int country, int i) const;
    // Enters the unit into its country's list, dropping the oldest entry of a full list.
    void recordDestroyedUnit(int country, int index);

    GameSettings& settings() { return m_settings; }
    const GameSettings& settings() const { return m_settings; }
    AreaAnalysis* areaAnalysis() const { return m_areaAnalysis.get(); }
    BattleUnitData* battleUnitData() const { return m_battleUnitData.get(); }
    CountryRecord& country(int c) { return m_countries[size_t(c)]; }
    const CountryRecord& country(int c) const { return m_countries[size_t(c)]; }
    // False for anything but a country index 0..7.
    bool countryTakesPart(int c) const { return c >= 0 && c < kCountryCount && country(c).takesPart(); }
    const UnitRecord* unitTable(int side) const { return m_unitTables[size_t(side)].get(); }
    // Handed out writable: every record of the side is noted as touched.
    UnitRecord* unitTable(int side)
    {
        m_unitTouches.touchTable(side);
        return m_unitTables[size_t(side)].get();
    }
    UnitRecord* missileTable(int country) const { return m_missileTables[size_t(country)].get(); }
    DestroyedUnitRecord* destroyedUnits(int country) const { return m_destroyedUnits[size_t(country)].get(); }
    TerrainCell* terrainGrid() const { return m_terrainGrid.get(); }
    UnitCell* unitGrid() const { return m_unitGrid.get(); }
    uint16_t* markGrid() const { return m_markGrid.get(); }
    // Per row of the mark grid, every bit a hex of the row may hold: whoever sets bits in the grid
    // adds them here, so a sweep for some bits passes over the rows that cannot have them.
    uint16_t* markRowBits() { return m_markRowBits.data(); }
    PlaceRecord* placeTable() const { return m_placeTable.get(); }
    UnitRecord* carryOverTable() const { return m_carryOver.get(); }
    // Entries in use of the campaign carry-over list; counts above the list's size are cut to it.
    uint32_t carryOverCount() const { return m_carryOverCount; }
    void setCarryOverCount(uint32_t count) { m_carryOverCount = count < uint32_t(kUnitTableSize) ? count : uint32_t(kUnitTableSize); }
    MapHeader& mapHeader() { return m_mapHeader; }
    ScenarioBlock& scenarioBlock() { return m_scenario; }
    CampaignBlock& campaignBlock() { return m_campaign; }
    // The campaign's map index after this map, -1 none; the end-of-game step sets it.
    int32_t& nextCampaignStage() { return m_carryOverNext; }
    TurnBlock& turnBlock() { return m_turnBlock; }
    const TurnBlock& turnBlock() const { return m_turnBlock; }
    // Read-only views for the windows that only show the game.
    const MapHeader& mapHeader() const { return m_mapHeader; }
    const CampaignBlock& campaignBlock() const { return m_campaign; }
    const BuildingRecord* building(int i) const { return i >= 0 && size_t(i) < m_buildings.size() ? &m_buildings[size_t(i)] : nullptr; }
    RandomPool& randomPool() { return m_randomPool; }

    bool modalIdle() const { return m_modalIdle != 0; }
    // Cleared by the modal windows of play while they are open.
    void setModalIdle(bool idle) { m_modalIdle = idle ? 1 : 0; }
    bool started() const { return m_started; }

    // -- hex and unit queries, facts, accessors --
    int mapWidth() const { return m_mapHeader.width; }
    int mapHeight() const { return m_mapHeader.height; }
    bool isOnMap(int x, int y) const { return x >= 0 && y >= 0 && x < mapWidth() && y < mapHeight(); }
    HexPos hexNeighbour(int x, int y, int direction) const { return ::hexNeighbour(x, y, direction, mapWidth(), mapHeight()); }
    // Null outside the map or before start-up made the grids.
    TerrainCell* terrainCellAt(int x, int y) const;
    UnitCell* unitCellAt(int x, int y) const;
    // The substitute type when the cell's substitute bits are set, else its own type; -1 off the map.
    int effectiveTerrainAt(int x, int y) const;
    const TerrainRecord* terrainTypeAt(int x, int y) const;
    int terrainValueAt(int x, int y, int k) const;
    int terrainClassAt(int x, int y) const;
    int terrainGroupAt(int x, int y) const;
    bool isLoadingHexFor(int x, int y, int country) const;
    bool isVtolLandingHexFor(int x, int y, int country) const;
    bool isDropHex(int x, int y) const;
    bool canCrossHexSide(int x, int y, int direction) const;
    // Bits of the sides (0..5) of the hex that its own cell closes: a border there with its mask bit
    // set. A side may be crossed when neither hex closes it; 0 off the map.
    uint8_t closedHexSides(int x, int y) const;
    int hexPlaceLink(int x, int y) const;
    // Index in the pillbox or temporary-bridge table of the entry on the hex; -1 when none or off the map.
    int findPillboxHex(int x, int y) const;
    int findTemporaryBridgeHex(int x, int y) const;
    // The durability of the pillbox (terrain kind 7) or temporary bridge (kind 10) listed on the hex;
    // null for another kind or when the hex lists none.
    uint8_t* listedDurability(int x, int y, int kind);
    const uint8_t* listedDurability(int x, int y, int kind) const;
    std::vector<PillboxHex>& pillboxHexes() { return m_pillboxHexes; }
    std::vector<TemporaryBridgeHex>& temporaryBridgeHexes() { return m_temporaryBridgeHexes; }

    // The hex slot of a unit of that domain: the domain with stacking (switch 17), else 0.
    int unitSlotFor(int domain) const { return ruleOn(kRuleStacking) ? domain : 0; }
    bool unitRefInHex(int x, int y, int slot, UnitRef& ref) const;
    bool upperUnitRefInHex(int x, int y, int slot, UnitRef& ref) const;
    void setUnitRefInHex(int x, int y, int slot, int side_word, int index);
    void placeUnitRefInHex(int x, int y, int slot, int side_word, int index);
    int collectUnitsInHex(int x, int y, std::vector<UnitRef>& list) const
    {
        // The scans ask this of every hex they pass, and most hexes hold no unit: their side words are
        // all zero, seen here in two reads without a call.
        if (!m_unitGrid || !isOnMap(x, y))
            return 0;
        const UnitCell& cell = m_unitGrid[size_t(y) * size_t(mapWidth()) + size_t(x)];
        const bool every_slot = ruleOn(kRuleStacking);
        uint64_t first_four = 0;
        uint32_t last_two = 0;
        std::memcpy(&first_four, cell.lowerSide, sizeof first_four);
        std::memcpy(&last_two, cell.lowerSide + 4, sizeof last_two);
        if (every_slot ? (first_four | last_two) == 0 : cell.lowerSide[0] == 0)
            return 0;
        return collectUnitsOfCell(cell, every_slot, list);
    }
    int collectBuildingUnitsAt(int x, int y, std::vector<UnitRef>& list) const;
    bool hexHasUnit(int x, int y, int slot) const;
    bool hexHasUpperUnit(int x, int y, int slot) const;
    bool isUnitInHexDomain(int x, int y, int slot, int code, int index) const;
    bool hexHasOtherUnit(int x, int y, int slot, int code, int index) const;
    bool hexDomainHasNonAlliedUnit(int x, int y, int slot, int country) const;
    bool hexHasNonAlliedUnit(int x, int y, int country) const;
    bool hexDomainHasVisibleOtherUnit(int x, int y, int slot, int country, int index) const;
    bool hexHasUnitVisibleTo(int x, int y, int country) const;
    // Slot 6 asks every slot.
    bool hexDomainHasFriendlyUnit(int x, int y, int slot, int country) const;
    bool isNextToFriendlyUnit(int x, int y, int country) const;
    bool isHexOwnerAllied(int country, int x, int y) const;

    // Sides 0..8 and missiles 100..107; null for any other code or an index outside the table.
    const UnitRecord* unitOf(int code, int index) const;
    // Handed out writable: a record of sides 0..8 is noted as touched.
    UnitRecord* unitOf(int code, int index)
    {
        m_unitTouches.touch(code, index);
        return const_cast<UnitRecord*>(static_cast<const GameState*>(this)->unitOf(code, index));
    }
    UnitTouches& unitTouches() { return m_unitTouches; }
    const UnitTouches& unitTouches() const { return m_unitTouches; }
    const UnitTypeRecord* unitTypeOf(const UnitRecord& unit) const;
    // The first built-in type (5000..9999) equal to this one but for its ids and weapon ids; 0 when none.
    int findTwinUnitType(int id) const;
    // A neighbour (or the one in direction d) holds another unit of the table that this unit may service.
    bool isNextToServiceableUnit(int x, int y, int country, int index) const;
    bool isNextToServiceableUnit(int x, int y, int country, int index, int direction) const;

    bool isAllied(int a, int b) const;
    bool hasPactWith(int a, int b) const;
    bool isEnemy(int a, int b) const { return !isAllied(a, b) && !hasPactWith(a, b); }
    unsigned allianceMaskOf(int c) const;
    bool isCurrentCountryNotHuman() const { return !isHumanCountry(m_turnBlock.currentCountry); }
    // Byte 0 is the neutral side's alliance mask.
    uint8_t* neutralBlock() { return m_neutralBlock; }

    // Null outside the building vector.
    BuildingRecord* building(int i);
    // The building the hex's cell links to; null when none, off the map or a link past the list.
    const BuildingRecord* buildingOnHex(int x, int y) const;
    BuildingRecord* buildingOnHex(int x, int y) { return const_cast<BuildingRecord*>(std::as_const(*this).buildingOnHex(x, y)); }
    size_t buildingCount() const { return m_buildings.size(); }
    const BuildingRecord& buildingAt(size_t i) const { return m_buildings[i]; }
    int countOwnedBuildings(int country) const;
    int countBuildingsOf(int country) const;
    uint32_t forcesValue(int country) const;
    uint32_t spendFunds(int country, uint32_t amount);
    uint32_t addFunds(int country, uint32_t amount);
    int random(int lo, int hi) { return int(m_randomPool.draw(uint32_t(lo), uint32_t(hi))); }

    int liveUnitCount(int side) const;
    int countUnitsInPlay(int side) const;
    int memberCountInPlay(int side) const;
    int playerUnitCount(int country) const;
    bool hasFlaggedUnit(int country) const;
    int unitExperienceLevel(int side, int index) const;

    int usedRecordCount() const;
    void clearRecordTable();
    bool isPlaceUsed(int i) const;
    int addPlaceRecord(const PlaceRecord& record);
    void collectBriefingHexes(std::vector<HexPos>& list) const;
    void collectBriefingGoalHexes(std::vector<HexPos>& list) const;
    void computeBorderMasks();
    bool isNightTurn() const;
    // The scenario block with each of its nine texts cut at its end.
    void copyScenarioBlock(ScenarioBlock& out) const;
    bool hasScenarioText() const;
    // Every existing unit of the countries (below their tables' counts) at full strength with its
    // model's supplies, or cut back to what its type allows.
    void refillUnitsToFull();
    void clampUnitsToType();
    // False when a country's existing unit names a missing or unavailable type.
    bool allUnitTypesAvailable() const;
    void copyVictoryConditionsOut(uint8_t (&entries)[kCountryCount][5]) const;
    void copyVictoryConditionsIn(const uint8_t (&entries)[kCountryCount][5]);
    void pruneVictoryConditions(unsigned keep_mask);

    // Null, or ignored, for a country outside 0..7.
    const ProductionTypeRecord* sideProductionType(int country) const;
    void setSideProductionType(int country, const ProductionTypeRecord& record);
    // Copies the three strings and the rule block; a slot outside the table is ignored.
    void setRuleSlot(int slot, const RuleSlot& source);
    // Entries of the pillbox and temporary-bridge tables; null outside them.
    const PillboxHex* pillboxHex(int i) const;
    const TemporaryBridgeHex* temporaryBridgeHex(int i) const;


    // 1 simple mode, 0 normal mode.
    uint8_t mode() const { return m_mode; }
    void setMode(uint8_t mode) { m_mode = mode; }
    bool isSimpleMode() const { return m_mode == 1; }

    // land.dat; a missing file or one without a large city is shown and thrown (swCError code 0).
    void loadTerrainData();
    const std::vector<TerrainRecord>& terrainTypes() const { return m_terrainTypes; }
    const TerrainRoles& terrainRoles() const { return m_terrainRoles; }

    // warm.dat (flag 0) or uwarm.dat (flag 1, parsed and not kept).
    void loadArmamentData(int user_flag);
    // weapon.dat / sweapon.dat (flag 0) or uweapon.dat (flag 1, parsed and not kept).
    void loadWeaponData(int user_flag);
    // 0 when nothing matches.
    int findWeaponByName(const char* name, const char* sub_name, int include_user, int exclude_id) const;
    // Callers pass ids whose map entry is not 0.
    const WeaponRecord& weaponRecord(int id) const { return m_weapons[m_weaponIdMap[id] - 1]; }
    const UnitTypeRecord& unitTypeRecord(int id) const { return m_unitTypes[m_unitTypeIdMap[id] - 1]; }
    // 0 when id is outside the map or names no type.
    int weaponIndex(int id) const;
    int unitTypeIndex(int id) const;
    const std::vector<WeaponRecord>& weapons() const { return m_weapons; }
    const std::vector<UnitTypeRecord>& unitTypes() const { return m_unitTypes; }

    void loadProductTypes();
    void loadUserProductTypes();
    // The production-type files; swCFile's errors pass to the caller.
    void saveProductTypes();
    void saveUserProductTypes();
    // Below 150 the built-in table, else the user table; null when the number names no record.
    const ProductionTypeRecord* productionType(int number) const;
    void setBuiltinProductionType(int index, const ProductionTypeRecord& record);
    void setUserProductionType(int index, const ProductionTypeRecord& record);
    void clearProductionType(int number);
    void copyProductionType(int destination, int source);
    const std::vector<ProductionTypeRecord>& builtinProductionTypes() const { return m_builtinProductionTypes; }
    const std::vector<ProductionTypeRecord>& userProductionTypes() const { return m_userProductionTypes; }

    void loadRuleFile();
    // Writes "class%d.rul" of a slot below 24; a failed write is shown and answers false.
    bool saveRuleFile(int slot);
    RuleSlot& ruleSlot(int slot) { return m_ruleSlots[slot]; }
    const RuleSlot& ruleSlot(int slot) const { return m_ruleSlots[slot]; }
    RuleBlock& ruleBlock() { return m_ruleBlock; }
    const RuleBlock& ruleBlock() const { return m_ruleBlock; }
    bool ruleOn(RuleSwitch s) const { return m_ruleBlock.on(s); }

    void loadAnthemList();
    void anthemWaveName(int index, std::string& out) const;
    bool isAnthemWave(const char* text) const;
    // The music folder's files besides the anthems. Part of the game: a country's anthem code from
    // 50 names an entry, which a loaded save and the next campaign map find again by name.
    void listMusicFiles();
    const char* fileExtension(int kind) const;
    const std::vector<std::string>& anthemNames() const { return m_anthemNames; }
    const std::vector<std::string>& anthemWaves() const { return m_anthemWaves; }
    const std::vector<std::string>& musicNames() const { return m_musicNames; }
    const std::vector<std::string>& musicPaths() const { return m_musicPaths; }

    // -- maps and scenarios --
    // Reads and checks a map without touching the game: the file to commit, or null and mapRefusal()
    // saying why (what and where in the file).
    std::unique_ptr<ScenarioFile> stageMapFile(const char* path);
    std::unique_ptr<ScenarioFile> stageMapImage(const uint8_t* image, size_t size);
    // Stages and commits a map; a refused map leaves the game as it was and answers false (a map
    // that names unit types this program lacks is also told in a box).
    bool loadMapFile(const char* path);
    bool loadMapImage(const uint8_t* image, size_t size);
    bool commitStaged(std::unique_ptr<ScenarioFile> file);
    const FileRefusal& mapRefusal() const { return m_mapRefusal; }
    // For readers of files that hold maps (campaigns): why the map never reached loadMapImage.
    void noteMapRefusal(FileRefusal why) { m_mapRefusal = std::move(why); }
    // Puts an accepted file into the state (resetting the map part first), then runs afterMapLoad.
    bool commitScenario(const ScenarioFile& file);
    bool afterMapLoad();
    void rebuildFromCells();
    void deriveCellData();
    void linkPlaces();
    // Each table's count then ends after its last unit; records past the counts must already be
    // empty, as both loads leave them.
    void relinkUnits(bool from_save);
    int countWatchedUnits(int side) const;
    // The turn block's start-of-play tallies: each country's watched units, each side's members to carry.
    void tallyWatchedUnits();
    void markCountryFeatures();
    void resetMapPart();
    // Back to no map at all, as before the first game: nothing to draw, nothing in the panel.
    void unloadMap();
    // The first (briefing) or second embedded picture of the map; empty when it has none.
    std::span<const uint8_t> embeddedImage(int i) const
    {
        return i == 0 ? std::span<const uint8_t>(m_briefingImage.get(), m_briefingImageSize)
                      : std::span<const uint8_t>(m_newsImage.get(), m_newsImageSize);
    }
    MapBitSet* redrawSet() const { return m_redrawSet.get(); }

    // -- play: the hand-shakes with the game thread, the turn statistics and progress --
    Handshake& handshake() { return m_handshake; }
    const Handshake& handshake() const { return m_handshake; }
    void appendTurnStats(const TurnStatsRecord& record);
    size_t turnStatsCount() const { return m_turnStats.size(); }
    // Null outside the list.
    TurnStatsRecord* turnStatsAt(size_t i);
    // The updates change the last record and do nothing before the first one exists.
    // Owner + 1 as buildings store it; 0 (no owner) books nothing.
    void statsAddIncome(int owner_plus_one, int building_type);
    void statsSubtractIncome(int owner_plus_one, int building_type);
    // Countries 0..7 only; the neutral side books nothing.
    void statsAddDamageDealt(int country, uint32_t amount);
    void statsAddDamageTaken(int country, int unit_type, uint32_t damage, uint32_t members_lost);
    // The last record takes the board's figures: buildings, income, units and forces of each
    // country taking part, 0 for the others.
    void computeTurnStats();
    void startTurnProgress(int country);
    // Counts one more handled unit: the percentage due for report (4 % steps), else -1.
    int advanceTurnProgress();
    const TurnProgress& turnProgress() const { return m_turnProgress; }
    // Start of play: carry-over marker, distance-grid flags, spare action byte, unit selection, and
    // a new redraw set over the map with every bit set.
    void resetPlayFields();
    // End of play, once the game thread has ended: buildings, places, listed hexes, statistics,
    // unit, missile and destroyed-unit tables, redraw set, sight maps, distance-grid flags, history.
    void clearPlayTables();

    // -- history and sight maps --

    // Made on first use, reading this game's units, buildings and sight.
    ActionHistoryLog& historyLog();
    uint32_t historyCount();
    // Record i of the history; null beyond the last.
    const HistoryRecord* historyRecord(uint32_t i);
    FogMap* fogMap() const { return m_fogMap.get(); }
    CountryHexLayers* hexLayers() const { return m_hexLayers.get(); }
    CountryHexMasks* hexMasks() const { return m_hexMasks.get(); }
    // Deletes the three sight maps and makes them for the map header's size, over this game's
    // rule 4 and alliances.
    void recreateSightMaps();
    void releaseSightMaps();
    void releaseHistoryLog();

    // Sides 0..8 (the neutral side's home is the map centre); null for any other.
    DistanceGrids* distanceGrids(int side)
    {
        return side >= 0 && side < kSideCount ? &m_distanceGrids[size_t(side)] : nullptr;
    }
    // The home hex moved: the country's grids are rebuilt before they are read again.
    void markDistanceGridsStale(int country)
    {
        if (DistanceGrids* g = distanceGrids(country))
            g->current = 0;
    }
    void clearDistanceGrids();

    // -- saved games --
    // The map view, written with a saved game and restored from one.
    SavedView& savedView() { return m_savedView; }
    // The file the game was last saved to or loaded from; empty for a new game.
    const std::string& savePath() const { return m_savePath; }
    void setSavePath(const std::string& path) { m_savePath = path; }
    // Each order carried out and each turn begun counts as play; a save puts the mark there. A game
    // started or loaded on fresh storage (swapGame) has none.
    void notePlay() { ++m_playCount; }
    void markSaved() { m_savedPlayCount = m_playCount; }
    // A turn or an order since the game was started, last saved or loaded.
    bool hasUnsavedPlay() const { return m_playCount != m_savedPlayCount; }

private:
    // The units of a cell's slots (all of them, or the first), appended to the list.
    int collectUnitsOfCell(const UnitCell& cell, bool every_slot, std::vector<UnitRef>& list) const;
    TurnStatsEntry* lastStatsEntry(int country);
    void computeTerrainRoles();
    void storeUnitType(UnitTypeRecord& record, int line, SkippedLines& skipped);

    // The master data and the settings: the same for every game of a run.
    uint8_t m_mode = 0;
    std::vector<TerrainRecord> m_terrainTypes;
    TerrainRoles m_terrainRoles;
    std::vector<WeaponRecord> m_weapons;
    std::unique_ptr<uint16_t[]> m_weaponIdMap;
    // Name and sub-name to the first two weapon ids that carry them: weapon.dat names a weapon in
    // each of its slots, and a scan of every weapon per slot grew with both files.
    std::unordered_map<std::string, std::array<uint16_t, 2>> m_weaponNames;
    FileRefusal m_mapRefusal;
    std::vector<UnitTypeRecord> m_unitTypes;
    std::unique_ptr<uint16_t[]> m_unitTypeIdMap;
    std::vector<ProductionTypeRecord> m_builtinProductionTypes;
    std::vector<ProductionTypeRecord> m_userProductionTypes;
    std::array<RuleSlot, kRuleSlotCount> m_ruleSlots;
    std::vector<std::string> m_anthemNames;
    std::vector<std::string> m_anthemWaves;
    std::vector<std::string> m_musicNames;
    std::vector<std::string> m_musicPaths;

    // The members start-up and shut-down look after, in the object's order.
    UpperOwned<BattleUnitData> m_battleUnitData;
    UpperOwned<AreaAnalysis> m_areaAnalysis;
    UnitTouches m_unitTouches;
    GameSettings m_settings;
    uint8_t m_modalIdle = 0;

    // Last: destroyed first, so a game thread still running is joined before the tables go.
    Handshake m_handshake;
    bool m_started = false;
    bool m_settingsRead = false;
};

extern GameState* g_gameState;

// The price of count members of a unit type for a country; at least 1.
uint32_t unitTypeCost(const UnitTypeRecord& type, const CountryRecord& country, uint32_t count, uint32_t full_count);
// "☆☆☆☆☆" to "★★★★★" (CP932) for ratings 0..5, clamped.
const char* starRatingText(int rating);
constexpr int computerStrategyCount() { return 3; }
// "侵攻重視", "防御重視", "攻防均衡" (CP932) for 0..2.
const char* computerStrategyName(int i);
