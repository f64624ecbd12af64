// MapOrders: the person's road of one order, from the click on a unit to the rules' execution.
#include "app/map_window_orders.h"

#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/popup_entries.h"
#include "platform/kernel/host.h"
#include "rules/alliances.h"
#include "rules/combat_pair.h"
#include "rules/combat_values.h"
#include "rules/command_scans_rules.h"
#include "rules/commands.h"
#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/execute_command.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/move_display_path.h"
#include "rules/production_types.h"
#include "rules/route.h"
#include "rules/rules_context.h"
#include "rules/scans_attack.h"
#include "rules/scans_own_range.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "rules/weapon_exchange.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kProductionPhase = 6;
constexpr uint16_t kTargetMarks = kMarkCommandTarget;
constexpr uint16_t kRouteMarks = kMarkPath | kMarkPathEnd;

constexpr uint32_t bit(int code) { return uint32_t(1) << code; }

// Carried out on the spot once chosen: no target to click (the armament exchange asks its window).
bool actsWithoutTarget(int code)
{
    switch (code) {
    case kCommandOccupy: case kCommandTransform: case kCommandJamming: case kCommandStore: case kCommandBoard:
    case kCommandArmamentExchange: case kCommandPillbox: case kCommandRoad: case kCommandSupply: case kCommandDisband:
    case kCommandEndAction:
        return true;
    default:
        return false;
    }
}

// The move order's click goes to the marked range, not to a target list.
bool needsTargetClick(int code) { return !actsWithoutTarget(code) && code != kCommandMoveOrder; }

std::string cp932(const char* utf8) { return platform::utf8ToCp932(utf8); }

HexPos unitPosition(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit ? HexPos { unit->x, unit->y } : kNoHex;
}

int buildingOwnerAt(const GameState& state, HexPos hex)
{
    const BuildingRecord* building = state.buildingOnHex(hex.x, hex.y);
    return building ? building->owner() : -1;
}

// The units of the list the viewing country's sight allows, in their order.
std::vector<UnitRef> seenBy(const GameState& state, const std::vector<UnitRef>& units)
{
    std::vector<UnitRef> seen;
    for (const UnitRef& ref : units)
        if (ref.table < kSideCount && ViewerView(state).seesUnit(ref.table, ref.index))
            seen.push_back(ref);
    return seen;
}

} // namespace

MapOrders::MapOrders(GameState& state, OrderUi& ui)
    : m_state(state)
    , m_ui(ui)
{
}

bool MapOrders::personActs() const
{
    const Handshake& handshake = m_state.handshake();
    const TurnBlock& turn = m_state.turnBlock();
    return handshake.playRunning() && handshake.waitingForAnswer() && !handshake.delegation() && turn.phase == kPhaseAction
        && !turn.decided && m_state.isHumanCountry(turn.currentCountry);
}

bool MapOrders::personProduces() const
{
    const Handshake& handshake = m_state.handshake();
    const TurnBlock& turn = m_state.turnBlock();
    return handshake.playRunning() && handshake.waitingForAnswer() && !handshake.delegation()
        && turn.phase == kProductionPhase && !turn.decided && m_state.isHumanCountry(turn.currentCountry);
}

uint32_t MapOrders::supportedCommands()
{
    uint32_t mask = 0;
    for (int code : { kCommandAttack, kCommandFire, kCommandOccupy, kCommandTransform, kCommandDestroy, kCommandJamming,
             kCommandRestore, kCommandReinforce, kCommandMerge, kCommandSplit, kCommandStore, kCommandBoard,
             kCommandBridge, kCommandArmamentExchange, kCommandPillbox, kCommandRoad,
             kCommandSupply, kCommandDisband, kCommandTakeCivilians, kCommandReleaseCivilians, kCommandSelfDestruct,
             kCommandClearLandMines, kCommandSweepSeaMines, kCommandAirborneDrop, kCommandMoveOrder, kCommandEndAction })
        mask |= bit(code);
    return mask;
}

HexPos MapOrders::unitHex() const { return unitPosition(m_state, m_side, m_index); }

void MapOrders::dropStaleSelection()
{
    // Play ended, or another actor took the action over: what was selected is gone.
    const CurrentAction& action = currentAction(m_state);
    if (m_stage == OrderStage::Idle
        || (action.underWay() && action.actingCountry() == m_side && action.actingIndex() == m_index))
        return;
    resetSelection();
}

