// ActionHistoryLog: the chronicle of play, one 92-byte record per event, with its stream and text forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class swCFile;
struct BuildingRecord;
struct UnitRecord;
struct UnitTypeRecord;

#pragma pack(push, 1)
struct HistoryRecord {
    // Event kind 0..31; the text form reads the low byte.
    uint16_t kind;
    uint16_t turn;
    // Combat only: 1 when the attacker saw the target.
    uint16_t seen;
    uint8_t x;
    uint8_t y;
    // 0..7 a country, 8 a building or hex target.
    uint8_t side0;
    uint8_t padding9;
    uint16_t type0;
    // In one-party records a detail byte.
    uint8_t side1;
    uint8_t padding13;
    // In one-party records a detail word.
    uint16_t type1;
    // Usually two halves, low and high.
    uint32_t value;
    uint8_t sideMask;
    // Bytes 1..34 of the party's UnitRecord (name first), or "%3d,%3d" of a hex target.
    char unit0[34];
    char unit1[34];
    // Bit c: country c could see the party.
    uint8_t seen0;
    uint8_t seen1;
    uint8_t padding91;
};
#pragma pack(pop)
static_assert(sizeof(HistoryRecord) == 92);
static_assert(offsetof(HistoryRecord, type0) == 10);
static_assert(offsetof(HistoryRecord, value) == 16);
static_assert(offsetof(HistoryRecord, unit0) == 21);
static_assert(offsetof(HistoryRecord, unit1) == 55);
static_assert(offsetof(HistoryRecord, seen0) == 89);

// Whether the viewer (TurnBlock::viewer) knows party slot 0 or 1 of the record: it saw the unit
// then, or the unit is its own. With no viewer (below 0) every party is known.
bool isHistoryPartyKnown(const HistoryRecord& record, int slot, int viewer);

// What the recorders and the text form read of the game; recorders need one. Pointers are null
// for indexes outside the tables.
class HistoryWorld {
public:
    virtual ~HistoryWorld() = default;
    virtual int currentTurn() const = 0;
    // The country whose view the text shows, as TurnBlock::viewer: -1 for none.
    virtual int viewingCountry() const = 0;
    // Side code 0..8 or 100 + c for a missile in flight of country c.
    virtual const UnitRecord* unit(int code, int index) const = 0;
    virtual const UnitTypeRecord* unitType(int id) const = 0;
    // Controller byte non-zero and alive word 1.
    virtual bool isCountryPlaying(int country) const = 0;
    virtual bool isUnitVisibleTo(int viewer, int code, int index) const = 0;
    virtual bool isHexVisibleTo(int viewer, int code, int index, int x, int y) const = 0;
    virtual const BuildingRecord* building(int index) const = 0;
    virtual const BuildingRecord* buildingAt(int x, int y) const = 0;
    // The hex's terrain type with the river substitute applied.
    virtual int terrainTypeAt(int x, int y) const = 0;
    // Empty when the type is unknown.
    virtual std::string terrainName(int type) const = 0;
};

// The parts of an engagement the history keeps; members are counted before and after the exchange.
struct HistoryEngagement {
    struct Side {
        int code = 0;
        int index = 0;
        int x = 0;
        int y = 0;
        uint8_t membersBefore = 0;
        uint8_t membersAfter = 0;
    };
    Side attacker;
    Side target;
    // The engagement's flag byte after the two sides.
    bool flag = false;
};

enum class HistoryReadResult {
    Whole,
    // The stream ended inside the block: the whole records before that point were kept.
    Truncated,
    // A record size of 0 with records to read, more records than the log keeps, or records so short
    // that their slots would take many times the file: nothing was kept.
    Refused,
};

class ActionHistoryLog {
public:
    static constexpr uint32_t kFirstCapacity = 1000;
    // Far past any game's history, and one limit for play and files: play records no more (and
    // tells so once), and a file that would give more is refused unread.
    static constexpr uint32_t kMaxRecords = 1'000'000;

    ActionHistoryLog() = default;
    explicit ActionHistoryLog(const HistoryWorld* world) : m_world(world) { }
    explicit ActionHistoryLog(std::unique_ptr<HistoryWorld> world) : m_world(world.get()), m_ownedWorld(std::move(world)) { }
    ActionHistoryLog(const ActionHistoryLog&) = delete;
    ActionHistoryLog& operator=(const ActionHistoryLog&) = delete;

    // A world given at construction stays owned by the log.
    void setWorld(const HistoryWorld* world) { m_world = world; }
    const HistoryWorld* world() const { return m_world; }

