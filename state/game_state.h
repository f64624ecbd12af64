// GameState: the one object that holds a game; here the master data tables its loaders fill.
#pragma once

#include "state/production_type_record.h"
#include "state/rule_block.h"
#include "state/terrain_record.h"
#include "state/unit_type_record.h"
#include "state/weapon_record.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CountryRecord;
class SkippedLines;

// The empty base whose only virtual operation is the destructor.
class GameStateBase {
public:
    virtual ~GameStateBase() = default;
};

class GameState : public GameStateBase {
public:
    GameState();

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
    int ruleSwitch(int i) const { return m_ruleBlock.switches[i]; }

    void loadAnthemList();
    void anthemWaveName(int index, std::string& out) const;
    bool isAnthemWave(const char* text) const;
    void listMusicFiles();
    const char* fileExtension(int kind) const;
    const std::vector<std::string>& anthemNames() const { return m_anthemNames; }
    const std::vector<std::string>& anthemWaves() const { return m_anthemWaves; }
    const std::vector<std::string>& musicNames() const { return m_musicNames; }
    const std::vector<std::string>& musicPaths() const { return m_musicPaths; }

private:
    void computeTerrainRoles();
    void storeUnitType(UnitTypeRecord& record, int line, SkippedLines& skipped);

    uint8_t m_mode = 0;
    std::vector<TerrainRecord> m_terrainTypes;
    TerrainRoles m_terrainRoles;
    std::vector<WeaponRecord> m_weapons;
    std::unique_ptr<uint16_t[]> m_weaponIdMap;
    std::vector<UnitTypeRecord> m_unitTypes;
    std::unique_ptr<uint16_t[]> m_unitTypeIdMap;
    std::vector<ProductionTypeRecord> m_builtinProductionTypes;
    std::vector<ProductionTypeRecord> m_userProductionTypes;
    std::array<RuleSlot, kRuleSlotCount> m_ruleSlots;
    std::vector<std::string> m_anthemNames;
    std::vector<std::string> m_anthemWaves;
    std::vector<std::string> m_musicNames;
    std::vector<std::string> m_musicPaths;
    RuleBlock m_ruleBlock{};
};

extern GameState* g_gameState;

// The price of count members of a unit type for a country; at least 1.
uint32_t unitTypeCost(const UnitTypeRecord& type, const CountryRecord& country, uint32_t count, uint32_t full_count);
// "☆☆☆☆☆" to "★★★★★" (CP932) for ratings 0..5, clamped.
const char* starRatingText(int rating);
constexpr int computerStrategyCount() { return 3; }
// "侵攻重視", "防御重視", "攻防均衡" (CP932) for 0..2.
const char* computerStrategyName(int i);
