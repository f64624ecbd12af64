// Thousands of random orders on a shipped map, with the world checked for consistency after each.
#include "rules/command_dispatch.h"
#include "rules/commands.h"
#include "rules/commands_range.h"
#include "rules/fog.h"
#include "rules/fuel_step.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/move_checks.h"
#include "rules/move_display_path.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "state/unit_facts.h"
#include "tests/rules/world_invariants.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>

using testing_rules::worldInvariantFaults;

namespace {

// A shipped map with two countries played by persons and everything shown to nobody.
class SoakGame {
public:
    explicit SoakGame(const char* map_name)
        : m_world(4, 4)
    {
        std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / map_name, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        loaded = state().loadMapImage(bytes.data(), bytes.size());
        setRulesLinks({ &main, &map, &dialogs, &battle });
        previousHooks = stateRulesHooks();
        installLandingHooks();
        setActionRangeSource(&source);
        state().turnBlock().viewingCountry = 8;
        state().refillUnitsToFull();
        // Zones of control and interception on, whatever the map chose.
        state().ruleBlock().switches[1] = 1;
        state().ruleBlock().switches[31] = 1;
        // The shipped weapons leave the distance bits unset; here every weapon fires near and far.
        for (const WeaponRecord& weapon : state().weapons())
            const_cast<WeaponRecord&>(weapon).flags |= 3;
        // Every berth takes any unit whole, so that carriers fill up.
        for (const UnitTypeRecord& type : state().unitTypes())
            for (int b = 0; b < kBerthCount; ++b)
                if (type.berthMask[b]) {
                    const_cast<UnitTypeRecord&>(type).berthMask[b] = 0xFF;
                    const_cast<UnitTypeRecord&>(type).berthCount[b] = 10;
                }
        state().recreateSightMaps();
        rebuildSightMaps(state());
        for (int c = 0; c < kCountryCount; ++c)
            if (state().unitCount(c) > 0 && state().liveUnitCount(c) > 0 && sides.size() < 2)
                sides.push_back(c);
        for (int c : sides) {
            state().country(c).controller = 1;
            loadCarriers(c);
        }
    }

    // Every unit that fits goes aboard the first carrier of its side with room, so that carriers
    // move with cargo and cargo leaves and boards again.
    void loadCarriers(int side)
    {
        GameState& s = state();
        for (uint32_t c = 0; c < s.unitCount(side); ++c) {
            UnitRecord& carrier = *s.unitOf(side, int(c));
            if (!unitInPlay(carrier) || !carrier.isOnOwnHex() || carryBerthCount(carrier.type()) == 0)
                continue;
            for (uint32_t i = 0; i < s.unitCount(side); ++i) {
                UnitRecord& cargo = *s.unitOf(side, int(i));
                if (i == c || !unitInPlay(cargo) || !cargo.isOnOwnHex() || carryBerthCount(cargo.type()) > 0
                    || !takeAboard(s, carrier, side, side, int(i)))
                    continue;
                const int slot = s.unitSlotFor(cargo.type().domain);
                s.setUnitRefInHex(cargo.x, cargo.y, slot, 0, 0);
                cargo.boardCarrier(side, int(c));
                cargo.x = carrier.x;
                cargo.y = carrier.y;
            }
        }
    }
    ~SoakGame()
    {
        setActionRangeSource(nullptr);
        setStateRulesHooks(previousHooks);
        setRulesLinks({});
    }

    GameState& state() { return m_world.state(); }

    bool loaded = false;
    std::vector<int> sides;
    HeadlessMainWindow main;
    HeadlessMapWindow map;
    HeadlessDialogs dialogs;
    HeadlessBattle battle;
    CommandRangeSource source;
    StateRulesHooks* previousHooks = nullptr;

private:
    testing_state::SmallWorld m_world;
};

struct OrderAsk {
    int side = 0;
    int index = 0;
    HexPos dest;
};

// How the soak picks the values of an order at its destination; false when it finds no target.
using TargetChooser = std::function<bool(GameState&, const OrderAsk&, std::mt19937&, int& target, int& extra)>;

struct SoakOrder {
    int code;
    TargetChooser choose;
};

bool noTarget(GameState&, const OrderAsk&, std::mt19937&, int& target, int& extra)
{
    target = 0;
    extra = -1;
    return true;
}

// An enemy beside the destination that the unit may attack from there.
bool enemyBeside(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    const UnitRecord& unit = *state.unitOf(ask.side, ask.index);
    const bool moving = ask.dest != HexPos { unit.x, unit.y };
    std::vector<HexPos> targets;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(ask.dest.x, ask.dest.y, d);
        std::vector<UnitRef> units;
        if (n.valid() && state.collectUnitsInHex(n.x, n.y, units))
            for (const UnitRef& ref : units)
                if (ref.table < kCountryCount && canAttackUnitFrom(state, ask.side, ask.index, ask.dest, ref.table, ref.index, moving))
                    targets.push_back(n);
    }
    if (targets.empty())
        return false;
    const HexPos t = targets[random() % targets.size()];
    target = int(packHex(t.x, t.y));
    extra = -1;
    return true;
}