void MapOrders::resetSelection()
{
    m_stage = OrderStage::Idle;
    m_code = 0;
    m_targets.clear();
    m_side = m_index = -1;
    m_dest = kNoHex;
    m_state.handshake().setUnitCommandBeingSet(false);
}

void MapOrders::click(int x, int y, bool shift)
{
    dropStaleSelection();
    if (!m_state.isOnMap(x, y))
        return;
    m_ui.hexShown(x, y);
    const CurrentAction& setup = currentAction(m_state);
    if (setup.autoMoveSetup() && !setup.autoMoveRouteStage()) {
        addToAutoMoveGroup(x, y);
        return;
    }
    if (setup.autoMoveRouteStage()) {
        if (m_stage == OrderStage::Selected)
            chooseAutoMoveTarget(x, y);
        return;
    }
    if (m_stage == OrderStage::Idle && personProduces() && produceAt(x, y))
        return;
    if (m_stage == OrderStage::Targeting) {
        if (m_code == kCommandMoveOrder) {
            if (isInMoveRange(m_state, x, y)) {
                m_dest = { x, y };
                execute(kCommandNone, Target { m_dest, 0, -1 });
                return;
            }
        } else {
            for (const Target& target : m_targets)
                if (target.hex == HexPos { x, y }) {
                    Target order = target;
                    if (confirmOrder(m_code, order) && settleOrder(m_code, order))
                        execute(m_code, order);
                    else
                        cancel();
                    return;
                }
        }
        cancel();
        return;
    }
    if (m_stage == OrderStage::Selected) {
        if (!personActs()) {
            cancel();
        } else if (HexPos { x, y } == unitHex() && currentAction(m_state).wayPoints().empty()) {
            chooseDestination(x, y);
            return;
        } else if (isInMoveRange(m_state, x, y)) {
            if (shift || currentAction(m_state).autoMoveSetup()) {
                addWayPoint(x, y);
            } else if (moving() && HexPos { x, y } == m_dest) {
                // A second click on the chosen destination is the plain move there.
                const Target target { m_dest, 0, -1 };
                if (confirmOrder(kCommandNone, target))
                    execute(kCommandNone, target);
            } else {
                chooseDestination(x, y);
            }
            return;
        } else {
            // Elsewhere the unit is let go and the click picks anew.
            cancel();
        }
    }
    select(x, y);
}

std::vector<UnitRef> MapOrders::visibleUnitsAt(int x, int y) const
{
    // The unit the map draws on the hex comes first: the first slot's (the highest layer).
    std::vector<UnitRef> units;
    m_state.collectUnitsInHex(x, y, units);
    return seenBy(m_state, units);
}

std::vector<UnitRef> MapOrders::visibleStoredUnitsAt(int x, int y) const
{
    std::vector<UnitRef> units;
    m_state.collectBuildingUnitsAt(x, y, units);
    return seenBy(m_state, units);
}

void MapOrders::select(int x, int y)
{
    const std::vector<UnitRef> standing = visibleUnitsAt(x, y);
    const std::vector<UnitRef> stored = visibleStoredUnitsAt(x, y);
    if (standing.empty() && stored.empty()) {
        m_ui.unitSelected(-1, -1, 0);
        return;
    }
    // A building's units are drawn nowhere and a stack shows only its top unit: when the hex holds
    // units the building keeps, or more than one of the person's, the person picks from all of
    // them, those standing on it above those the building holds.
    const auto persons = std::count_if(standing.begin(), standing.end(),
        [this](const UnitRef& ref) { return m_state.isHumanCountry(ref.table); });
    if ((stored.empty() && persons < 2) || standing.size() + stored.size() == 1) {
        const UnitRef& only = standing.empty() ? stored.front() : standing.front();
        pickUnit(only.table, only.index);
        return;
    }
    auto entries = [](const std::vector<UnitRef>& units) {
        std::vector<uint32_t> list;
        for (const UnitRef& ref : units)
            list.push_back(popup_entry::make(ref.table, ref.index));
        return list;
    };
    const uint32_t chosen = m_ui.choose(HookedPopupDialog::kMoveTarget, entries(standing), entries(stored));
    if (chosen == popup_entry::kNone || !popup_entry::isUnit(chosen)) {
        m_ui.unitSelected(-1, -1, 0);
        return;
    }
    pickUnit(int(popup_entry::kindOf(chosen)), int(popup_entry::valueOf(chosen)));
}

