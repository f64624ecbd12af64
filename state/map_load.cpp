// Loading a map into the game: read, check, then commit into the state and rebuild what it derives.
#include "state/game_state.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/action_history.h"
#include "state/map_file.h"
#include "state/map_validate.h"
#include "state/master_text.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

// Rule switches a simple-mode map of lead byte 24 keeps as the map has them.
constexpr int kSimpleKeptBytes[] = {4, 13, 21, 23, 32, 36};

}

std::unique_ptr<ScenarioFile> GameState::stageMapFile(const char* path)
{
    std::vector<uint8_t> bytes;
    if (FileFault fault = readFileBytes(path, kMaxMapFileBytes, bytes); fault != FileFault::None) {
        m_mapRefusal = { fault, -1, "file not read" };
        return nullptr;
    }
    return stageMapImage(bytes.data(), bytes.size());
}

std::unique_ptr<ScenarioFile> GameState::stageMapImage(const uint8_t* image, size_t size)
{
    m_mapRefusal = {};
    if (!m_terrainGrid || !image || size == 0) {
        m_mapRefusal = { !m_terrainGrid ? FileFault::Unreadable : FileFault::Empty, -1, !m_terrainGrid ? "game not started" : "empty file" };
        return nullptr;
    }
    // The file is staged whole and checked before anything of the current game changes.
    auto file = std::make_unique<ScenarioFile>();
    if (MapFileError error = readScenarioBytes(std::span(image, size), *file)) {
        m_mapRefusal = { error.fault, error.offset, error.describe() };
        return nullptr;
    }
    MapValidation check = validateScenario(*file, *this);
    if (check.verdict == MapVerdict::MissingUnitTypes) {
        m_mapRefusal = { FileFault::UnknownData, -1, "unit types not available" };
        return nullptr;
    }
    if (!check.accepted()) {
        m_mapRefusal = { FileFault::Damaged, -1, check.refusal };
        return nullptr;
    }
    return file;
}

bool GameState::loadMapFile(const char* path) { return commitStaged(stageMapFile(path)); }

bool GameState::loadMapImage(const uint8_t* image, size_t size) { return commitStaged(stageMapImage(image, size)); }

bool GameState::commitStaged(std::unique_ptr<ScenarioFile> file)
{
    if (!file) {
        if (m_mapRefusal.fault == FileFault::UnknownData)
            showMissingUnitTypes();
        return false;
    }
    if (!commitScenario(*file)) {
        m_mapRefusal = { FileFault::UnknownData, -1, "unit types not available" };
        return false;
    }
    return true;
}