// A carrier the unit may board at the destination: its side in target, its index in extra.
bool carrierThere(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<uint32_t> carriers;
    if (collectReachableCarriers(state, carriers, ask.side, ask.index, ask.dest.x, ask.dest.y) == 0)
        return false;
    const uint32_t pick = carriers[random() % carriers.size()];
    target = int(pick & 0xFFFF);
    extra = int(pick >> 16);
    return true;
}

bool buildingThere(GameState& state, const OrderAsk& ask, std::mt19937&, int& target, int& extra)
{
    target = int(packHex(ask.dest.x, ask.dest.y));
    extra = -1;
    return canStoreInBuilding(state, ask.side, ask.index, ask.dest.x, ask.dest.y);
}

bool buildingToOccupy(GameState& state, const OrderAsk& ask, std::mt19937&, int& target, int& extra)
{
    target = 0;
    extra = -1;
    return canOccupyAt(state, ask.side, ask.index, ask.dest.x, ask.dest.y);
}

// A building, structure or road the unit may demolish from the destination.
bool hexToDestroy(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    if (collectDestroyTargets(state, ask.side, ask.index, ask.dest.x, ask.dest.y, hexes) == 0 || hexes.empty())
        return false;
    const HexPos t = hexes[random() % hexes.size()];
    target = int(packHex(t.x, t.y));
    extra = -1;
    return true;
}

bool otherFormExists(GameState& state, const OrderAsk& ask, std::mt19937&, int& target, int& extra)
{
    target = 0;
    extra = -1;
    return state.unitOf(ask.side, ask.index)->type().baseType != 0;
}

// Rare, so that the sides keep units for the whole soak.
bool disbandRarely(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    target = 0;
    extra = -1;
    return random() % 50 == 0 && ask.side >= 0 && state.unitOf(ask.side, ask.index);
}

// Resupply, or the service of a supply unit beside the hex.
bool supplyMode(GameState&, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    target = int(random() % 2);
    extra = int(packHex(ask.dest.x, ask.dest.y));
    return true;
}

// A model 0..3 from a building or a supply unit the unit may draw from at the destination.
bool exchangePlace(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    const UnitRecord& unit = *state.unitOf(ask.side, ask.index);
    std::vector<UnitRef> places;
    collectExchangePlacesAt(state, ask.side, ask.index, ask.dest.x, ask.dest.y, ask.dest != HexPos { unit.x, unit.y }, places);
    // A building on the way's end sells armament too.
    if (state.unitCellAt(ask.dest.x, ask.dest.y)->building)
        places.push_back(UnitRef { kBuildingPlaceSide, 0, kBuildingPlaceSide });
    if (places.empty())
        return false;
    const UnitRef place = places[random() % places.size()];
    target = int(random() % kModelCount);
    extra = int(uint32_t(place.table) | uint32_t(place.index) << 16);
    return true;
}

bool civilianBeside(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<UnitRef> civilians;
    if (collectNeutralPickupTargets(state, ask.side, ask.index, ask.dest.x, ask.dest.y, civilians) == 0)
        return false;
    const UnitRecord& civilian = *state.unitOf(8, civilians[random() % civilians.size()].index);
    target = int(packHex(civilian.x, civilian.y));
    extra = -1;
    return true;
}

bool pickHex(const std::vector<HexPos>& hexes, std::mt19937& random, int& target, int& extra)
{
    if (hexes.empty())
        return false;
    const HexPos h = hexes[random() % hexes.size()];
    target = int(packHex(h.x, h.y));
    extra = -1;
    return true;
}

bool civilianDropHex(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    collectNeutralDropHexes(state, ask.side, ask.index, ask.dest.x, ask.dest.y, hexes);
    return pickHex(hexes, random, target, extra);
}

bool landMineBeside(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    collectLandMineHexes(state, ask.side, ask.dest.x, ask.dest.y, 0, hexes);
    return pickHex(hexes, random, target, extra);
}