void MapOrders::pickUnit(int side, int index)
{
    if (!selectUnit(side, index))
        m_ui.unitSelected(side, index, 0);
}

bool MapOrders::selectUnit(int side, int index)
{
    dropStaleSelection();
    if (m_stage == OrderStage::Targeting)
        cancel();
    if (m_stage == OrderStage::Selected)
        cancel();
    const UnitRecord* unit = m_state.unitOf(side, index);
    if (!personActs() || side != m_state.turnBlock().currentCountry || !unit || !unitInPlay(*unit)
        || unit->hasFlag(kUnitActed | kUnitAwaitingProduction))
        return false;
    CurrentAction& action = currentAction(m_state);
    if (action.underWay())
        return false;
    m_side = side;
    m_index = index;
    m_code = 0;
    m_targets.clear();
    action.beginUnitAction(side, index, false);
    m_state.handshake().setUnitCommandBeingSet(true);
    m_stage = OrderStage::Selected;
    m_dest = unitHex();
    m_ui.marksChanged();
    showCommands();
    return true;
}

void MapOrders::showCommands()
{
    const HexPos own = unitHex();
    const CurrentAction& action = currentAction(m_state);
    CommandAsk ask { m_side, m_index, m_dest.x, m_dest.y, m_dest != own, 0 };
    if (action.range())
        ask.rangePoints = std::max(action.firstAllowance(), action.secondAllowance());
    uint32_t mask = (availableCommandMask(m_state, ask) | bit(kCommandEndAction)) & supportedCommands();
    // The rules may offer a command for a reason this window cannot aim at (ground hexes of an
    // indirect attack): a button that would mark nothing is not shown.
    std::vector<Target> targets;
    for (int code = 0; code < 32; ++code)
        if ((mask & bit(code)) && needsTargetClick(code) && (!collectTargets(code, targets) || targets.empty()))
            mask &= ~bit(code);
    m_ui.unitSelected(m_side, m_index, mask);
}

void MapOrders::chooseDestination(int x, int y)
{
    const CurrentAction& action = currentAction(m_state);
    clearHexMarkAll(m_state, kRouteMarks);
    for (const HexPos& hex : action.path())
        setHexMark(m_state, hex.x, hex.y, kMarkPath);
    m_dest = { x, y };
    showMovePath(m_state, x, y, RouteEnd::Traced);
    m_ui.marksChanged();
    showCommands();
}

void MapOrders::addWayPoint(int x, int y)
{
    CurrentAction& action = currentAction(m_state);
    // A unit stores eight way-points and its goal; the auto move can follow no more.
    if (action.autoMoveSetup() && action.wayPoints().size() >= size_t(CurrentAction::kMaxAutoMoveWayPoints)) {
        m_ui.notice(cp932("オート移動では移動経由地点は８地点までしか設定できません。"), cp932("注意"));
        return;
    }
    if (!action.addWayPoint(x, y))
        return;
    for (const HexPos& hex : action.path())
        setHexMark(m_state, hex.x, hex.y, kMarkPath);
    setHexMark(m_state, x, y, kMarkPathEnd);
    m_dest = { x, y };
    m_ui.marksChanged();
    showCommands();
}

void MapOrders::removeLastWayPoint()
{
    dropStaleSelection();
    if (m_stage != OrderStage::Selected || currentAction(m_state).wayPoints().empty())
        return;
    clearHexMarkAll(m_state, kRouteMarks);
    m_dest = currentAction(m_state).removeLastWayPoint();
    m_ui.marksChanged();
    showCommands();
}

