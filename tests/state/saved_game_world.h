// A small game with something in every saved block, and the byte offsets of a save's size fields.
#pragma once

#include "state/action_history.h"
#include "state/data_path.h"
#include "state/saved_game.h"
#include "state/saved_game_file.h"
#include "state/sight_maps.h"
#include "tests/state/small_world.h"

#include <cstring>
#include <map>
#include <string>

namespace testing_state {

class SavedGameWorld : public SmallWorld {
public:
    // A 13 x 6 map (rows of two sight bytes); countries 0..2 in play.
    explicit SavedGameWorld(bool fog = true, bool layered = false)
        : SmallWorld(13, 6)
    {
        GameState& s = state();
        s.settings().writeHistory = true;
        setRule(kRuleSearch, fog ? 1 : 0);
        setRule(kRuleSightLayers, layered ? 1 : 0);
        for (int c = 0; c < kCountryCount; ++c) {
            s.country(c).controller = c == 0 ? 1 : c < 3 ? 2 : 0;
            s.country(c).inPlay = c < 2 ? 1 : 0;
            s.country(c).funds = 1000u * uint32_t(c + 1);
        }
        s.campaignBlock().campaignFlag = 1;
        s.campaignBlock().currentStage = 2;
        std::strcpy(reinterpret_cast<char*>(s.scenarioBlock().bytes), "scenario");
        s.turnBlock().turn = 4;
        s.turnBlock().phase = 5;
        s.turnBlock().currentCountry = 1;
        for (int i = 0; i < 8; ++i) {
            s.turnBlock().order[i] = uint8_t(i);
            s.turnBlock().nextOrder[i] = uint8_t(7 - i);
        }
        s.neutralBlock()[0] = 0x81;
        s.randomPool().fill();
        s.random(1, 100);

        placeUnit(0, 3, 1, 1);
        placeUnit(1, 3, 10, 4);
        placeUnit(8, 3, 6, 2);
        UnitRecord missile = unit(1, 0);
        missile.x = 7;
        s.missileTable(2)[0] = missile;
        s.setMissileCount(2, 1);
        int capital = terrainOfKind(kTerrainCapital);
        cell(2, 2).terrain = uint8_t(capital < 0 ? 0 : capital);
        placeBuilding(capital < 0 ? 0 : capital, 0, 2, 2);
        placeBuilding(capital < 0 ? 0 : capital, 1, 11, 5);

        for (int i : { 0, 1 }) {
            PlaceRecord& p = s.placeTable()[i];
            p.used = 1;
            p.x = uint8_t(3 + i);
            p.y = 3;
            p.target = uint8_t(i);
        }
        s.linkPlaces();
        s.deriveCellData();
        s.pillboxHexes().push_back({ 4, 4, 1, 2 });
        s.temporaryBridgeHexes().push_back({ 5, 1, 3, 4, 5, 6 });
        TurnStatsRecord stats {};
        stats.country[1].income = 77;
        s.appendTurnStats(stats);
        s.destroyedUnits(1)[0] = { 3, 1, {}, 3, 9, 9, 1, 1 };
        ProductionTypeRecord production {};
        std::strcpy(production.name, "side zero");
        s.setSideProductionType(0, production);
        s.carryOverTable()[0] = unit(0, 0);
        s.setCarryOverCount(1);
        s.savedView() = { 2, 1, 3, 40, -1 };

        s.recreateSightMaps();
        s.fogMap()->setBit(0, 12, 5, 0);
        s.fogMap()->setBit(1, 0, 0, layered ? 3 : 0);
        HistoryRecord record {};
        record.kind = 3;
        record.turn = 4;
        s.historyLog().append(record);
        s.historyLog().append(record);
    }

    std::string path(const std::string& name) const { return dataPath(name.c_str(), kFolderProgram); }
    bool save(const std::string& name) { return bool(saveGameFile(state(), path(name).c_str(), false)); }
    bool load(const std::string& name) { return loadGameFile(state(), path(name).c_str()); }
};

// Offsets of the size and count fields of a well-formed save, found by walking its blocks.
inline std::map<std::string, size_t> savedGameFields(const std::string& bytes)
{
    std::map<std::string, size_t> at;
    size_t pos = 16;
    auto u32 = [&](size_t p) { uint32_t v = 0; std::memcpy(&v, bytes.data() + p, 4); return v; };
    auto block = [&](const char* name) { at[name] = pos; pos += 4 + u32(pos); };
    block("campaign");
    block("scenario");
    at["width"] = pos + 4 + 580;
    uint32_t hexes = 0;
    {
        uint16_t w = 0, h = 0;
        std::memcpy(&w, bytes.data() + pos + 4 + 580, 2);
        std::memcpy(&h, bytes.data() + pos + 4 + 582, 2);
        hexes = uint32_t(w) * h;
    }
    block("header");
    block("turn");
    at["countries"] = pos;
    pos += 4 + 8 * u32(pos);
    block("neutral");
    block("rules");
    at["cells"] = pos;
    pos += 4 + hexes * u32(pos);
    at["pool"] = pos;
    pos += 1 + (bytes[pos] == 1 ? 16384 + 16 : 0);
    for (const char* table : { "buildings", "places", "listed10", "listed12", "stats" }) {
        at[std::string(table) + ".size"] = pos;
        at[std::string(table) + ".count"] = pos + 4;
        pos += 8 + u32(pos) * u32(pos + 4);
    }
    for (const char* table : { "units", "missiles", "destroyed" }) {
        uint32_t size = u32(pos);
        at[std::string(table) + ".size"] = pos;
        at[std::string(table) + ".count"] = pos + 4;
        pos += 4;
        for (int i = 0; i < (std::string(table) == "units" ? 9 : 8); ++i)
            pos += 4 + size * u32(pos);
    }
    at["sight"] = pos;
    return at;
}

} // namespace testing_state
