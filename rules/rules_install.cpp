// Installing the rules engine's hooks for a game, and the unit records' requests it answers.
#include "rules/rules_install.h"

#include "rules/command_scans_rules.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/move_checks.h"
#include "rules/resupply.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/game_state.h"

void RulesUnitHooks::serviceAtBuilding(int building, SupplyOrder& order) { ::serviceAtBuilding(m_state, building, order); }

void RulesUnitHooks::serviceFromCarrier(SupplyOrder& order) { ::serviceFromCarrier(m_state, order); }

void RulesUnitHooks::serviceFromSupplyUnit(SupplyOrder& order, int supplier)
{
    ::serviceFromSupplyUnit(m_state, order, supplier);
}

bool RulesUnitHooks::delegationRunning() { return m_state.handshake().delegation(); }

void RulesUnitHooks::showWarning(const char* text, const char* title) { mainWindowLink().messageBox(text, title); }

void RulesUnitHooks::bookLosses(int attacker_side, int side, int unit_type, int members)
{
    m_state.statsAddDamageDealt(attacker_side, uint32_t(members));
    m_state.statsAddDamageTaken(side, unit_type, uint32_t(members), uint32_t(members));
}

void RulesUnitHooks::recordSupply(int country, int index, int done) { m_state.historyLog().recordSupply(country, index, done); }

void RulesUiHooks::playSound(int slot) { mainWindowLink().playSound(slot); }

void RulesInstallation::install()
{
    installLandingHooks();
    setActionSettlement(&m_settlement);
    setActionRangeSource(&m_rangeSource);
    m_scans = &installRulesCommandScans();
    m_scans->setCurrentAction(&currentAction(m_state));
    setUnitRecordHooks(&m_unitHooks);
    setStateUiHooks(&m_uiHooks);
    m_installed = true;
}

void RulesInstallation::uninstall()
{
    if (!m_installed)
        return;
    if (actionSettlement() == &m_settlement)
        setActionSettlement(nullptr);
    if (actionRangeSource() == &m_rangeSource)
        setActionRangeSource(nullptr);
    if (unitRecordHooks() == &m_unitHooks)
        setUnitRecordHooks(nullptr);
    if (stateUiHooks() == &m_uiHooks)
        setStateUiHooks(nullptr);
    // The scans are the rules' single instance, which outlives every game.
    if (m_scans)
        m_scans->setCurrentAction(nullptr);
    m_scans = nullptr;
    m_installed = false;
}

void installRules(GameState& state) { rulesContext(state).installation.install(); }