void MapOrders::commandChosen(int code)
{
    dropStaleSelection();
    // The auto-move set-up gives no orders of its own: its window ends it.
    if (currentAction(m_state).autoMoveSetup())
        return;
    if (m_stage == OrderStage::Targeting)
        markTargets(false), m_stage = OrderStage::Selected;
    if (m_stage != OrderStage::Selected || !personActs() || !(supportedCommands() & bit(code)))
        return;
    m_code = code;
    if (code == kCommandMoveOrder) {
        if (moving()) {
            execute(kCommandNone, Target { m_dest, 0, -1 });
            return;
        }
        // The range is marked already: the click on one of its hexes moves the unit.
        m_stage = OrderStage::Targeting;
        return;
    }
    if (code == kCommandArmamentExchange) {
        exchangeArmament();
        return;
    }
    if (actsWithoutTarget(code)) {
        Target target { m_dest, 0, -1 };
        if (code == kCommandBoard) {
            std::vector<uint32_t> carriers;
            if (collectReachableCarriers(m_state, carriers, m_side, m_index, m_dest.x, m_dest.y) == 0) {
                cancel();
                return;
            }
            // Carrier entries pack the side low and the index high, as the popup's entries do.
            uint32_t carrier = carriers.front();
            if (carriers.size() > 1) {
                carrier = m_ui.choose(HookedPopupDialog::kBoard, { popup_entry::prompt(0) }, carriers);
                if (carrier == popup_entry::kNone) {
                    cancel();
                    return;
                }
            }
            target.target = int(popup_entry::kindOf(carrier));
            target.extra = int(popup_entry::valueOf(carrier));
        }
        if (confirmOrder(code, target))
            execute(code == kCommandEndAction && moving() ? kCommandNone : code, target);
        return;
    }
    if (!collectTargets(code, m_targets) || m_targets.empty()) {
        // Nothing to aim at: the order is refused rather than left waiting for a click that cannot come.
        cancel();
        return;
    }
    markTargets(true);
    m_stage = OrderStage::Targeting;
}

void MapOrders::exchangeArmament()
{
    // The places the rules offer, at the destination first and then around it, in their order.
    std::vector<UnitRef> places;
    collectExchangePlacesAt(m_state, m_side, m_index, m_dest.x, m_dest.y, moving(), places);
    for (int d = 0; d < kHexDirections && places.empty(); ++d) {
        const HexPos n = m_state.hexNeighbour(m_dest.x, m_dest.y, d);
        if (n.valid())
            collectExchangePlacesAt(m_state, m_side, m_index, n.x, n.y, moving(), places);
    }
    if (places.empty()) {
        cancel();
        return;
    }
    // A building sells the armament; a supply unit gives it from its goods.
    const UnitRef& place = places.front();
    const uint32_t source = place.table == kBuildingPlaceSide ? kBoughtArmament : uint32_t(place.table) | uint32_t(place.index) << 16;
    const int set = m_ui.chooseArmamentSet(m_side, m_index);
    // The window may have outlived the person's turn.
    dropStaleSelection();
    if (set < 0 || m_stage != OrderStage::Selected || !personActs())
        return;
    const Target target { m_dest, set, int(source) };
    if (confirmOrder(kCommandArmamentExchange, target))
        execute(kCommandArmamentExchange, target);
}

