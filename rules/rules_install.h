// RulesInstallation: the rules engine's answers to the hooks of state and of the current action, for one game.
#pragma once

#include "rules/action_settlement.h"
#include "rules/commands_range.h"
#include "state/ui_hooks.h"
#include "state/unit_hooks.h"

class GameState;
class RulesCommandScans;

// The unit records' requests answered by the rules: supply services, warnings, losses, history.
class RulesUnitHooks : public UnitRecordHooks {
public:
    explicit RulesUnitHooks(GameState& state) : m_state(state) { }

    void serviceAtBuilding(int building, SupplyOrder& order) override;
    void serviceFromCarrier(SupplyOrder& order) override;
    void serviceFromSupplyUnit(SupplyOrder& order, int supplier) override;
    bool delegationRunning() override;
    void showWarning(const char* text, const char* title) override;
    void bookLosses(int attacker_side, int side, int unit_type, int members) override;
    void recordSupply(int country, int index, int done) override;

private:
    GameState& m_state;
};

// The state's sounds (the money alarm) played by the main window.
class RulesUiHooks : public StateUiHooks {
public:
    void playSound(int slot) override;
};

// Kept by the game's RulesContext; what it installed is taken back when it goes.
class RulesInstallation {
public:
    explicit RulesInstallation(GameState& state) : m_state(state), m_settlement(state), m_unitHooks(state) { }
    ~RulesInstallation() { uninstall(); }
    RulesInstallation(const RulesInstallation&) = delete;
    RulesInstallation& operator=(const RulesInstallation&) = delete;

    // Visibility and landing checks, the action settlement, the units' ranges, the command scans,
    // the unit hooks and the state's sounds.
    void install();
    // Only the hooks that are still this game's are taken back.
    void uninstall();

private:
    GameState& m_state;
    RulesSettlement m_settlement;
    RulesUnitHooks m_unitHooks;
    RulesUiHooks m_uiHooks;
    CommandRangeSource m_rangeSource;
    RulesCommandScans* m_scans = nullptr;
    bool m_installed = false;
};

// Start of play: the rules answer for this game from now on.
void installRules(GameState& state);
