// IncomeWindow: the income phase's picture of the income just received, the funds and the market rate.
#pragma once

#include "ui/drawn_dialog.h"
#include "ui/window_context.h"

#include <cstdint>

class GameState;

class IncomeWindow : public DrawnDialog {
public:
    static constexpr UINT kCloseButton = 1000;
    static constexpr int kWidth = 264;
    static constexpr int kHeight = 168;
    // The figures' colour when the funds stand at the country's ceiling.
    static constexpr COLORREF kCeilingColour = RGB(0, 200, 240);

    // Shows the current country's figures; income is what the phase has just added.
    IncomeWindow(const WindowContext& context, swCWindow* parent, int32_t income);

    int OnInitDialog() override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

private:
    GameState& m_game;
    const Presentation& m_look;
    int32_t m_income = 0;
};
