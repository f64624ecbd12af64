// StateUiHooks: what the state's queries ask of the main window and the map, which live in app/.
#pragma once

#include <cstdint>

class StateUiHooks {
public:
    virtual ~StateUiHooks() = default;

    // Effect slot n (18 the money alarm); posts and returns.
    virtual void playSound(int slot) = 0;
    // Scrolls the hex into view when needed and blinks it.
    virtual void blinkHex(int x, int y) = 0;
    // The panel shows the unit (packed side and index) and the hex.
    virtual void postPanelCommand(uint32_t packed_unit) = 0;
    virtual void postPanelHexInfo(int x, int y) = 0;
    virtual void setPanelValue(int value) = 0;
};

// Owned by the caller; without hooks the queries change state and show nothing.
void setStateUiHooks(StateUiHooks* hooks);
StateUiHooks* stateUiHooks();
