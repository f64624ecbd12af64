// UnitRecordHooks: what the unit records ask of the rules engine, the turn statistics, the history and the UI.
#pragma once

struct SupplyOrder;

class UnitRecordHooks {
public:
    virtual ~UnitRecordHooks() = default;

    // The supply services of the rules: each clears what its source cannot give and applies the rest.
    virtual void serviceAtBuilding(int building, SupplyOrder& order) = 0;
    virtual void serviceFromCarrier(SupplyOrder& order) = 0;
    virtual void serviceFromSupplyUnit(SupplyOrder& order, int supplier) = 0;
    // Whether the computer is playing a person's turn for them; no warnings are shown then.
    virtual bool delegationRunning() = 0;
    // A modal OK box on the main window; text and title are CP932.
    virtual void showWarning(const char* text, const char* title) = 0;
    // Turn statistics: members of the unit type the attacker's side destroyed (attacker 8 and above
    // books nothing) and side lost, with their value.
    virtual void bookLosses(int attacker_side, int side, int unit_type, int members) = 0;
    // The history's supply event of the unit.
    virtual void recordSupply(int country, int index, int done) = 0;
};

// Owned by the caller. Without hooks no service is run, no warning shown and nothing booked or recorded;
// the records' own fields still change.
void setUnitRecordHooks(UnitRecordHooks* hooks);
UnitRecordHooks* unitRecordHooks();