bool MapOrders::collectTargets(int code, std::vector<Target>& targets)
{
    targets.clear();
    const UnitRecord* unit = m_state.unitOf(m_side, m_index);
    if (!unit)
        return false;
    std::vector<HexPos> hexes;
    std::vector<UnitRef> units;
    const int x = m_dest.x;
    const int y = m_dest.y;
    switch (code) {
    case kCommandAttack: {
        AttackTargetHexScan scan(m_state, m_side, m_index, x, y, moving());
        scan.run();
        for (const UnitRef& ref : scan.targets())
            if (const UnitRecord* target = m_state.unitOf(ref.table, ref.index))
                targets.push_back({ { target->x, target->y }, int(packHex(target->x, target->y)), -1 });
        // With indirect fire on a point (rule 46) free hexes in reach are targets too.
        collectGroundAttackHexes(m_state, m_side, m_index, x, y, moving(), hexes);
        for (const HexPos& hex : hexes)
            if (std::none_of(targets.begin(), targets.end(), [&](const Target& t) { return t.hex == hex; }))
                targets.push_back({ hex, int(packHex(hex.x, hex.y)), -1 });
        return true;
    }
    case kCommandFire: {
        // Launches go from the unit's own hex, with the first launch weapon that reaches anything.
        std::vector<int> slots;
        unit->listUsableWeapons(true, slots, moving() ? 1 : 0);
        for (int slot : slots) {
            const WeaponRecord* weapon = unit->slotWeapon(slot);
            if (!weapon)
                continue;
            ReachHexScan scan(m_state, m_side, weapon->launchedType, unit->x, unit->y, false);
            scan.setMinimumDistance(2);
            scan.rescan();
            for (int i = 0; i < scan.hitCount(); ++i) {
                int hx = 0, hy = 0;
                if (scan.hitAt(i, hx, hy))
                    targets.push_back({ { hx, hy }, int(packHex(hx, hy)), int(weapon->launchedType) });
            }
            if (!targets.empty())
                return true;
        }
        return true;
    }
    case kCommandAirborneDrop:
        collectDropHexes(m_state, m_side, m_index, unit->x, unit->y, hexes);
        break;
    case kCommandMerge:
    case kCommandSplit: {
        const CurrentAction& action = currentAction(m_state);
        const int points = action.range() ? std::max(action.firstAllowance(), action.secondAllowance()) : 0;
        if (code == kCommandSplit) {
            collectSplitHexes(m_state, m_side, m_index, x, y, points, hexes);
            break;
        }
        // The partner's index rides along; the dialog turns it into the machines to pass.
        collectMergePartners(m_state, m_side, m_index, x, y, points, units);
        for (const UnitRef& ref : units)
            if (const UnitRecord* partner = m_state.unitOf(ref.table, ref.index))
                targets.push_back({ { partner->x, partner->y }, int(packHex(partner->x, partner->y)), int(ref.index) });
        return true;
    }
    case kCommandDestroy:
        for (const HexPos& hex : destroyOrderTargets(m_state, { m_side, m_index, x, y, moving() }))
            targets.push_back({ hex, hex.x, hex.y });
        return true;
    case kCommandRestore:
        collectRestoreTargets(m_state, m_side, m_index, x, y, hexes);
        break;
    case kCommandBridge:
        // The bridge runs straight across from the builder's side: no far bank to choose.
        collectBridgeHexes(m_state, m_side, x, y, hexes);
        for (const HexPos& hex : hexes)
            targets.push_back({ hex, int(packHex(hex.x, hex.y)), -1 });
        return true;
    case kCommandReinforce:
        collectReinforceTargets(m_state, m_side, m_index, x, y, hexes);
        break;
    case kCommandReleaseCivilians:
        collectNeutralDropHexes(m_state, m_side, m_index, x, y, hexes);
        break;
    case kCommandClearLandMines:
        collectLandMineHexes(m_state, m_side, x, y, 0, hexes);
        break;
    case kCommandSweepSeaMines:
        collectSeaMineHexes(m_state, m_side, x, y, 0, hexes);
        break;
    case kCommandTakeCivilians:
    case kCommandSelfDestruct:
        if (code == kCommandTakeCivilians)
            collectNeutralPickupTargets(m_state, m_side, m_index, x, y, units);
        else
            collectSelfDestructTargets(m_state, m_side, m_index, x, y, units);
        for (const UnitRef& ref : units)
            if (const UnitRecord* target = m_state.unitOf(ref.table, ref.index))
                hexes.push_back({ target->x, target->y });
        break;
    default:
        return false;
    }
    for (const HexPos& hex : hexes)
        targets.push_back({ hex, code == kCommandAirborneDrop ? 0 : int(packHex(hex.x, hex.y)), -1 });
    return true;
}

void MapOrders::markTargets(bool on)
{
    for (const Target& target : m_targets)
        if (on)
            setHexMark(m_state, target.hex.x, target.hex.y, kTargetMarks);
        else
            clearHexMark(m_state, target.hex.x, target.hex.y, kTargetMarks);
    m_ui.marksChanged();
}

bool MapOrders::confirmOrder(int code, const Target& target)
{
    if (code == kCommandDisband && !m_ui.confirmDisband(m_side, m_index))
        return false;
    // Walking into the land of a pact partner ends the pact.
    std::vector<HexPos> path;
    if (moving() && planRoute(m_state, path, m_dest.x, m_dest.y) && pathEndsPact(m_state, m_side, unitHex(), path)
        && !m_ui.confirm(cp932("不可侵条約を結んでいる国の領土に入ります。\n条約を破棄してよろしいですか？")))
        return false;
    int other = -1;
    if (code == kCommandOccupy)
        other = buildingOwnerAt(m_state, m_dest);
    else if (code == kCommandDestroy)
        other = buildingOwnerAt(m_state, target.hex);
    else if (code == kCommandSelfDestruct) {
        std::vector<UnitRef> units;
        m_state.collectUnitsInHex(target.hex.x, target.hex.y, units);
        for (const UnitRef& ref : units)
            if (ref.country != m_side && m_state.isAllied(m_side, ref.country))
                other = ref.country;
    }
    if (other >= 0 && other != m_side && m_state.isAllied(m_side, other)
        && !m_ui.confirm(cp932("同盟国への攻撃になります。\n同盟を破棄してよろしいですか？")))
        return false;
    if (code == kCommandFire) {
        const UnitRecord* unit = m_state.unitOf(m_side, m_index);
        for (int slot = 0; unit && slot < kWeaponSlotCount; ++slot) {
            const WeaponRecord* weapon = unit->slotWeapon(slot);
            if (!weapon || weapon->launchedType != target.extra)
                continue;
            const int turns = slotWeaponWaitTurns(m_state, unit->type(), slot);
            if (turns <= 0)
                break;
            char text[160];
            std::snprintf(text, sizeof text, "%s%d%s", cp932("この兵器は発射後").c_str(), turns,
                cp932("ターンの間使用できません。\n発射してよろしいですか？").c_str());
            return m_ui.confirm(text);
        }
    }
    return true;
}

