// Validation of a read map: terrain, owners, positions, carriers, places, slots and missile codes.
#include "state/map_validate.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

class Validator {
public:
    Validator(ScenarioFile& file, const GameState& state) : m_file(file), m_state(state) {}

    MapValidation run();

private:
    void refuse(std::string text)
    {
        if (m_result.verdict == MapVerdict::Accepted)
            m_result.verdict = MapVerdict::Refused;
        if (m_result.refusal.empty())
            m_result.refusal = text;
        m_result.messages.push_back(std::move(text));
    }
    void clamp(std::string text) { m_result.messages.push_back(std::move(text)); }
    static std::string hex(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }
    bool onMap(int x, int y) const { return x < m_file.width() && y < m_file.height(); }

    void checkCountries();
    void checkCells();
    void checkPlaces();
    void checkUnits(int side);
    bool knownMissileCode(unsigned code) const;

    ScenarioFile& m_file;
    const GameState& m_state;
    MapValidation m_result;
};

void Validator::checkCountries()
{
    for (size_t c = 0; c < kMaxCountryRecords; ++c) {
        FileCountryRecord& r = m_file.countries[c];
        if (r.unitSlots > kUnitTableSize) {
            clamp("country " + std::to_string(c) + ": unit slots " + std::to_string(r.unitSlots) + " cut to 1000");
            r.unitSlots = kUnitTableSize;
        }
        r.name[sizeof r.name - 1] = 0;
    }
}

bool Validator::knownMissileCode(unsigned code) const
{
    if (code >= 738 && code <= 746)
        return true;
    return code >= 4000 && m_state.unitTypeIndex(int(code)) != 0;
}

void Validator::checkCells()
{
    size_t terrain_count = m_state.terrainTypes().size();
    for (int y = 0; y < m_file.height(); ++y) {
        for (int x = 0; x < m_file.width(); ++x) {
            FileMapCell& cell = m_file.cellAt(x, y);
            if (cell.terrain >= terrain_count)
                refuse("hex " + hex(x, y) + ": terrain " + std::to_string(cell.terrain) + " is not a terrain type");
            if (cell.buildingOwnerPlusOne > kMaxCountryRecords) {
                clamp("hex " + hex(x, y) + ": building owner " + std::to_string(cell.buildingOwnerPlusOne) + " made unowned");
                cell.buildingOwnerPlusOne = 0;
            }
            if (cell.hexOwner > kMaxCountryRecords) {
                clamp("hex " + hex(x, y) + ": hex owner " + std::to_string(cell.hexOwner) + " made unowned");
                cell.hexOwner = 0;
            }
            if (cell.missileCode != 0 && !knownMissileCode(cell.missileCode)) {
                clamp("hex " + hex(x, y) + ": missile code " + std::to_string(cell.missileCode) + " dropped");
                cell.missileCode = 0;
            }
        }
    }
}

void Validator::checkPlaces()
{
    for (size_t i = 0; i < m_file.places.size(); ++i) {
        const PlaceRecord& p = m_file.places[i];
        if (p.used && !onMap(p.x, p.y))
            refuse("place " + std::to_string(i) + " at " + hex(p.x, p.y) + " is off the map");
    }
}

void Validator::checkUnits(int side)
{
    const std::vector<UnitRecord>& units = m_file.units[size_t(side)];
    std::string who = "side " + std::to_string(side) + " unit ";
    for (size_t i = 0; i < units.size(); ++i) {
        const UnitRecord& u = units[i];
        if (!unitExists(u))
            continue;
        int type = m_state.unitTypeIndex(u.unitTypeId);
        if (type == 0 || m_state.unitTypeRecord(u.unitTypeId).available == 0) {
            if (m_result.verdict != MapVerdict::Refused)
                m_result.verdict = MapVerdict::MissingUnitTypes;
            std::string text = who + std::to_string(i) + ": unit type " + std::to_string(u.unitTypeId) + " not available";
            if (m_result.refusal.empty())
                m_result.refusal = text;
            m_result.messages.push_back(std::move(text));
        }
        if (unitInPlay(u) && !u.hasFlag(kUnitAboard | kUnitOffMap) && !onMap(u.x, u.y))
            refuse(who + std::to_string(i) + " at " + hex(u.x, u.y) + " is off the map");
        if (u.hasFlag(kUnitAboard)) {
            int carrier_side = u.carrierSide ? u.carrierSide - 1 : side;
            if (carrier_side >= kMapSideCount || u.carrierIndex == 0
                || u.carrierIndex > m_file.units[size_t(carrier_side)].size())
                refuse(who + std::to_string(i) + ": carrier " + std::to_string(u.carrierIndex) + " of side " + std::to_string(carrier_side) + " does not exist");
        }
        for (uint16_t slot : u.carriedUnits) {
            unsigned index = slot & 0x7FFFu;
            size_t cargo_side = slot & 0x8000u ? kMapSideCount - 1 : size_t(side);
            if (index != 0 && index > m_file.units[cargo_side].size())
                refuse(who + std::to_string(i) + ": cargo " + std::to_string(index) + " of side " + std::to_string(cargo_side) + " does not exist");
        }
    }
}

MapValidation Validator::run()
{
    checkCountries();
    checkCells();
    checkPlaces();
    for (int side = 0; side < kMapSideCount; ++side)
        checkUnits(side);
    return std::move(m_result);
}

}

MapValidation validateScenario(ScenarioFile& file, const GameState& state)
{
    return Validator(file, state).run();
}
