// startPlay and endPlay: settling who takes part, the per-game fields, the game thread's start and join.
#include "rules/play.h"
#include "rules/shared_codes.h"

#include "lib/thread.h"
#include "rules/fog.h"
#include "rules/home_distance.h"
#include "rules/home_hex.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/rules_context.h"
#include "rules/rules_install.h"
#include "rules/supply_lines.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

bool isPersonTakingPart(GameState& state, int country) { return state.countryTakesPart(country) && state.isHumanCountry(country); }

// A resumed game whose viewing country is now played by the computer shows the next person's view.
void moveViewToAPerson(GameState& state)
{
    int viewer = state.turnBlock().viewingCountry;
    if (state.isHumanCountry(viewer))
        return;
    for (int step = 1; step <= kCountryCount; ++step) {
        int country = ((viewer + step) % kCountryCount + kCountryCount) % kCountryCount;
        if (isPersonTakingPart(state, country)) {
            state.turnBlock().viewingCountry = int8_t(country);
            return;
        }
    }
}

// A new game is seen from its first person's country (without a person, its first country in play)
// from the moment play starts: the campaign's deployment before the first turn shows the map as
// that country sees it, not the whole of it.
void settleFirstViewer(GameState& state)
{
    int first = -1;
    for (int c = 0; c < kCountryCount; ++c) {
        if (!state.countryTakesPart(c))
            continue;
        if (state.isHumanCountry(c)) {
            first = c;
            break;
        }
        if (first < 0)
            first = c;
    }
    state.turnBlock().viewingCountry = int8_t(first >= 0 ? first : kCountryCount);
    rebuildSightMaps(state);
}

unsigned takingPartMask(GameState& state)
{
    unsigned mask = 0;
    for (int c = 0; c < kCountryCount; ++c)
        if (state.countryTakesPart(c))
            mask |= 1u << c;
    return mask;
}

bool sideTakesPart(unsigned mask, int side_plus_one)
{
    int side = side_plus_one - 1;
    return side < 0 || side >= kCountryCount || (mask & (1u << side)) != 0;
}

void dropAbsentUnitsFromHexes(GameState& state, unsigned mask)
{
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            UnitCell* cell = state.unitCellAt(x, y);
            for (int slot = 0; cell && slot < kHexSlots; ++slot)
                if (!sideTakesPart(mask, cell->lowerSide[slot]))
                    cell->lowerSide[slot] = cell->lowerUnit[slot] = 0;
        }
}

void settleBuildings(GameState& state, unsigned mask)
{
    for (BuildingRecord& building : state.buildings()) {
        if (building.ownerPlusOne == 0)
            continue;
        int owner = building.owner();
        bool owner_plays = owner < kCountryCount && (mask & (1u << owner)) != 0;
        for (BuildingSlot& slot : building.slots) {
            if (slot.sidePlusOne == 0)
                continue;
            int side = slot.sidePlusOne - 1;
            bool present = sideTakesPart(mask, slot.sidePlusOne);
            // An absent country's table is cleared already: its slot would name an empty record.
            if (!present) {
                slot = BuildingSlot {};
                continue;
            }
            if (!owner_plays || !state.isAllied(side, owner)) {
                eraseUnitRecord(state, side, slot.unitIndex);
                slot = BuildingSlot {};
            }
        }
        if (!owner_plays) {
            building.ownerPlusOne = 0;
            const TerrainRecord* type = building.terrain();
            if (type && type->kind == kTerrainCapital && state.terrainRoles().largeCity >= 0)
                building.type = uint8_t(state.terrainRoles().largeCity);
        }
    }
}

void dropAbsentHexOwners(GameState& state, unsigned mask)
{
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            TerrainCell* cell = state.terrainCellAt(x, y);
            if (cell && cell->owner != 0 && !sideTakesPart(mask, cell->owner))
                cell->clearOwnership();
        }
}

void forEachUnit(GameState& state, int side, auto f)
{
    UnitRecord* table = state.unitTable(side);
    for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
        f(table[i]);
}

// Watch bits only count for the victory conditions that use them.
void settleVictoryConditions(GameState& state, unsigned mask)
{
    bool kind_use = false;
    bool forces_use = false;
    bool flag_use = false;
    unsigned transport_mask = 0;
    for (int c = 0; c < kCountryCount; ++c) {
        if (!(mask & (1u << c)))
            continue;
        const CountryRecord& record = state.country(c);
        kind_use |= record.victoryKind != 0;
        forces_use |= record.forcesCondition != 0;
        if (record.transportPercent != 0) {
            transport_mask |= 1u << c;
            flag_use |= (record.victoryFlags & 1) != 0;
        }
    }
    if (!kind_use && state.placeTable()) {
        int used = state.usedRecordCount();
        for (int i = 0; i < used; ++i)
            state.placeTable()[i].target = 0;
    }
    if (!forces_use)
        for (int c = 0; c < kCountryCount; ++c) {
            if (!(mask & (1u << c)))
                continue;
            uint8_t clear = kWatchCounted | ((transport_mask & (1u << c)) ? 0 : kWatchTransported);
            forEachUnit(state, c, [clear](UnitRecord& unit) { unit.watchBits = uint8_t(unit.watchBits & ~clear); });
        }
    if (!flag_use)
        forEachUnit(state, kCountryCount, [](UnitRecord& unit) { unit.watchBits = uint8_t(unit.watchBits & ~kWatchTransported); });
}

void settleNewGame(GameState& state)
{
    unsigned mask = takingPartMask(state);
    for (int c = 0; c < kCountryCount; ++c) {
        if (mask & (1u << c)) {
            refreshCapitalHex(state, c);
            continue;
        }
        if (UnitRecord* table = state.unitTable(c))
            std::fill_n(table, kUnitTableSize, UnitRecord {});
        state.setUnitCount(c, 0);
    }
    dropAbsentUnitsFromHexes(state, mask);
    settleBuildings(state, mask);
    dropAbsentHexOwners(state, mask);
    settleVictoryConditions(state, mask);
    state.tallyWatchedUnits();
    state.markCountryFeatures();
}

} // namespace

void startPlay(GameState& state)
{
    Handshake& handshake = state.handshake();
    handshake.setDeploymentWaiting(false);
    installRules(state);
    state.resetPlayFields();

    if (state.turnBlock().turn != 0) {
        moveViewToAPerson(state);
        updateSupplyLines(state);
    } else {
        settleNewGame(state);
        settleFirstViewer(state);
    }

    dropStaleDistanceGrids(state);
    mainWindowLink().restartUnitLists();

    currentAction(state).resetForPlay();
    handshake.setDelegation(false);
    handshake.setUnitCommandBeingSet(false);

    // The game thread going on to a campaign's next stage keeps a stop that the windows asked for
    // meanwhile.
    if (handshake.onPlayThread()) {
        handshake.continuePlay();
        return;
    }
    // Waits are accepted again and play is marked running before the thread can first ask.
    handshake.reopenWaits();
    handshake.beginPlayRun();
    handshake.setPlayRunning(true);
    if (handshake.playThread())
        return;
    if (PlayThreadFactory* factory = playThreadFactory())
        handshake.startPlayThread(factory->createPlayThread(state));
}

void endPlay(GameState& state)
{
    Handshake& handshake = state.handshake();
    // Every wait is answered before the join, so the thread reaches its next stop-flag test.
    handshake.requestStopPlay();
    // On the game thread itself there is nothing to join; the interface thread's endPlay does it.
    handshake.joinPlayThread();
    if (handshake.playThread())
        return;
    currentAction(state).resetForPlay();
    state.clearPlayTables();
}
