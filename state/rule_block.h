// RuleBlock: the 51 rule switches, and the rule slots filled from the rule files.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kRuleSwitchCount = 51;
constexpr int kRuleSlotCount = 24;

#pragma pack(push, 1)
struct RuleBlock {
    // In a rule slot: the slot's number.
    uint8_t lead;
    // 0 off, 1 on: every switch is a two-way choice.
    uint8_t switches[kRuleSwitchCount];

    // The one test of a switch: any other byte (never written by the rule editors) is off.
    bool on(int s) const { return switches[s] == 1; }
};
#pragma pack(pop)
static_assert(sizeof(RuleBlock) == 52);

// The switches by index, as the rule file lists them.
enum RuleSwitch : int {
    kRuleLowFuelUse = 0,                 // moving burns a quarter of the fuel allowance instead of half
    kRuleZoc = 1,                        // enemy units hold zones of control
    kRuleZocNeedsWeapon = 2,             // only an enemy able to attack the mover holds a zone
    kRuleSearch = 3,                     // fog of war: a side sees only what its units search
    kRuleSightLayers = 4,                // search is kept apart per domain (air, ground, sea)
    kRuleOccupationPoints = 5,           // occupying a building wears down its occupation durability
    kRuleStoring = 6,                    // units are stored inside buildings instead of standing on them
    kRuleSupplyPhase = 7,                // the turn has a supply phase
    kRuleSupplyCosts = 8,                // supplying units costs military funds
    kRuleMarketRate = 9,                 // income follows a market rate
    kRuleConcealment = 10,               // unit types that conceal stay hidden until close
    kRuleFatigue = 11,                   // units tire and fight worse when tired
    kRuleExperience = 12,                // units gain experience and fight better with it
    kRuleProductionAnyDistance = 13,     // production buildings need not lie within 8 hexes of a capital
    kRuleAdjacentProduction = 14,        // units may be produced on hexes next to a capital
    kRuleBombing = 15,                   // buildings and structures may be destroyed
    kRuleMissilePhase = 16,              // missiles fly in a phase of their own instead of striking at once
    kRuleStacking = 17,                  // one unit per domain may share a hex
    kRuleMerging = 18,                   // units may merge
    kRuleFastMovement = 19,              // a unit may move beyond its allowance at double cost
    kRuleMisfire = 20,                   // fire may hit units other than its target
    kRuleEncirclement = 21,              // encircled units fight worse
    kRuleCritical = 22,                  // hits may be critical
    kRuleAttackAllies = 23,              // allies may be attacked and their buildings occupied
    kRuleDestroyedBuildingsUnowned = 24, // a destroyed building becomes neutral
    kRuleFallenCapitalUnowned = 25,      // at victory the losing camp's buildings become neutral, not the victor's
    kRuleBoardingOwnership = 26,         // units may board and launch in any building, not only friendly ones
    kRuleCarrierCapacity = 27,           // carriers hold a limited number of aircraft
    kRuleSplitting = 28,                 // units may split
    kRuleReplenishing = 29,              // units are replenished in the supply phase
    kRuleFriendlyDamage = 30,            // friendly fire damages friends
    kRuleInterception = 31,              // moving units and missiles may be intercepted
    kRuleOpenCampInfo = 32,              // every camp's information is open to all
    kRuleProducing = 33,                 // the turn has a production phase
    kRuleCapitalDestruction = 34,        // capitals may be destroyed
    kRuleDayNight = 35,                  // turns alternate between day and night
    kRuleActionSetting = 36,             // kept in rule files only; no panel shows it
    kRuleFirstProduction = 37,           // production on the first turn takes no count
    kRuleSupplyLines = 38,               // buildings are supplied only over roads
    kRuleAlliedProduction = 39,          // units may be produced in allied buildings
    kRuleAlliedReplenish = 40,           // units may be replenished in allied buildings
    kRuleAlliedRepair = 41,              // units may be repaired in allied buildings
    kRuleAlliedRearm = 42,               // units may be rearmed in allied buildings
    kRuleRandomOrder = 43,               // the camps' phases come in random order
    kRuleFirstStrike = 44,               // indirect attack strikes first
    kRuleProductionCount = 45,           // production takes turns to complete
    kRuleGroundPointTarget = 46,         // indirect attack may target a ground hex
    kRuleReinforcement = 47,             // buildings may be reinforced beyond their durability
    kRuleRepairing = 48,                 // units are repaired in the supply phase
    kRuleSameCampInRow = 49,             // one camp may take consecutive phases
    kRuleProductionLimit = 50,           // each country produces at most its limit of units a turn
};

struct RuleSlot {
    std::string name;
    std::string date;
    std::string time;
    RuleBlock block{};

    // A slot without a name holds no rule: the rule list shows it empty, the rule choices leave it out.
    bool used() const { return !name.empty(); }
};

// The keys of a rule file, CP932: "Name", "Date", "Time", then the switch names in index order.
constexpr int kRuleKeyCount = 3 + kRuleSwitchCount;
const std::array<std::string, kRuleKeyCount>& ruleFileKeys();
// The name of switch i (0..50), CP932.
const std::string& ruleSwitchName(int i);