bool seaMineBeside(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    collectSeaMineHexes(state, ask.side, ask.dest.x, ask.dest.y, 0, hexes);
    return pickHex(hexes, random, target, extra);
}

// A hex for the unit's launch weapon at an enemy unit in its reach; extra names the missile type.
bool launchTarget(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    const UnitRecord& unit = *state.unitOf(ask.side, ask.index);
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (!weapon || weapon->launchedType == 0 || unit.ammunition[slot] == 0)
            continue;
        std::vector<HexPos> hexes;
        for (int c = 0; c < kCountryCount; ++c)
            for (uint32_t i = 0; c != ask.side && i < state.unitCount(c); ++i)
                if (const UnitRecord& enemy = *state.unitOf(c, int(i)); unitInPlay(enemy)
                    && hexDistance(ask.dest, HexPos { enemy.x, enemy.y }) <= weapon->reach)
                    hexes.push_back({ enemy.x, enemy.y });
        if (pickHex(hexes, random, target, extra)) {
            extra = weapon->launchedType;
            return true;
        }
    }
    return false;
}

bool hasJammer(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    return state.unitOf(ask.side, ask.index)->findEcmWeapon() >= 0 && noTarget(state, ask, random, target, extra);
}

bool buildingToRestore(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    collectRestoreTargets(state, ask.side, ask.index, ask.dest.x, ask.dest.y, hexes);
    return pickHex(hexes, random, target, extra);
}

bool buildingToReinforce(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    collectReinforceTargets(state, ask.side, ask.index, ask.dest.x, ask.dest.y, hexes);
    return pickHex(hexes, random, target, extra);
}

// A partner beside the destination and a total of counters above what it holds.
bool mergePartner(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<UnitRef> partners;
    const int points = currentAction(state).firstAllowance();
    if (collectMergePartners(state, ask.side, ask.index, ask.dest.x, ask.dest.y, points, partners) == 0 || partners.empty())
        return false;
    const UnitRef pick = partners[random() % partners.size()];
    const UnitRecord& partner = *state.unitOf(pick.table, pick.index);
    const int giver = strengthSlotCount(*state.unitOf(ask.side, ask.index));
    target = int(packHex(partner.x, partner.y));
    extra = strengthSlotCount(partner) + 1 + int(random() % uint32_t(std::max(giver, 1)));
    return true;
}

bool splitHex(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<HexPos> hexes;
    const int points = currentAction(state).firstAllowance();
    collectSplitHexes(state, ask.side, ask.index, ask.dest.x, ask.dest.y, points, hexes);
    const int counters = strengthSlotCount(*state.unitOf(ask.side, ask.index));
    if (counters < 2 || !pickHex(hexes, random, target, extra))
        return false;
    extra = 1 + int(random() % uint32_t(counters - 1));
    return true;
}

// Aboard an aircraft that may drop it, and the destination is one of its drop hexes.
bool dropHere(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    const UnitRecord& unit = *state.unitOf(ask.side, ask.index);
    std::vector<HexPos> hexes;
    if (!isAirborneInCarrier(state, ask.side, ask.index) || collectDropHexes(state, ask.side, ask.index, unit.x, unit.y, hexes) == 0)
        return false;
    return std::find(hexes.begin(), hexes.end(), ask.dest) != hexes.end() && noTarget(state, ask, random, target, extra);
}

// A river hex beside the destination and a bank hex beyond it.
bool bridgeSite(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    for (int turn = 0; turn < kHexDirections; ++turn) {
        const int d = int(random() % kHexDirections);
        const HexPos site = state.hexNeighbour(ask.dest.x, ask.dest.y, d);
        if (!site.valid() || !canBuildBridgeAt(state, site.x, site.y))
            continue;
        const HexPos bank = state.hexNeighbour(site.x, site.y, d);
        target = int(packHex(site.x, site.y));
        extra = bank.valid() ? int(packHex(bank.x, bank.y)) : target;
        return true;
    }
    return false;
}

bool pillboxHere(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    return canBuildPillboxAt(state, ask.dest.x, ask.dest.y) && noTarget(state, ask, random, target, extra);
}

bool selfDestructTarget(GameState& state, const OrderAsk& ask, std::mt19937& random, int& target, int& extra)
{
    std::vector<UnitRef> units;
    if (collectSelfDestructTargets(state, ask.side, ask.index, ask.dest.x, ask.dest.y, units) == 0 || units.empty())
        return false;
    const UnitRef pick = units[random() % units.size()];
    const UnitRecord& victim = *state.unitOf(pick.table, pick.index);
    target = int(packHex(victim.x, victim.y));
    extra = -1;
    return true;
}

