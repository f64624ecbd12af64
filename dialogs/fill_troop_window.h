// FillTroopWindow: the replenish and repair popup of a person's unit: repair, new machines or both,
// with the unit as it would stand afterwards and what that costs.
#pragma once

#include "dialogs/service_popup.h"
#include "rules/main_window_link.h"

#include <cstdint>
#include <vector>

class GameState;

// The unit after the chosen services, as the popup shows it.
struct ReplenishPreview {
    // Each machine's strength after the repair, the new machines last at full strength.
    std::vector<int> strengths;
    int machinesAfter = 0;
    int producedWith = 0;
    // New machines the funds pay for after the repair (never below 0).
    int newMachines = 0;
    int64_t repairCost = 0;
    int64_t totalCost = 0;
    int64_t fundsLeft = 0;
};

// Reads the offer's two accept flags as the choice; a free service costs nothing.
ReplenishPreview previewReplenish(const GameState& state, const ReplenishOffer& offer);

class FillTroopWindow : public ServicePopup {
public:
    enum : UINT { kRepairOnly = 1002, kReplenishOnly, kBoth };
    static constexpr int kWidth = 288;
    static constexpr int kHeight = 264;

    // Each offered service starts chosen.
    FillTroopWindow(const WindowContext& context, swCWindow* owner, ReplenishOffer& offer);

    int OnInitDialog() override;
    void refuse() override;
    bool choose(UINT id) override;

private:
    void drawFixedPart();
    void drawServicePart();
    void showChoice();

    ReplenishOffer& m_offer;
};
