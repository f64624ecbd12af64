// StateUiHooks: what the state's queries ask of the main window, which lives above them.
#pragma once

class StateUiHooks {
public:
    virtual ~StateUiHooks() = default;

    // Effect slot n (18 the money alarm); posts and returns.
    virtual void playSound(int slot) = 0;
};

// Owned by the caller; without hooks the queries change state and play nothing.
void setStateUiHooks(StateUiHooks* hooks);
StateUiHooks* stateUiHooks();