bool MapOrders::chooseAttackWeapon(const Target& target)
{
    std::vector<HexPos> path;
    if (moving() && !planRoute(m_state, path, m_dest.x, m_dest.y))
        return false;
    prepareAttack(m_state, m_side, m_index, m_dest, target.hex, !path.empty(), target.extra);
    // The person decides on a copy; the engagement takes it only when confirmed.
    CombatPair pair = currentCombat(m_state);
    const bool chosen = m_ui.chooseWeapon(pair);
    dropStaleSelection();
    if (!chosen || m_stage != OrderStage::Targeting || !personActs())
        return false;
    pair.computeValues(m_state);
    currentCombat(m_state) = pair;
    return true;
}

bool MapOrders::settleOrder(int code, Target& target)
{
    if (code == kCommandAttack)
        return chooseAttackWeapon(target);
    if (code != kCommandMerge && code != kCommandSplit)
        return true;
    const int machines = code == kCommandMerge ? m_ui.chooseMerge(m_side, m_index, target.extra, m_dest)
                                               : m_ui.chooseSplit(m_side, m_index, m_dest, target.hex);
    // The dialog may have outlived the person's turn.
    dropStaleSelection();
    if (machines < 1 || m_stage != OrderStage::Targeting || !personActs())
        return false;
    target.extra = machines;
    return true;
}

bool MapOrders::produceAt(int x, int y)
{
    if (!canOpenProductionAt(m_state, x, y, m_state.turnBlock().currentCountry))
        return false;
    if (m_ui.produceAt(x, y))
        mainWindowLink().refresh(MainRefresh::AfterAction);
    return true;
}

void MapOrders::execute(int code, const Target& target)
{
    markTargets(false);
    CurrentAction& action = currentAction(m_state);
    const HexPos own = unitHex();
    if (code == kCommandEndAction) {
        executeCommand(m_state, {}, own.x, own.y, code, target.target, target.extra);
    } else if (code == kCommandAirborneDrop) {
        // One step out of the aircraft; the range of a unit aboard reaches no further than its own hex.
        std::vector<HexPos> path;
        if (target.hex != own)
            path.push_back(target.hex);
        executeCommand(m_state, path, target.hex.x, target.hex.y, code, 0, -1);
    } else {
        // The route as the person drew it, way-points and the extended band included; the computer
        // player's entry would cut it to the normal allowance.
        std::vector<HexPos> path;
        // An attack's engagement was prepared and its weapon chosen before.
        if (m_dest == own || planRoute(m_state, path, m_dest.x, m_dest.y))
            executeCommand(m_state, path, m_dest.x, m_dest.y, code, target.target, target.extra);
    }
    action.finishAction();
    endSelection();
    mainWindowLink().refresh(MainRefresh::AfterAction);
}

void MapOrders::cancel()
{
    dropStaleSelection();
    if (m_stage == OrderStage::Targeting) {
        markTargets(false);
        m_targets.clear();
        m_stage = OrderStage::Selected;
        m_code = 0;
        return;
    }
    if (m_stage != OrderStage::Selected)
        return;
    CurrentAction& action = currentAction(m_state);
    if (action.underWay() && !action.planned())
        action.finishActionQuiet();
    endSelection();
}

void MapOrders::endSelection()
{
    resetSelection();
    m_ui.marksChanged();
    m_ui.unitSelected(-1, -1, 0);
}