// Executor developers add their codes here with a chooser of their targets.
std::vector<SoakOrder> soakOrders()
{
    return {
        { kCommandNone, noTarget },
        { kCommandEndAction, noTarget },
        { kCommandMoveOrder, noTarget },
        { kCommandAttack, enemyBeside },
        { kCommandRoad, noTarget },
        { kCommandStore, buildingThere },
        { kCommandBoard, carrierThere },
        { kCommandOccupy, buildingToOccupy },
        { kCommandDestroy, hexToDestroy },
        { kCommandTransform, otherFormExists },
        { kCommandDisband, disbandRarely },
        { kCommandSupply, supplyMode },
        { kCommandArmamentExchange, exchangePlace },
        { kCommandTakeCivilians, civilianBeside },
        { kCommandReleaseCivilians, civilianDropHex },
        { kCommandClearLandMines, landMineBeside },
        { kCommandSweepSeaMines, seaMineBeside },
        { kCommandFire, launchTarget },
        { kCommandJamming, hasJammer },
        { kCommandRestore, buildingToRestore },
        { kCommandReinforce, buildingToReinforce },
        { kCommandMerge, mergePartner },
        { kCommandSplit, splitHex },
        { kCommandAirborneDrop, dropHere },
        { kCommandBridge, bridgeSite },
        { kCommandPillbox, pillboxHere },
        { kCommandSelfDestruct, selfDestructTarget },
    };
}

// A random unit of the side that can still be ordered; -1 when none.
int pickUnit(GameState& state, int side, std::mt19937& random)
{
    std::vector<int> units;
    for (uint32_t i = 0; i < state.unitCount(side); ++i) {
        const UnitRecord& u = *state.unitOf(side, int(i));
        if (unitInPlay(u) && !u.hasFlag(kUnitAwaitingProduction | kUnitOffMap))
            units.push_back(int(i));
    }
    return units.empty() ? -1 : units[random() % units.size()];
}

// A hex of the action's range, the unit's own hex included: at random, or half the time the one
// nearest to a unit of the enemy side, so that the two sides meet.
HexPos pickDestination(GameState& state, int enemy, std::mt19937& random)
{
    const CurrentAction& action = currentAction(state);
    std::vector<HexPos> hexes;
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (const int cost = action.range()->costAt(x, y, -1); cost >= 0 && cost <= action.firstAllowance())
                hexes.push_back({ x, y });
    if (hexes.empty())
        return kNoHex;
    if (random() % 4 == 0) {
        // Hexes with a building or another unit: where storing and boarding can happen.
        std::vector<HexPos> places;
        for (const HexPos& hex : hexes)
            if (std::vector<UnitRef> units; state.unitCellAt(hex.x, hex.y)->building || state.collectUnitsInHex(hex.x, hex.y, units))
                places.push_back(hex);
        if (!places.empty())
            return places[random() % places.size()];
    }
    const int goal = pickUnit(state, enemy, random);
    if (random() % 2 || goal < 0)
        return hexes[random() % hexes.size()];
    const HexPos at { state.unitOf(enemy, goal)->x, state.unitOf(enemy, goal)->y };
    return *std::min_element(hexes.begin(), hexes.end(),
        [&](HexPos a, HexPos b) { return hexDistance(a, at) < hexDistance(b, at); });
}

// Copies of the side's land units as civilians on free land hexes beside them, half of them to be
// carried to a hex nearby.
void seedCivilians(GameState& state, int side, std::mt19937& random)
{
    constexpr int kLandDomain = 3;
    const int slot = state.unitSlotFor(kLandDomain);
    uint32_t count = state.unitCount(8);
    for (uint32_t i = 0; i < state.unitCount(side) && count < 40; ++i) {
        const UnitRecord& model = *state.unitOf(side, int(i));
        if (!unitInPlay(model) || !model.isOnOwnHex() || model.hasFlag(kUnitCarrying) || model.type().domain != kLandDomain)
            continue;
        const HexPos at = state.hexNeighbour(model.x, model.y, int(random() % kHexDirections));
        std::vector<UnitRef> there;
        if (!at.valid() || state.collectUnitsInHex(at.x, at.y, there) || state.unitCellAt(at.x, at.y)->building
            || !unitHexCheck(state, model, at.x, at.y, side))
            continue;
        state.setUnitCount(8, count + 1);
        UnitRecord& civilian = *state.unitOf(8, int(count));
        civilian = model;
        civilian.flags = 0;
        civilian.watchBits = 0;
        std::fill(std::begin(civilian.carriedUnits), std::end(civilian.carriedUnits), uint16_t(0));
        civilian.x = uint8_t(at.x);
        civilian.y = uint8_t(at.y);
        if (count % 2) {
            civilian.watchBits = 2;
            civilian.goalX = uint8_t(model.x);
            civilian.goalY = uint8_t(model.y);
        }
        state.setUnitRefInHex(at.x, at.y, slot, 9, int(count));
        ++count;
    }
}

} // namespace