    void clear();
    // Returns the new count; at kMaxRecords the record is dropped.
    uint32_t append(const HistoryRecord& record);
    // The other log's records in place of these, in one allocation.
    void copyRecords(const ActionHistoryLog& other);
    uint32_t count() const { return m_count; }
    uint32_t capacity() const { return m_capacity; }
    // Beyond the last record an empty one (kind 0) answers.
    const HistoryRecord& record(uint32_t i) const;

    // Fills one party from the unit; x, y below 0: visibility where the unit stands. False when
    // the code and index name no unit (the party then keeps only its side).
    bool fillParty(HistoryRecord& record, int slot, int country, int index, int x = -1, int y = -1) const;

    void write(swCFile& stream) const;
    // available: the bytes the stream holds from where it stands.
    HistoryReadResult read(swCFile& stream, uint64_t available);

    void recordProductionDone(int country, int unit);
    void recordRestoration(int country, int unit, int after, int before, int maximum, int owner_plus_one, int building_kind);
    void recordTransformation(int country, int unit, int value);
    void recordOccupation(int country, int unit, int after, int before, int owner_plus_one, int building_kind);
    void recordSupply(int country, int unit, int done);
    void recordReplenishment(int country, int unit, int before);
    void recordWeaponExchange(int country, int unit, int new_model, int old_model);
    void recordMerge(int country, int unit, int remaining);
    void recordSplit(int country, int unit, int remaining);
    void recordConstruction(int country, int unit);
    void recordBridgeBuilt(int country, int unit);
    void recordSelfDestruct(const HistoryEngagement& engagement);
    void recordDemolition(int country, int unit, int after, int before, int owner_plus_one, int building_kind);
    void recordJammingStart(int country, int unit);
    void recordCombat(const HistoryEngagement& engagement, int seen_flag, int friendly_fire);
    void recordMineSweeping(int country, int unit, int x, int y, int done);
    void recordDisband(int country, int unit);
    void recordSeaMineHit(int country, int unit, int x, int y, int before, int after);
    // Country 8: unit is a building index.
    void recordMissileLaunch(int country, int unit, int target_x, int target_y, int weapon_slot);
    void recordLandMineHit(int country, int unit, int x, int y, int before, int after);
    void recordFuelOutCrash(int country, int unit);
    void recordFuelOut(int country, int unit);
    void recordReinforcementsAppear(int country, int unit);
    void recordRepair(int country, int unit, int before);
    void recordRoadBuilt(int country, int unit, int from_x, int from_y);
    void recordBuildingReinforcement(int country, int unit, int after, int before, int maximum, int owner_plus_one, int building_kind);
    void recordGroundAttack(const HistoryEngagement& engagement, int friendly_fire);
    void recordMineClearing(int country, int unit, int x, int y, int done);
    void recordTransport(int country, int unit, int country2, int unit2, int value, int x, int y);

    // The CP932 line of a record as the viewing country sees it, without a line end.
    void writeText(const HistoryRecord& record, std::string& out) const;
    void partyText(const HistoryRecord& record, int slot, std::string& out) const;
    // The owner does not reach the line: the terrain type's name stands for the building.
    void placeText(const HistoryRecord& record, int terrain_type, int owner_plus_one, std::string& out) const;

private:
    void recordOneParty(int kind, int country, int unit);
    void recordBuildingChange(int kind, int country, int unit, int after, int before, int owner_plus_one, int building_kind);
    void recordHexEvent(int kind, int country, int unit, int x, int y, uint32_t value, int side1);
    void fillTargetHex(HistoryRecord& record, int x, int y) const;
    void detailText(const HistoryRecord& record, std::string& out) const;
    void reserve(uint32_t capacity);

    const HistoryWorld* m_world = nullptr;
    std::unique_ptr<HistoryWorld> m_ownedWorld;
    std::unique_ptr<HistoryRecord[]> m_records;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
    bool m_toldFull = false;
};

class GameState;

// The world of a GameState: its tables, with visibility from the installed rules hooks.
class GameStateHistoryWorld : public HistoryWorld {
public:
    explicit GameStateHistoryWorld(GameState& state) : m_state(state) { }

    int currentTurn() const override;
    int viewingCountry() const override;
    const UnitRecord* unit(int code, int index) const override;
    const UnitTypeRecord* unitType(int id) const override;
    bool isCountryPlaying(int country) const override;
    bool isUnitVisibleTo(int viewer, int code, int index) const override;
    bool isHexVisibleTo(int viewer, int code, int index, int x, int y) const override;
    const BuildingRecord* building(int index) const override;
    const BuildingRecord* buildingAt(int x, int y) const override;
    int terrainTypeAt(int x, int y) const override;
    std::string terrainName(int type) const override;

private:
    GameState& m_state;
};
