// DialogLink: the game dialogs the rules engine opens: notices, results and the weapon choice.
#pragma once

struct BuildingRecord;
struct SupplyOrder;
struct CombatPair;

// The weapon choice's modes.
enum class WeaponChoiceMode { Interception = 1, AttackAfterMove = 2, ReturnFire = 3 };

// The kinds of a building or structure result window.
enum class BuildingResult { Demolished, Repaired, Reinforced };

// The kinds of the event notice; its window holds the texts in this order.
enum EventNoticeKind : int {
    kFuelOutNotice = 0,
    kReinforcementNotice = 1,
    // A neutral side's civilians reached their goal: the notice names their carrier.
    kCiviliansCarriedNotice = 2,
    kCiviliansDeliveredNotice = 3,
    // The acting neutral unit itself reached its evacuation goal.
    kEvacuationReachedNotice = 4,
    kMisfireNotice = 5,
    kAmbushNotice = 6,
    kInterceptionNotice = 7,
    // A person's watched unit reached its transport goal.
    kTransportReachedNotice = 8,
    kNoRouteNotice = 9,
    kOrderClearedNotice = 10,
    kLandMinesClearedNotice = 11,
    kSeaMinesClearedNotice = 12,
    // A country entered the land of a country it has a pact with (both countries named).
    kPactTerritoryEntryNotice = 13,
    // A country's missile struck the land of a country it has a pact with.
    kPactTerritoryStrikeNotice = 14,
    kLandMineNotice = 15,
    kSeaMineNotice = 16,
};

// Implemented by dialogs/; every call runs its dialog modally, owned by the main window, and
// returns when it closes.
class DialogLink {
public:
    virtual ~DialogLink() = default;

    // a and b are mostly the unit's side and index.
    virtual void showEventNotice(int kind, int a, int b) = 0;
    // Writes the choice into the record's slot of the choosing side; 0 when none was chosen.
    virtual int chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode) = 0;
    // The building's occupation points, from the record before the event to the one after.
    virtual void showOccupationResult(const BuildingRecord& after, const BuildingRecord& before) = 0;
    virtual void showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before) = 0;
    // A pillbox or temporary bridge: the terrain kind and its durability after and before.
    virtual void showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability) = 0;
    // Kinds: 0 capital lost, 1 all units lost, 2 victory, 3 surrender, 5 transport failed.
    virtual void showGameEnd(int country, int kind) = 0;
    virtual void showSupplyOrder(SupplyOrder& order) = 0;
    virtual void showBriefing() = 0;
    virtual void showMapSettings() = 0;
};
