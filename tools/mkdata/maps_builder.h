// MapBuilder: draws a sample map (terrain, owners, units, places, texts) and writes it as a map file.
#pragma once

#include "state/map_file.h"

#include <functional>
#include <string>
#include <vector>

namespace mkdata::maps {

// Terrain types of land.dat used by the sample maps.
enum Terrain : uint8_t {
    kPlain = 1, kGrass = 2, kForest = 3, kJungle = 4, kHills = 5, kMountain = 6, kHighMountain = 7,
    kDesert = 8, kMarsh = 9, kBeach = 12, kRiver = 14, kDeepRiver = 15, kLake = 16, kFields = 21,
    kSea = 28, kShallows = 29, kCapital = 31, kLargeCity = 32, kCity = 33, kTown = 34, kAirport = 35,
    kAirfield = 36, kFactory = 37, kArmsFactory = 38, kPort = 39, kNavalPort = 40, kAirBase = 41,
    kOilField = 42, kFortress = 47, kVillage = 48, kBridge = 51, kRoad = 52,
};

// Unit types of weapon.dat; all of them are offered in simple mode too.
enum UnitType : uint16_t {
    kInfantry = 2, kTank = 3, kArtillery = 4, kAntiAir = 6, kSupplyTruck = 8, kEngineer = 9,
    kFighter = 20, kAttacker = 21, kAttackHeli = 22, kDestroyer = 30, kSubmarine = 31, kTransportShip = 32,
};

// A country's result at the turn limit.
enum LimitOutcome : uint8_t { kHoldsOut = 1, kFallsShort = 2 };

class MapBuilder {
public:
    MapBuilder(int width, int height, uint8_t fill);
    // One string per row, one character per hex, read through the legend below.
    explicit MapBuilder(const std::vector<std::string>& rows);

    int width() const { return m_file.width(); }
    int height() const { return m_file.height(); }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    uint8_t at(int x, int y) const { return m_file.cellAt(x, y).terrain; }
    void set(int x, int y, uint8_t terrain);
    // A hex line; a road crossing a river becomes a bridge, and water is left alone by land lines.
    void line(int x0, int y0, int x1, int y1, uint8_t terrain);
    // A rough disc of terrain over land, its edge broken by a fixed pattern.
    void patch(int cx, int cy, int radius, uint8_t terrain, unsigned seed);

    // Territory and building owners: owner(x, y) gives the country 0..7 or -1 for nobody.
    void setOwners(const std::function<int(int, int)>& owner);
    void country(int c, const char* name, uint8_t controller, uint32_t funds);
    // The country's result when the turn limit passes: 1 a victory, 2 a defeat.
    void atTurnLimit(int c, uint8_t outcome);
    void title(const char* name, const char* description, int difficulty, int turns);
    int unit(int side, uint16_t type, int x, int y, const char* name);
    void place(int x, int y, const char* name, bool target);
    // The country wins by its target places: 1 holding them all (with allies), 2 taking any of them.
    void winByPlaces(int c, uint8_t kind);
    void normalRules();
    void simpleRules();
    // The scenario texts: news paper, headline, news, mission title and text, goals, camps, closing news.
    void briefing(const std::vector<const char*>& texts);

    ScenarioFile& file() { return m_file; }
    // The file with each road hex's road bits pointing at the roads, bridges and buildings beside it.
    std::vector<uint8_t> bytes() const;

private:
    ScenarioFile m_file;
};

bool isWater(uint8_t terrain);
bool isBuilding(uint8_t terrain);
// The text as CP932 into a fixed field, cut to leave its terminator.
void putText(uint8_t* field, size_t size, const char* utf8);

} // namespace mkdata::maps

namespace mkdata::maps {

// The sample maps; each writes itself below tkmap.
MapBuilder trainingMap(bool simple);
MapBuilder riversideScenario();
MapBuilder continentMap();

} // namespace mkdata::maps
