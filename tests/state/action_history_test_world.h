// A small scripted world for the history tests: units by side and index, buildings, terrain names.
#pragma once

#include "lib/file.h"
#include "state/action_history.h"
#include "state/building_record.h"
#include "state/unit_record.h"
#include "state/unit_type_record.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace testing_history {

class FakeWorld : public HistoryWorld {
public:
    int turn = 1;
    int viewer = 0;
    uint8_t playing = 0xFF;
    std::map<std::pair<int, int>, UnitRecord> units;
    std::map<int, UnitTypeRecord> types;
    std::vector<BuildingRecord> buildings;
    std::map<int, std::string> terrainNames;
    std::map<std::pair<int, int>, int> terrain;
    // (viewer, code, index) pairs that see the unit; the hex variant adds the position.
    std::set<std::tuple<int, int, int>> visible;
    std::set<std::tuple<int, int, int, int, int>> visibleAt;

    UnitRecord& addUnit(int code, int index, const char* name, int type, int x, int y)
    {
        UnitRecord unit {};
        unit.stateLow = 1;
        std::memcpy(unit.name, name, strnlen(name, sizeof(unit.name)));
        unit.unitTypeId = uint16_t(type);
        unit.x = uint8_t(x);
        unit.y = uint8_t(y);
        return units[{ code, index }] = unit;
    }
    UnitTypeRecord& addType(int id, int members, int member_strength)
    {
        UnitTypeRecord type {};
        type.id = uint16_t(id);
        type.members = uint8_t(members);
        type.memberStrength = uint8_t(member_strength);
        return types[id] = type;
    }

    int currentTurn() const override { return turn; }
    int viewingCountry() const override { return viewer; }
    const UnitRecord* unit(int code, int index) const override
    {
        auto it = units.find({ code, index });
        return it == units.end() ? nullptr : &it->second;
    }
    const UnitTypeRecord* unitType(int id) const override
    {
        auto it = types.find(id);
        return it == types.end() ? nullptr : &it->second;
    }
    bool isCountryPlaying(int country) const override { return playing >> country & 1; }
    bool isUnitVisibleTo(int viewer_side, int code, int index) const override
    {
        return visible.count({ viewer_side, code, index }) > 0;
    }
    bool isHexVisibleTo(int viewer_side, int code, int index, int x, int y) const override
    {
        return visibleAt.count({ viewer_side, code, index, x, y }) > 0;
    }
    const BuildingRecord* building(int index) const override
    {
        return index >= 0 && size_t(index) < buildings.size() ? &buildings[size_t(index)] : nullptr;
    }
    const BuildingRecord* buildingAt(int x, int y) const override
    {
        for (const auto& b : buildings)
            if (int(b.x) == x && int(b.y) == y)
                return &b;
        return nullptr;
    }
    int terrainTypeAt(int x, int y) const override
    {
        auto it = terrain.find({ x, y });
        return it == terrain.end() ? 0 : it->second;
    }
    std::string terrainName(int type) const override
    {
        auto it = terrainNames.find(type);
        return it == terrainNames.end() ? std::string() : it->second;
    }
};

// A stream over a byte string: writes append, reads return what is left (fewer bytes at the end).
class StringStream : public swCFile {
public:
    std::string bytes;
    size_t position = 0;

    DWORD Read(void* buffer, DWORD count) override
    {
        size_t n = std::min<size_t>(count, bytes.size() - position);
        std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        return DWORD(n);
    }
    DWORD Write(const void* buffer, DWORD count) override
    {
        bytes.append(static_cast<const char*>(buffer), count);
        return count;
    }
};

} // namespace testing_history
