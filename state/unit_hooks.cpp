// The installed unit-record hooks.
#include "state/unit_hooks.h"

namespace {
UnitRecordHooks* g_hooks = nullptr;
}

void setUnitRecordHooks(UnitRecordHooks* hooks) { g_hooks = hooks; }

UnitRecordHooks* unitRecordHooks() { return g_hooks; }