bool GameState::commitScenario(const ScenarioFile& f)
{
    resetMapPart();
    m_scenario = f.scenario;
    m_mapHeader = f.header;
    m_gridCellsUsed = size_t(mapWidth()) * size_t(mapHeight());

    m_ruleBlock = f.rules;
    if (isSimpleMode()) {
        RuleBlock simple = m_ruleSlots[0].block;
        if (f.rules.lead == 24) {
            simple.lead = 24;
            for (int b : kSimpleKeptBytes)
                simple.switches[b - 1] = f.rules.switches[b - 1];
        }
        m_ruleBlock = simple;
    }

    for (size_t i = 0; i < kMaxCountryRecords; ++i) {
        const FileCountryRecord& r = f.countries[i];
        CountryRecord& c = m_countries[i];
        c = CountryRecord {};
        std::memcpy(c.name, r.name, sizeof c.name);
        c.analysisByte = r.analysisByte;
        c.controller = r.controller;
        c.allianceMask = r.allianceMask;
        c.productionTypeNumber = mapProductionTypeNumber(r.productionType);
        c.anthemCode = r.anthemCode;
        c.unitListLength = r.unitSlots;
        c.funds = r.funds;
        c.initialFunds = r.funds;
        std::memcpy(&c.victoryKind, &r.victoryCondition, 4);
        c.turnLimitResult = r.victoryParameter;
        c.productionLimit = r.productionLimit;
        c.pactMask = r.pactMask;
        if (c.controller) {
            c.allianceMask = uint8_t(c.allianceMask | 1u << i);
            c.inPlay = 1;
            c.marketRate = 100;
        }
        // Packed fields are read by value: a reference into the record would be misaligned.
        c.fundsCeiling = std::max(uint32_t(r.fundsLimit), uint32_t(r.funds));
        m_sideProductionTypes[i] = i < f.productionTypes.size() ? f.productionTypes[i] : ProductionTypeRecord {};
        unsigned number = c.productionTypeNumber;
        if (number < kFirstUserProductionType && number < m_builtinProductionTypes.size()
            && m_builtinProductionTypes[number].name[0] != 0)
            m_sideProductionTypes[i] = m_builtinProductionTypes[number];
    }

    const std::vector<TerrainRecord>& types = m_terrainTypes;
    for (int y = 0; y < mapHeight(); ++y) {
        for (int x = 0; x < mapWidth(); ++x) {
            FileMapCell in = f.cellAt(x, y);
            if (in.terrain < types.size() && types[in.terrain].kind < 11)
                in.displayCode = types[in.terrain].defaultDisplayCode;
            if (f.version <= 2 && in.terrain == kTemporaryBridgeTerrain && types.size() > 1) {
                in.terrain = 1;
                in.displayCode = types[1].defaultDisplayCode;
            }
            TerrainCell& t = *terrainCellAt(x, y);
            UnitCell& u = *unitCellAt(x, y);
            t.terrain = in.terrain;
            t.overlay = in.overlay;
            t.displayCode = in.displayCode;
            t.substitute = in.substituteBits;
            t.owner = in.hexOwner;
            std::memcpy(t.sideCodes, in.sideCodes, 3);
            t.mineKind = in.mineKind;
            t.mineCount = in.mineCount;
            t.mineKnownMask = in.mineKnownMask;
            t.turnMarks[1] = in.mineKnownMask;
            t.turnMarks[0] = uint8_t((in.markBit0 == 1 ? 1 : 0) | (in.destroyed == 1 ? 2 : 0));
            t.turnMarks[2] = in.constructionMarker;
            u.building = in.buildingOwnerPlusOne;
            u.mapMissileCode = in.missileCode;
            u.mapLaunchCounterStart = in.launchCounterStart;
            u.mapMissileParameter = in.missileParameter;
            u.mapDomainMask = in.domainMask;
        }
    }

    // Copied by element: an empty table has no storage a byte copy may be handed.
    std::copy_n(f.places.begin(), std::min<size_t>(f.places.size(), kPlaceRecordCount), m_placeTable.get());
    m_unitTouches.touchAll();
    for (size_t side = 0; side < kSideCount; ++side) {
        std::copy(f.units[side].begin(), f.units[side].end(), m_unitTables[side].get());
        m_unitCounts[side] = uint32_t(f.units[side].size());
    }
    std::memcpy(m_neutralBlock, f.neutral.data(), sizeof m_neutralBlock);

    auto keep = [](const std::vector<uint8_t>& from, std::unique_ptr<uint8_t[]>& to, uint32_t& size) {
        size = uint32_t(from.size());
        to.reset();
        if (size) {
            to = std::make_unique<uint8_t[]>(size);
            std::memcpy(to.get(), from.data(), size);
        }
    };
    keep(f.images[0], m_briefingImage, m_briefingImageSize);
    keep(f.images[1], m_newsImage, m_newsImageSize);
    return afterMapLoad();
}

bool GameState::afterMapLoad()
{
    if (!allUnitTypesAvailable()) {
        showMissingUnitTypes();
        resetMapPart();
        return false;
    }
    rebuildFromCells();
    deriveCellData();
    linkPlaces();
    relinkUnits(false);
    refillUnitsToFull();
    m_unitTouches.touchAll();
    for (int side = 0; side < kSideCount; ++side) {
        for (uint32_t i = 0; i < m_unitCounts[size_t(side)]; ++i) {
            UnitRecord& unit = m_unitTables[size_t(side)][size_t(i)];
            const UnitTypeRecord* type = unitExists(unit) ? unitTypeOf(unit) : nullptr;
            if (!type)
                continue;
            // The neutral side's garrisons start at full strength as the countries' units do.
            if (side == kSideCount - 1) {
                for (int m = 0; m < int(sizeof unit.memberStrengths); ++m)
                    unit.memberStrengths[m] = m < type->members ? type->memberStrength : 0;
                selectModel(*this, unit, unit.model < kModelCount ? unit.model : 0);
            }
            unit.memberLimit = type->members;
        }
    }
    computeBorderMasks();

    unsigned in_play = 0;
    for (int c = 0; c < kCountryCount; ++c)
        if (m_countries[size_t(c)].controller)
            in_play |= 1u << c;
    for (int c = 0; c < kCountryCount; ++c)
        if (m_countries[size_t(c)].controller)
            m_countries[size_t(c)].allianceMask = uint8_t(m_countries[size_t(c)].allianceMask & in_play);

    recreateSightMaps();
    m_redrawSet = std::make_unique<MapBitSet>(uint32_t(mapWidth()), uint32_t(mapHeight()));
    m_redrawSet->setAll();
    return true;
}