TEST(OrderSoak, RandomOrdersKeepUnitsHexesCarriersAndCargoInAgreement)
{
    for (const char* name : { "continent.vtm", "riverside.vts" }) {
        SoakGame game(name);
        ASSERT_TRUE(game.loaded) << name;
        ASSERT_EQ(game.sides.size(), 2u) << name;
        // Bombing on and engineers able to demolish, so that demolition orders are given too.
        game.state().ruleBlock().switches[15] = 1;
        for (const UnitTypeRecord& type : game.state().unitTypes())
            if (type.unitClass == 38)
                const_cast<UnitTypeRecord&>(type).flags |= 0x0100;
        GameState& s = game.state();
        ASSERT_EQ(worldInvariantFaults(s), std::vector<std::string> {}) << name << " as loaded";
        std::mt19937 random(7);
        // Mines on the way, so that walks are hurt and cut short now and then.
        for (int i = 0; i < s.mapWidth() * s.mapHeight() / 20; ++i) {
            // One draw per statement: the order of a call's arguments differs between compilers.
            const int x = int(random() % uint32_t(s.mapWidth()));
            const int y = int(random() % uint32_t(s.mapHeight()));
            TerrainCell& cell = *s.terrainCellAt(x, y);
            cell.mineKind = 1;
            cell.mineCount = 2;
        }
        seedCivilians(s, game.sides[0], random);
        ASSERT_EQ(worldInvariantFaults(s), std::vector<std::string> {}) << name << " with civilians";
        const std::vector<SoakOrder> orders = soakOrders();
        int given = 0, walks = 0, moved = 0, attacks = 0, stored = 0, occupied = 0, demolished = 0;
        std::map<int, int> ordered;
        for (int round = 0; round < 5000; ++round) {
            if (round % 100 == 99)
                for (int side : game.sides)
                    fuelStep(s, side);
            const int side = game.sides[size_t(round % 2)];
            s.turnBlock().currentCountry = uint16_t(side);
            const int index = pickUnit(s, side, random);
            if (index < 0)
                break;
            UnitRecord& unit = *s.unitOf(side, index);
            // Each order is the unit's first of a new turn.
            unit.flags &= uint16_t(~kUnitActed);
            if (random() % 3 == 0)
                unit.fuel = uint16_t(unit.maxFuel());
            CurrentAction& action = currentAction(s);
            action.beginUnitAction(side, index, false);
            const HexPos dest = action.range() ? pickDestination(s, game.sides[size_t(1 - round % 2)], random) : kNoHex;
            if (dest.valid()) {
                const SoakOrder& order = orders[random() % orders.size()];
                int target = 0, extra = -1, code = order.code;
                if (!order.choose(s, { side, index, dest }, random, target, extra))
                    code = kCommandNone;
                ordered[code] += 1;
                const HexPos before { unit.x, unit.y };
                moveAlongPath(s, dest.x, dest.y, code, target, extra);
                given += 1;
                walks += !isInPlaceCommand(code, dest == before);
                moved += unitExists(unit) && HexPos { unit.x, unit.y } != before;
                attacks += code == kCommandAttack;
                stored += code == kCommandStore;
                occupied += code == kCommandOccupy;
                demolished += code == kCommandDestroy;
            }
            action.finishActionQuiet();
            const std::vector<std::string> faults = worldInvariantFaults(s);
            ASSERT_EQ(faults, std::vector<std::string> {}) << name << " after order " << round;
        }
        EXPECT_GT(given, 3000) << name;
        EXPECT_GT(moved, walks / 2) << name;
        EXPECT_GT(attacks, 10) << name << ": the two sides met and fought";
        EXPECT_GE(stored, 3) << name << ": units went into buildings and came out again";
        EXPECT_GT(occupied + demolished, 0) << name << ": buildings were occupied or demolished";
        // The engineering and merge orders come up on these maps too.
        EXPECT_GT(ordered[kCommandMerge] + ordered[kCommandSplit], 0) << name;
        EXPECT_GT(ordered[kCommandRestore] + ordered[kCommandReinforce] + ordered[kCommandPillbox] + ordered[kCommandBridge], 0) << name;
    }
}
