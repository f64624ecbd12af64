// SupplyTroopWindow: the supply popup of a person's unit: fuel, ammunition or both, and the cost.
#pragma once

#include "dialogs/service_popup.h"

#include <cstdint>

class GameState;
struct SupplyOrder;

// The order's choice as the funds allow it: fuel when the funds cover it, the three ammunition
// parts when the funds cover them, with the fuel when that is chosen too. Parts not offered stay out.
void chooseAffordableSupply(const GameState& state, SupplyOrder& order, bool fuel, bool ammunition);
// What the chosen parts cost.
int64_t supplyCost(const SupplyOrder& order);

class SupplyTroopWindow : public ServicePopup {
public:
    enum : UINT { kFuelOnly = 1005, kAmmunitionOnly, kBoth };
    static constexpr int kWidth = 288;
    static constexpr int kHeight = 160;

    // Every offered part the funds cover starts chosen.
    SupplyTroopWindow(const WindowContext& context, swCWindow* owner, SupplyOrder& order);

    int OnInitDialog() override;
    void refuse() override;
    bool choose(UINT id) override;

private:
    void showChoice();

    SupplyOrder& m_order;
};
