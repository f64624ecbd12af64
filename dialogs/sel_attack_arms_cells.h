// The value strip of the weapon selection dialog: one side's preview values of an engagement as
// the twelve cells print them, in the places and colours they are printed.
#pragma once

#include "platform/windows.h"
#include "ui/palette_colours.h"

#include <array>
#include <string>

struct CombatPair;

namespace sel_attack_arms {

// Palette-relative colours of the dialog's texts.
constexpr COLORREF kLightBlue = 0x02FFC896;

struct ValueCell {
    // Relative to the side's half: x from x0, y from the dialog's top.
    RECT box {};
    UINT align = DT_LEFT;
    std::string text;
    COLORREF colour = kWhite;
};

constexpr int kValueCellCount = 12;
// The strip every redraw restores first, relative to x0.
constexpr RECT kValueStrip { 52, 276, 280, 356 };

// Side k's cells. encirclementRule: rule 21 is on.
std::array<ValueCell, kValueCellCount> valueCells(const CombatPair& pair, int side, bool encirclementRule);

} // namespace sel_attack_arms
