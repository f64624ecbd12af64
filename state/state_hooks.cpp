// The installed UI and rules hooks of the state.
#include "state/rules_hooks.h"
#include "state/ui_hooks.h"

namespace {
StateUiHooks* g_uiHooks = nullptr;
StateRulesHooks* g_rulesHooks = nullptr;
}

void setStateUiHooks(StateUiHooks* hooks) { g_uiHooks = hooks; }
StateUiHooks* stateUiHooks() { return g_uiHooks; }
void setStateRulesHooks(StateRulesHooks* hooks) { g_rulesHooks = hooks; }
StateRulesHooks* stateRulesHooks() { return g_rulesHooks; }
